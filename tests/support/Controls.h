// Reading and acting on list views, drop-downs and buttons as the user does.
#ifndef TK_TESTS_CONTROLS_H
#define TK_TESTS_CONTROLS_H

#include <windows.h>

#include <string>
#include <vector>

namespace tkt {

int ItemCount(HWND list);
std::vector<std::string> ItemTexts(HWND list);
std::vector<int> ItemParams(HWND list);
int ItemImage(HWND list, int position);
// Selects (or deselects) one item the way the list view itself does, with the
// notifications that follow.
void SetItemSelected(HWND list, int position, bool selected);
void SelectAll(HWND list, bool selected);
// Posts the double click of the item's centre, or of a point in client coordinates.
void DoubleClickItem(HWND list, int position);
void DoubleClickAt(HWND list, POINT point);
// Chooses `position` in a drop-down as the user does: the selection, then CBN_SELCHANGE.
void ChooseInCombo(HWND dialog, int id, int position);
int ComboCount(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);
// The icon a button shows.
HICON ButtonIcon(HWND dialog, int id);

}  // namespace tkt

#endif
