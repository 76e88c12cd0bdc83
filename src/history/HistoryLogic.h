// The arithmetic and comparisons behind the history dialog, apart from any
// window so that they can be checked on their own.
#ifndef TAVROKESSAUI_HISTORYLOGIC_H
#define TAVROKESSAUI_HISTORYLOGIC_H

#include <windows.h>

#include <cstddef>

#include "../service/Internal.h"

class TavroKessaFileHistoryEntry;

namespace tk {

// Columns of the list once the placeholder is gone.
enum HistoryColumn : int {
    kColumnMarker = 0,
    kColumnVersion = 1,
    kColumnDate = 2,
    kColumnAuthor = 3,
    kColumnComment = 4,
    kHistoryColumnCount = 5,
};

// Sort directions; also the header image that shows them.
enum HistoryDirection : int { kUnsorted = 0, kAscending = 1, kDescending = 2 };

// Images of the strip.
enum HistoryImage : int { kImageBlank = 0, kImageUp = 1, kImageDown = 2, kImageLocal = 3 };

// How many characters of a comment the list shows: everything before the first
// line feed, less a carriage return that ends that part. Null counts as empty.
size_t FirstLineLength(const char* comment);

// -1, 0 or 1: byte by byte as unsigned characters, a prefix first. Null counts
// as empty.
int CompareText(const char* a, const char* b);

// What one row is sorted by for one column, read once per sort so that the
// comparison itself needs neither the host's objects nor any allocation.
struct HistorySortKey {
    long long number = 0;
    const char* text = nullptr;
    bool valid = false;  // false: the row has no entry and compares equal to every row
};

HistorySortKey MakeHistorySortKey(TavroKessaFileHistoryEntry* entry, int column);

// -1, 0 or 1 for `direction` (kAscending or kDescending) by `column`; other
// columns, and rows without an entry, compare equal.
int CompareHistoryKeys(const HistorySortKey& a, const HistorySortKey& b, int column, int direction);

// Every click turns the direction over, whichever column it hits.
int NextSortDirection(int direction);

// Widths of the six columns inserted at set-up (the placeholder first) for a
// list whose client area is `clientWidth` pixels wide.
void HistoryColumnWidths(int clientWidth, int widths[kHistoryColumnCount + 1]);

// The margin kept around the controls: half of what the client area has beyond
// the list's width, measured once. A window the system made narrower than its
// template (a high scale on a small screen) has no room beyond the list: then the
// list's own left edge, the template's margin, is kept, and the list gets narrower.
int HistoryMargin(int clientWidth, int listWidth, int listLeft);

// Where the controls go for a client area of width x height. Each control keeps
// the sizes it has (passed in); the list takes whatever height is left.
struct HistoryLayoutInput {
    int width = 0, height = 0, margin = 0;
    int pathHeight = 0, commentHeight = 0;
    int getVersionWidth = 0, getVersionHeight = 0;
    int closeWidth = 0, closeHeight = 0;
};
struct HistoryLayout {
    RECT path, list, comment, getVersion, close;  // left, top, right, bottom in client coordinates
};
HistoryLayout ComputeHistoryLayout(const HistoryLayoutInput& input);

}  // namespace tk

#endif
