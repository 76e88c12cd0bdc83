// Finding the windows the tour drives, and giving them input the way a user's
// mouse and keyboard would. Input is posted, so that each window handles it in
// its own loop, in order, exactly as it handles real input.
#ifndef TAVROKESSA_TOUR_INPUT_H
#define TAVROKESSA_TOUR_INPUT_H

#include <windows.h>

#include <string>
#include <vector>

namespace tour {

// --- Finding ---------------------------------------------------------------------

// Visible top-level windows of this thread, the topmost first.
std::vector<HWND> ThreadWindows();
// The topmost visible dialog of this thread with exactly this title, or null.
HWND FindDialog(const std::string& title);
// The topmost visible dialog of this thread owned by `owner`, or null.
HWND FindDialogOwnedBy(HWND owner);
// The first descendant of `parent` of the window class `className`, or null.
HWND FindChildOfClass(HWND parent, const char* className);
std::string TextOf(HWND window);
std::string ClassOf(HWND window);

// --- Acting -----------------------------------------------------------------------

// A click on a push button, check box or radio button.
void Click(HWND button);
// A left click at `point` (client coordinates of `window`); `keys` adds MK_CONTROL
// or MK_SHIFT as if those keys were held.
void ClickAt(HWND window, POINT point, WPARAM keys = 0);
void DoubleClickAt(HWND window, POINT point);
// A key pressed and released in `control`, which gets the focus first.
void PressKey(HWND control, UINT vk);
// Replaces the text of an edit (or of an editable combo box's edit) by typing it.
void TypeText(HWND control, const std::string& text);
// The closing box of a window's caption.
void CloseBox(HWND window);

// --- Reading ----------------------------------------------------------------------

RECT WindowRect(HWND window);
bool IsEnabled(HWND window);

// List views.
int ListCount(HWND list);
std::string ListText(HWND list, int item, int subItem = 0);
int ListFind(HWND list, const std::string& text, int subItem = 0);
int ListImage(HWND list, int item);
std::vector<int> ListSelected(HWND list);
POINT ListItemCentre(HWND list, int item);

// Combo boxes and list boxes.
int ComboCount(HWND combo);
int ComboSelection(HWND combo);
HWND ComboEdit(HWND combo);
HWND ComboDroppedList(HWND combo);
POINT ListBoxItemCentre(HWND listBox, int item);
int ListBoxFind(HWND listBox, const std::string& text);

}  // namespace tour

#endif
