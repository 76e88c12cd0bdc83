// The baselines: what the platform's bare controls cost for the same work, in
// plain dialogs of the same size, with no more code than the work needs.
#ifndef TK_BENCH_BASELINES_H
#define TK_BENCH_BASELINES_H

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "Data.h"

namespace bench {

// An LVS_LIST list view with the system's small-icon list, each item with one
// fixed image. Filled in WM_INITDIALOG; refilled (redraw suspended, as any list
// refilled while visible must be) on IDC_BARE_REFILL and on a double-click, when
// `next` names the folder to show.
struct BareList {
    const std::vector<Item>* items = nullptr;
    std::function<const std::vector<Item>*()> next;
    bool multipleSelection = true;
    bool modeless = false;
    HWND dialog = nullptr;
    HWND list = nullptr;
    int fills = 0;
};
INT_PTR RunBareList(BareList& bare);   // modal
HWND OpenBareList(BareList& bare);     // modeless, shown at the top left
void PostRefill(const BareList& bare);

// A five-column report list view given the history's texts; LVN_COLUMNCLICK
// sorts it with LVM_SORTITEMS on keys kept in plain arrays, the direction
// alternating on every click as our history dialog's does.
struct BareReport {
    // Row k shows version versions[count - 1 - k]: newest first, as the host adds them.
    const std::vector<Version>* versions = nullptr;
    std::vector<std::string> numbers;  // the version numbers as text, made before the clock starts
    bool modeless = false;
    HWND dialog = nullptr;
    HWND list = nullptr;
    int direction = 0;  // 1 ascending, 2 descending
    int column = -1;
};
INT_PTR RunBareReport(BareReport& bare);
HWND OpenBareReport(BareReport& bare);
// Posts the notification a click on header `column` sends.
void PostColumnClick(HWND dialog, HWND list, int column);

// The progress window's controls, refreshed with the calls our update makes.
HWND OpenBareProgress();
void UpdateBareProgress(HWND window, const char* caption, const char* message, const char* file, int percent);

// The system small-icon list and the index of one icon in it.
HIMAGELIST SystemSmallIcons();
int FixedImage();

}  // namespace bench

#endif
