// Finding this thread's windows and reading them and their controls as the user
// sees them: dialogs, list views, drop-downs, list boxes and buttons.
#ifndef TK_DRIVER_CONTROLS_H
#define TK_DRIVER_CONTROLS_H

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace tkt {

// --- Windows ---------------------------------------------------------------------

// Every visible top-level window of this thread, the topmost first; with false,
// also those not shown yet (a dialog box made inside a step shows only once its
// loop finds the queue empty, a tick later).
std::vector<HWND> ThreadWindows(bool visibleOnly = true);
// The topmost visible dialog (class #32770) of this thread with the given title
// (any title when null), or null.
HWND FindDialog(const char* title = nullptr);
// The same, visible or not: a dialog whose template is not visible is shown by
// the dialog manager only after its first timer message.
HWND FindThreadDialog(const char* title);
// The topmost visible dialog of this thread owned by `owner`, or null.
HWND FindDialogOwnedBy(HWND owner);
// The menu window (class #32768) a TrackPopupMenu of this thread shows, or null.
HWND PopupMenu();
// The first descendant of `parent` of the window class `className`, or null.
HWND FindChildOfClass(HWND parent, const char* className);
bool IsDialog(HWND window);
std::string Text(HWND window);
std::string ClassOf(HWND window);
RECT WindowRect(HWND window);                // in screen coordinates
RECT ClientRectOf(HWND dialog, int id);      // a control's rectangle in its dialog's client coordinates

bool IsEnabled(HWND window);
bool IsEnabled(HWND dialog, int id);
bool IsVisible(HWND dialog, int id);
bool IsTopmost(HWND window);
bool IsChecked(HWND dialog, int id);
// The icon a button shows.
HICON ButtonIcon(HWND dialog, int id);

// --- List views ------------------------------------------------------------------

int ItemCount(HWND list);
std::string ItemText(HWND list, int item, int subItem = 0);
std::vector<std::string> ItemTexts(HWND list);  // the first column, from the top
LPARAM ItemParam(HWND list, int item);  // -1 when there is no such item
std::vector<int> ItemParams(HWND list);
int ItemImage(HWND list, int item);  // -1 when the item has none
// The first item whose text in `subItem` is `text`, or -1.
int FindItem(HWND list, const std::string& text, int subItem = 0);
std::vector<int> SelectedItems(HWND list);
// The first selected item of a list view, or -1.
int FirstSelectedItem(HWND list);
// The centre of an item's part (LVIR_LABEL, LVIR_ICON) in the list's client
// coordinates. In the small-icon views a label's cell is wider than its text and
// a click beside the text hits nothing: aim at the icon there.
POINT ItemCentre(HWND list, int item, int part = LVIR_LABEL);

// --- Drop-downs and list boxes ---------------------------------------------------

int ComboCount(HWND combo);
int ComboCount(HWND dialog, int id);
int ComboSelection(HWND combo);
int ComboSelection(HWND dialog, int id);
HWND ComboEdit(HWND combo);         // the edit of an editable combo box, or null
HWND ComboDroppedList(HWND combo);  // the list while it is dropped down, or null
POINT ListBoxItemCentre(HWND listBox, int item);
int ListBoxFind(HWND listBox, const std::string& text);

}  // namespace tkt

#endif
