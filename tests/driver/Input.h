// Acting on windows as the user does, with the mouse and the keyboard. Input is
// posted where it can be, so that each window handles it in its own loop, in
// order, exactly as it handles real input.
#ifndef TK_DRIVER_INPUT_H
#define TK_DRIVER_INPUT_H

#include <windows.h>

#include <string>

namespace tkt {

// --- Buttons and commands ---------------------------------------------------------

// Posts the command a click on button `id` sends to its dialog.
void Click(HWND dialog, int id);
// The button presses itself: it takes the focus, shows itself pushed and tells
// its dialog, as under the mouse.
void PressButton(HWND button);
// Posts WM_SYSCOMMAND SC_CLOSE, as the caption's close box does.
void CloseBox(HWND window);

// --- The mouse --------------------------------------------------------------------

// A left click at `point` (client coordinates of `window`); `keys` adds MK_CONTROL
// or MK_SHIFT as if those keys were held.
void ClickAt(HWND window, POINT point, WPARAM keys = 0);
// The whole double click: down, up, the double click and up again.
void DoubleClickAt(HWND window, POINT point);
// The double-click message alone, with no click before it to select anything.
void PostDoubleClick(HWND window, POINT point);
// PostDoubleClick on a list view item's label.
void DoubleClickItem(HWND list, int position);

// --- The keyboard -----------------------------------------------------------------

// Presses and releases a key where the focus is. `window` is a control, which
// gets the focus first unless it (or its edit) has it, or a dialog, whose first
// tab stop gets the focus unless the focus is already inside it.
void PressKey(HWND window, UINT vk);
// Puts `text` into an edit or combo field (replacing what it holds) and tells the
// dialog that the text changed, in one step.
void TypeText(HWND dialog, int id, const char* text);
// Types `text` into an edit (or an editable combo box's edit) key by key,
// replacing what it holds.
void TypeKeys(HWND control, const std::string& text);

// Presses keys on the X server's keyboard, as the user does: `names` are xdotool's
// key names, space-separated ("Tab", "shift+Tab", "alt+Down", "F4", "Return",
// "Escape", "Menu", "shift+F10"). They reach whichever window has the focus through
// the window system and Wine's own input handling (the dialog manager, the
// control's keyboard interface, the system's key translation). They arrive a
// little later, in order, when the thread reads its input: a step after this one
// waits for what they do before more keys are pressed. False when xdotool could not
// be started. The program is /usr/bin/xdotool, or the one TK_XDOTOOL names; Wine
// runs it as it is, detached, so that nothing tells when it has finished.
bool PressRealKeys(const std::string& names);

// --- Selections -------------------------------------------------------------------

// Selects (or deselects) one list view item the way the list view itself does,
// with the notifications that follow.
void SetItemSelected(HWND list, int position, bool selected);
void SelectAll(HWND list, bool selected);
// Chooses `position` in a drop-down as the user does: the selection, then CBN_SELCHANGE.
void ChooseInCombo(HWND dialog, int id, int position);

}  // namespace tkt

#endif
