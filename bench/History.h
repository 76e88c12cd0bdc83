// A history for the benchmarks: versions, the entries and record our dialog
// shows, and the same rows for the bare report list.
#ifndef TK_BENCH_HISTORY_H
#define TK_BENCH_HISTORY_H

#include <memory>
#include <vector>

#include "Baselines.h"
#include "Data.h"
#include "tavrokessaui.h"

namespace bench {

extern const char* const kHistoryTitle;

// A host that can always get every version, at once.
class HistoryHost final : public ITavroKessaHistoryDialogEvents {
public:
    bool CanGetVersion(int, HWND) override { return true; }
    bool OnGetVersion(int, bool, HWND) override { return true; }
};

struct HistoryData {
    explicit HistoryData(long count);
    HistoryData(const HistoryData&) = delete;
    HistoryData& operator=(const HistoryData&) = delete;

    std::vector<Version> versions;
    std::vector<std::unique_ptr<TavroKessaFileHistoryEntry>> entries;
    HistoryHost host;
    TavroKessaHistoryDialogParams params;
    BareReport bare;
};

}  // namespace bench

#endif
