// Pictures in memory for the tour: screen captures, scaled copies, the contact
// sheet, and writing them as PNG files.
#ifndef TAVROKESSA_TOUR_IMAGE_H
#define TAVROKESSA_TOUR_IMAGE_H

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tour {

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

}  // namespace tour

#endif
