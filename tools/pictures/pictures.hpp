// Text pixel maps and the legend that gives their characters a colour, and
// the encoders that turn them into Windows .bmp and .ico files.
//
// Portable C++17: this runs on the build machine, not on the target.
#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace pictures {

// The character that marks background: transparent in icons and masks, the
// key colour (palette entry 0) in palettised bitmaps.
constexpr char kBackground = '.';

struct Error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb &o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb &o) const { return !(*this == o); }
};

// "RRGGBB" (case-insensitive) -> colour; throws Error on anything else.
Rgb parse_rgb(const std::string &hex);

struct Ink {
    Rgb colour;  // normal look
    Rgb grey;    // disabled look, used by the grey icon variants
    std::string name;
};

struct Legend {
    std::map<char, Ink> inks;
    std::string order;  // characters in file order; fixes palette order

    static Legend parse(const std::string &text, const std::string &where);
    const Ink &at(char c) const;
};

struct PixelMap {
    int width = 0;
    int height = 0;
    std::vector<std::string> rows;  // top row first, exactly width chars each
    std::string where;              // file name, for messages

    char at(int x, int y) const { return rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]; }
    bool is_background(int x, int y) const { return at(x, y) == kBackground; }

    static PixelMap parse(const std::string &text, const Legend &legend, const std::string &where);
};

enum class Tone { colour, grey };

// Palettised bottom-up DIB file. Palette entry 0 is the background (given the
// value `key`), followed by every legend colour the map uses, in legend order.
// 4 bits per pixel when that fits in 16 entries, else 8. The bottom-left pixel
// must be background: it is the first pixel of the file's pixel data, and the
// loader's LR_LOADTRANSPARENT takes the entry it uses as the transparent one.
std::vector<std::uint8_t> encode_bmp(const PixelMap &map, const Legend &legend, Rgb key);

// 1-bit bottom-up DIB file, black/white colour table: background pixels are
// white (transparent), everything else black (opaque).
std::vector<std::uint8_t> encode_mask(const PixelMap &map);

// Icon file with one 32-bit BGRA image (plus AND mask) per map.
std::vector<std::uint8_t> encode_ico(const std::vector<PixelMap> &maps, const Legend &legend, Tone tone);

std::string read_text_file(const std::string &path);
void write_binary_file(const std::string &path, const std::vector<std::uint8_t> &bytes);

}  // namespace pictures
