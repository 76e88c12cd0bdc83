// Pictures of what is on the screen: screen captures taken once the drawing has
// arrived there, scaled copies and text for contact sheets, and PNG files.
#ifndef TK_DRIVER_PICTURE_H
#define TK_DRIVER_PICTURE_H

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tkt {

// Rows from the top; each pixel 0x00RRGGBB.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    Image() = default;
    Image(int w, int h, uint32_t fill = 0xFFFFFF)
        : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {}
    bool Empty() const { return pixels.empty(); }
    uint32_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + x]; }
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + x]; }
    bool operator==(const Image& other) const {
        return width == other.width && height == other.height && pixels == other.pixels;
    }
};

// The header of a 32-bit top-down (first row first) device-independent bitmap,
// whose pixels are 0x00RRGGBB.
BITMAPINFO TopDownBitmapInfo(int width, int height);

// What is on the screen inside `area` (screen coordinates), read from the screen
// itself: under Wine a window's own DC and PrintWindow give blank pictures.
Image CaptureScreen(const RECT& area);

// A copy scaled down (or up) to `width` x `height`, each pixel the average of the
// source pixels it covers, so that thin lines and text stay readable.
Image Scale(const Image& source, int width, int height);

// Copies `source` into `target` with its top-left corner at (x, y), clipped.
void Paste(Image& target, const Image& source, int x, int y);

// Draws `text` into `target` inside `area` with the system's message font.
void PutText(Image& target, const std::string& text, const RECT& area, uint32_t colour, bool bold);

// A capture that shows nothing (one colour, or next to it) cannot be a window.
bool LooksBlank(const Image& image);

// Writes `image` as an 8-bit RGB PNG. False when the file cannot be written.
bool SavePng(const std::string& path, const Image& image);

// The PNG file's bytes (exposed for the size report and for tests).
std::vector<uint8_t> EncodePng(const Image& image);

// A driver step that photographs windows once their drawing is on the screen.
// `windows` names them, the one that must be visible first; the picture covers
// all of them. The first window is brought to the top if another covers it and
// everything is redrawn; then the screen is read until two captures in a row
// agree (Wine copies a window's drawing to the screen a little after it paints),
// twenty captures at the most, or three for a window that is meant to keep
// changing (`steady` false).
// `take` gets the picture and the step is done.
std::function<bool()> Photograph(std::function<std::vector<HWND>()> windows,
                                 std::function<void(const Image&)> take, bool steady = true);

}  // namespace tkt

#endif
