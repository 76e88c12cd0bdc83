// The display scale a dialog is shown at, and the library's pixel art drawn at it.
// The templates grow with their font by themselves; pictures loaded at a fixed
// size do not, and are enlarged here.
#ifndef TAVROKESSAUI_SCALE_H
#define TAVROKESSAUI_SCALE_H

#include <windows.h>

#include <cstddef>

namespace tk {

// The scale every picture of the library is drawn for.
constexpr int kBaseDpi = 96;

// Dots per inch of the display as `window` is shown on it: the window's own value
// where the system keeps one (a host that is aware of each monitor's scale), else
// the display's logical value; kBaseDpi when neither can be had.
int WindowDpi(HWND window);

// The whole factor pixel art is enlarged by at `dpi`. Only whole factors keep it
// crisp (each pixel a square of pixels), so a scale between two of them takes the
// one below: 1 up to 191 dots per inch, 2 from 192, 3 from 288. Never below 1.
int PictureFactor(int dpi);

// Of `sizes` (ascending), the largest that is no larger than `room`; the smallest
// when none is.
int LargestFitting(const int* sizes, size_t count, int room);

// A new bitmap `factor` times as wide and high as `source`, each pixel drawn as a
// square (nearest neighbour); monochrome when `source` is, else like the screen.
// Null when it cannot be made.
HBITMAP EnlargeBitmap(HBITMAP source, int factor);

}  // namespace tk

#endif
