// Checks for mkpictures: the map and legend parser's error handling, and the
// produced .bmp/.ico files, read back with a decoder of their own and compared
// pixel by pixel with the maps they came from.
//
//   check_pictures                   parser tests only
//   check_pictures RES_DIR OUT_DIR   also the produced pictures
#include "../pictures.hpp"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace pictures;

namespace {

int failures = 0;

#define CHECK(cond)                                                                 \
    do {                                                                            \
        if (!(cond)) {                                                              \
            std::fprintf(stderr, "%s:%d: %s: CHECK(%s)\n", __FILE__, __LINE__,      \
                         context.c_str(), #cond);                                   \
            ++failures;                                                             \
        }                                                                           \
    } while (0)

std::string context;

// True when f throws pictures::Error whose message contains `needle`.
bool fails_with(const std::function<void()> &f, const std::string &needle) {
    try {
        f();
    } catch (const Error &e) {
        if (std::string(e.what()).find(needle) != std::string::npos) return true;
        std::fprintf(stderr, "  unexpected message: %s\n", e.what());
    }
    return false;
}

const char *kLegend =
    "# test inks\n"
    "K 000000 808080 black\n"
    "Y FFFF00 eeeeee yellow\n";

void test_legend() {
    context = "legend";
    const Legend l = Legend::parse(kLegend, "t");
    CHECK(l.order == "KY");
    CHECK(l.at('Y').colour == (Rgb{255, 255, 0}));
    CHECK(l.at('Y').grey == (Rgb{0xee, 0xee, 0xee}));  // hex is case-insensitive
    CHECK(l.at('Y').name == "yellow");
    CHECK(fails_with([] { Legend::parse("K 000000 808080\nK 111111 808080\n", "t"); }, "t:2: ink 'K' defined twice"));
    CHECK(fails_with([] { Legend::parse(". FFFFFF FFFFFF\n", "t"); }, "background"));
    CHECK(fails_with([] { Legend::parse("K 00000G 808080\n", "t"); }, "not RRGGBB"));
    CHECK(fails_with([] { Legend::parse("K 0000000 808080\n", "t"); }, "not RRGGBB"));
    CHECK(fails_with([] { Legend::parse("K 000000\n", "t"); }, "t:1: expected"));
    CHECK(fails_with([] { Legend::parse("KK 000000 808080\n", "t"); }, "single character"));
    CHECK(fails_with([] { Legend::parse("# nothing\n\n", "t"); }, "no inks"));
}

void test_map() {
    context = "map";
    const Legend l = Legend::parse(kLegend, "t");
    // Comments, CRLF line ends and frame-splitting spaces are all fine.
    const PixelMap m = PixelMap::parse("# c\r\nsize 4 2\r\nK. .Y\r\n# mid\r\n.. KK  \r\n", l, "m");
    CHECK(m.width == 4 && m.height == 2);
    CHECK(m.rows.size() == 2 && m.rows[0] == "K..Y" && m.rows[1] == "..KK");
    CHECK(fails_with([&] { PixelMap::parse("K.\n", l, "m"); }, "m:1: expected 'size"));
    CHECK(fails_with([&] { PixelMap::parse("size 2\nK.\n", l, "m"); }, "expected 'size"));
    CHECK(fails_with([&] { PixelMap::parse("size 2 1 x\nK.\n", l, "m"); }, "expected 'size"));
    CHECK(fails_with([&] { PixelMap::parse("size 0 1\n", l, "m"); }, "expected 'size"));
    CHECK(fails_with([&] { PixelMap::parse("size 300 1\n", l, "m"); }, "expected 'size"));
    CHECK(fails_with([&] { PixelMap::parse("# only\n", l, "m"); }, "no 'size' line"));
    CHECK(fails_with([&] { PixelMap::parse("size 2 2\nK.\nK\n", l, "m"); }, "m:3: row is 1 pixels wide, expected 2"));
    CHECK(fails_with([&] { PixelMap::parse("size 2 2\nK.\n", l, "m"); }, "1 rows, expected 2"));
    CHECK(fails_with([&] { PixelMap::parse("size 2 1\nK.\n..\n", l, "m"); }, "m:3: more than 1 rows"));
    CHECK(fails_with([&] { PixelMap::parse("size 2 1\nKQ\n", l, "m"); }, "ink 'Q' is not in the legend"));
}

void test_encoders() {
    context = "encoders";
    const Legend l = Legend::parse(kLegend, "t");
    // The loader's transparency keys on the first pixel of the file: refuse
    // a picture whose bottom-left pixel is not background.
    const PixelMap bad = PixelMap::parse("size 2 2\n..\nK.\n", l, "m");
    CHECK(fails_with([&] { encode_bmp(bad, l, Rgb{}); }, "bottom-left pixel must be background"));
    // More than 15 inks no longer fit a 16-entry table: 8 bits per pixel.
    std::string inks = "0123456789abcdefg", text;
    for (std::size_t i = 0; i < inks.size(); ++i) text += std::string(1, inks[i]) + " 000000 000000\n";
    const Legend many = Legend::parse(text, "t");
    const PixelMap wide = PixelMap::parse("size 18 1\n." + inks + "\n", many, "m");
    const std::vector<std::uint8_t> b8 = encode_bmp(wide, many, Rgb{});
    CHECK(b8.size() > 30 && b8[28] == 8);
    const PixelMap narrow = PixelMap::parse("size 16 1\n." + inks.substr(0, 15) + "\n", many, "m");
    CHECK(encode_bmp(narrow, many, Rgb{})[28] == 4);
}

// ---- Independent reader for the produced files -----------------------------

struct Blob {
    std::vector<std::uint8_t> v;
    bool ok(std::size_t off, std::size_t n) const { return off <= v.size() && n <= v.size() - off; }
    unsigned u8(std::size_t o) const { return ok(o, 1) ? v[o] : 0; }
    unsigned u16(std::size_t o) const { return u8(o) | u8(o + 1) << 8; }
    std::uint32_t u32(std::size_t o) const { return u16(o) | static_cast<std::uint32_t>(u16(o + 2)) << 16; }
    std::int32_t i32(std::size_t o) const { return static_cast<std::int32_t>(u32(o)); }
};

Blob load(const std::string &path) {
    const std::string s = read_text_file(path);
    return Blob{std::vector<std::uint8_t>(s.begin(), s.end())};
}

// A decoded palettised DIB: index of each pixel, top row first.
struct Dib {
    int width = 0, height = 0, bits = 0;
    std::vector<Rgb> palette;
    std::vector<unsigned> index;
    unsigned first_pixel = 0;  // index of the first pixel stored in the file
    unsigned at(int x, int y) const { return index[static_cast<std::size_t>(y * width + x)]; }
};

bool read_dib_file(const Blob &f, Dib &d) {
    const std::uint32_t off = f.u32(10);
    d.width = f.i32(18);
    d.height = f.i32(22);
    d.bits = static_cast<int>(f.u16(28));
    CHECK(f.u8(0) == 'B' && f.u8(1) == 'M');
    CHECK(f.u32(2) == f.v.size());
    CHECK(f.u32(14) == 40);
    CHECK(d.width > 0 && d.height > 0);  // bottom-up
    CHECK(f.u16(26) == 1);
    CHECK(f.u32(30) == 0);
    if (d.width <= 0 || d.height <= 0 || (d.bits != 1 && d.bits != 4 && d.bits != 8)) return false;
    const std::uint32_t colours = f.u32(46) ? f.u32(46) : 1u << d.bits;
    CHECK(colours <= (1u << d.bits));
    CHECK(off == 14 + 40 + 4 * colours);
    const std::size_t stride = static_cast<std::size_t>((d.width * d.bits + 31) / 32 * 4);
    if (!f.ok(off, stride * static_cast<std::size_t>(d.height))) {
        CHECK(!"pixel data runs past the end of the file");
        return false;
    }
    for (std::uint32_t i = 0; i < colours; ++i)
        d.palette.push_back(Rgb{static_cast<std::uint8_t>(f.u8(54 + 4 * i + 2)),
                                static_cast<std::uint8_t>(f.u8(54 + 4 * i + 1)),
                                static_cast<std::uint8_t>(f.u8(54 + 4 * i))});
    d.index.assign(static_cast<std::size_t>(d.width * d.height), 0);
    for (int y = 0; y < d.height; ++y) {
        const std::size_t row = off + stride * static_cast<std::size_t>(d.height - 1 - y);
        for (int x = 0; x < d.width; ++x) {
            const int bit = x * d.bits;
            const unsigned byte = f.u8(row + static_cast<std::size_t>(bit / 8));
            const unsigned v = (byte >> (8 - d.bits - bit % 8)) & ((1u << d.bits) - 1);
            CHECK(v < colours);
            d.index[static_cast<std::size_t>(y * d.width + x)] = v;
        }
    }
    d.first_pixel = d.at(0, d.height - 1);
    return true;
}

PixelMap load_map(const std::string &path, const Legend &legend) {
    return PixelMap::parse(read_text_file(path), legend, path);
}

// A bitmap for LoadImage(LR_LOADTRANSPARENT): 4-bit, and the palette entry
// of the first stored pixel is used by exactly the background pixels.
void check_keyed_bmp(const std::string &out, const PixelMap &map, const Legend &legend, int w, int h) {
    context = out;
    Dib d;
    if (!read_dib_file(load(out), d)) return;
    CHECK(d.bits == 4);
    CHECK(d.width == w && d.height == h);
    CHECK(map.width == w && map.height == h);
    if (d.width != map.width || d.height != map.height) return;
    for (int y = 0; y < d.height; ++y)
        for (int x = 0; x < d.width; ++x) {
            const unsigned i = d.at(x, y);
            if (map.is_background(x, y)) {
                CHECK(i == d.first_pixel);
            } else {
                CHECK(i != d.first_pixel);
                CHECK(d.palette[i] == legend.at(map.at(x, y)).colour);
            }
        }
}

void check_mask(const std::string &out, const PixelMap &map) {
    context = out;
    Dib d;
    if (!read_dib_file(load(out), d)) return;
    CHECK(d.bits == 1);
    // Black then white, so the loader makes a monochrome bitmap of it.
    CHECK(d.palette.size() == 2 && d.palette[0] == (Rgb{0, 0, 0}) && d.palette[1] == (Rgb{255, 255, 255}));
    CHECK(d.width == map.width && d.height == map.height);
    if (d.width != map.width || d.height != map.height || d.palette.size() != 2) return;
    for (int y = 0; y < d.height; ++y)
        for (int x = 0; x < d.width; ++x) CHECK((d.palette[d.at(x, y)] == Rgb{255, 255, 255}) == map.is_background(x, y));
}

void check_icon(const std::string &out, const std::vector<PixelMap> &maps, const Legend &legend, Tone tone) {
    context = out;
    const Blob f = load(out);
    CHECK(f.u16(0) == 0 && f.u16(2) == 1);
    CHECK(f.u16(4) == maps.size());
    if (f.u16(4) != maps.size()) return;
    std::size_t end_of_previous = 6 + 16 * maps.size();
    for (std::size_t n = 0; n < maps.size(); ++n) {
        const PixelMap &map = maps[n];
        context = out + " image " + std::to_string(map.width);
        const std::size_t e = 6 + 16 * n;
        const std::uint32_t size = f.u32(e + 8), off = f.u32(e + 12);
        CHECK(f.u8(e) == static_cast<unsigned>(map.width) && f.u8(e + 1) == static_cast<unsigned>(map.height));
        CHECK(f.u16(e + 4) == 1 && f.u16(e + 6) == 32);
        CHECK(off >= end_of_previous && f.ok(off, size));
        end_of_previous = off + size;
        const std::size_t xor_size = static_cast<std::size_t>(map.width * map.height * 4);
        const std::size_t and_stride = static_cast<std::size_t>((map.width + 31) / 32 * 4);
        CHECK(size == 40 + xor_size + and_stride * static_cast<std::size_t>(map.height));
        if (!f.ok(off, size) || size < 40 + xor_size) return;
        CHECK(f.u32(off) == 40);
        CHECK(f.i32(off + 4) == map.width && f.i32(off + 8) == 2 * map.height);
        CHECK(f.u16(off + 12) == 1 && f.u16(off + 14) == 32 && f.u32(off + 16) == 0);
        for (int y = 0; y < map.height; ++y)
            for (int x = 0; x < map.width; ++x) {
                const std::size_t px = off + 40 + static_cast<std::size_t>(((map.height - 1 - y) * map.width + x) * 4);
                const std::size_t androw = off + 40 + xor_size + and_stride * static_cast<std::size_t>(map.height - 1 - y);
                const bool and_bit = (f.u8(androw + static_cast<std::size_t>(x / 8)) >> (7 - x % 8)) & 1;
                const Rgb c{static_cast<std::uint8_t>(f.u8(px + 2)), static_cast<std::uint8_t>(f.u8(px + 1)),
                            static_cast<std::uint8_t>(f.u8(px))};
                const unsigned alpha = f.u8(px + 3);
                if (map.is_background(x, y)) {
                    CHECK(alpha == 0 && and_bit);
                } else {
                    const Ink &ink = legend.at(map.at(x, y));
                    CHECK(alpha == 255 && !and_bit);
                    CHECK(c == (tone == Tone::grey ? ink.grey : ink.colour));
                    if (tone == Tone::grey) CHECK(c.r == c.g && c.g == c.b);
                }
            }
    }
}

void check_outputs(const std::string &res, const std::string &out) {
    const Legend legend = Legend::parse(read_text_file(res + "/palette.txt"), "palette.txt");
    auto map = [&](const char *name) { return load_map(res + "/" + name, legend); };

    check_keyed_bmp(out + "/root.bmp", map("root16.txt"), legend, 16, 16);
    check_keyed_bmp(out + "/folder.bmp", map("folder16.txt"), legend, 16, 16);

    const PixelMap history = map("history16x14.txt");
    check_keyed_bmp(out + "/history_images.bmp", history, legend, 64, 14);
    check_mask(out + "/history_mask.bmp", history);
    context = "history";
    // Image 0 is blank, and where the mask is transparent the image must be
    // black: masked image-list drawing ORs the image over the masked-out
    // background.
    for (int y = 0; y < history.height; ++y)
        for (int x = 0; x < 16; ++x) CHECK(history.is_background(x, y));
    Dib d;
    if (read_dib_file(load(out + "/history_images.bmp"), d)) CHECK(d.palette[d.first_pixel] == (Rgb{0, 0, 0}));

    // One image per scale the buttons are shown at, smallest first.
    const int sizes[] = {16, 20, 24, 32};
    for (const char *name : {"back", "up"}) {
        std::vector<PixelMap> maps;
        for (int size : sizes) maps.push_back(map((std::string(name) + std::to_string(size) + ".txt").c_str()));
        context = name;
        for (std::size_t i = 0; i < maps.size(); ++i) CHECK(maps[i].width == sizes[i] && maps[i].height == sizes[i]);
        check_icon(out + "/" + name + ".ico", maps, legend, Tone::colour);
        check_icon(out + "/" + name + "_gray.ico", maps, legend, Tone::grey);
    }
}

}  // namespace

int main(int argc, char **argv) {
    try {
        test_legend();
        test_map();
        test_encoders();
        if (argc == 3) check_outputs(argv[1], argv[2]);
        else if (argc != 1) {
            std::fprintf(stderr, "usage: check_pictures [RES_DIR OUT_DIR]\n");
            return 2;
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "check_pictures: %s: %s\n", context.c_str(), e.what());
        return 1;
    }
    if (failures) {
        std::fprintf(stderr, "check_pictures: %d failure(s)\n", failures);
        return 1;
    }
    return 0;
}
