// A transfer's worth of progress updates, for our window and the bare one.
#ifndef TK_BENCH_PROGRESS_H
#define TK_BENCH_PROGRESS_H

#include <string>
#include <vector>

class ITavroKessaUI;

namespace bench {

// A new file name for every update, a new message line every hundred.
struct ProgressTexts {
    explicit ProgressTexts(long updates);
    std::vector<std::string> files;
    std::vector<std::string> messages;
};

// The time the updates take (opening and closing not counted); -1 when the
// window did not open.
double RunOurProgress(ITavroKessaUI* ui, const ProgressTexts& texts);
double RunBareProgress(const ProgressTexts& texts);

}  // namespace bench

#endif
