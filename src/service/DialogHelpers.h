// Routines every dialog of the library shares.
#ifndef TAVROKESSAUI_DIALOGHELPERS_H
#define TAVROKESSAUI_DIALOGHELPERS_H

#include <windows.h>

#include <string>

#include "Internal.h"

class ITavroKessaUIHost;

namespace tk {

// Size of the buffer LoadResourceText fills, one per thread.
constexpr int kResourceTextSize = 1024;

// The string-table entry `id` in this thread's buffer, which the next call overwrites,
// or null when the module is unknown or the entry is missing or empty. Longer
// entries are cut to 1023 characters.
const char* LoadResourceText(UINT id);

// The whole text of `window` into `destination`; false (destination unchanged)
// when the window has no text or the buffer cannot be had.
bool GetWindowTextString(HWND window, std::string& destination);

// Where a window of width x height goes when centred over `reference` (a window
// rectangle in screen coordinates) on a screen of the given size: one clamp per
// axis, to the screen's top-left first, else to its bottom-right.
POINT CenteredOrigin(const RECT& reference, int width, int height, int screenWidth, int screenHeight);

// The display's size as `dc` reports it; the system's metrics when there is no
// device context or it reports nothing, so that nothing is centred off the screen.
SIZE DisplaySize(HDC dc);

// Moves `window` (keeping size and z-order) to the centre of `reference`, or of
// the display when `reference` is null.
void CenterWindowOnParent(HWND window, HWND reference);

// Height to give a combo box so that its dropped list shows every item plus one,
// at most the screen height.
int GetComboDropHeight(HWND combo);

// Appends `text`, selects it when asked, and resizes the combo so the dropped
// list fits its items.
void AddComboItem(HWND combo, const char* text, bool select);

// Resizes the combo so that its dropped list fits its items; `narrower` takes
// pixels off its width.
void FitComboDropHeight(HWND combo, int narrower = 0);

// A tooltip showing `text` whenever the mouse rests on `control`. The tooltip
// window goes away with the control's dialog.
void AttachTooltip(HWND control, const char* text);

// True when a host is set and asks for topmost windows (bit 0 of its flags).
bool HostWantsTopmost(ITavroKessaUIHost* host);

// What every modal dialog does first at WM_INITDIALOG: take the small icon of the
// parent window's class, then go topmost when the host asks for it.
void ApplyStartAppearance(HWND dialog, ITavroKessaUIHost* host);

// The text of a window as an owned string (empty when it has none).
std::string WindowText(HWND window);

}  // namespace tk

#endif
