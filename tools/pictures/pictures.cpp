#include "pictures.hpp"

#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>

namespace pictures {
namespace {

std::vector<std::string> split_lines(const std::string &text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string trim(const std::string &s) {
    std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return std::string();
    std::size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

bool is_skippable(const std::string &line) {
    std::string t = trim(line);
    return t.empty() || t[0] == '#';
}

[[noreturn]] void fail(const std::string &where, std::size_t line, const std::string &what) {
    throw Error(where + ":" + std::to_string(line) + ": " + what);
}

// Little-endian byte writer for the Windows file headers.
struct Bytes {
    std::vector<std::uint8_t> v;
    void u8(unsigned x) { v.push_back(static_cast<std::uint8_t>(x)); }
    void u16(unsigned x) { u8(x & 0xff); u8((x >> 8) & 0xff); }
    void u32(std::uint32_t x) { u16(x & 0xffff); u16(x >> 16); }
    void i32(std::int32_t x) { u32(static_cast<std::uint32_t>(x)); }
};

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 2835;  // 72 dpi

std::uint32_t row_bytes(int width, int bits) {
    return static_cast<std::uint32_t>(((width * bits + 31) / 32) * 4);
}

void info_header(Bytes &out, int width, int height, int bits, std::uint32_t image_size, std::uint32_t colours) {
    out.u32(kInfoHeaderSize);
    out.i32(width);
    out.i32(height);
    out.u16(1);  // planes
    out.u16(static_cast<unsigned>(bits));
    out.u32(0);  // BI_RGB
    out.u32(image_size);
    out.i32(kPixelsPerMetre);
    out.i32(kPixelsPerMetre);
    out.u32(colours);
    out.u32(0);
}

void rgbquad(Bytes &out, Rgb c) {
    out.u8(c.b);
    out.u8(c.g);
    out.u8(c.r);
    out.u8(0);
}

// Packs per-pixel palette indices (bottom row first) into padded DIB rows.
void pack_rows(Bytes &out, const PixelMap &map, int bits, const std::vector<std::vector<unsigned>> &index) {
    const std::uint32_t stride = row_bytes(map.width, bits);
    for (int y = map.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(stride, 0);
        for (int x = 0; x < map.width; ++x) {
            const unsigned v = index[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            const int bit = x * bits;
            const int shift = 8 - bits - bit % 8;
            row[static_cast<std::size_t>(bit / 8)] |= static_cast<std::uint8_t>(v << shift);
        }
        out.v.insert(out.v.end(), row.begin(), row.end());
    }
}

std::vector<std::uint8_t> encode_dib_file(const PixelMap &map, int bits, const std::vector<Rgb> &palette,
                                          const std::vector<std::vector<unsigned>> &index) {
    const std::uint32_t colours = 1u << bits;
    const std::uint32_t image_size = row_bytes(map.width, bits) * static_cast<std::uint32_t>(map.height);
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + 4 * colours;
    Bytes out;
    out.u8('B');
    out.u8('M');
    out.u32(offset + image_size);
    out.u32(0);
    out.u32(offset);
    info_header(out, map.width, map.height, bits, image_size, colours);
    for (std::uint32_t i = 0; i < colours; ++i) rgbquad(out, i < palette.size() ? palette[i] : Rgb{});
    pack_rows(out, map, bits, index);
    return out.v;
}

}  // namespace

Rgb parse_rgb(const std::string &hex) {
    if (hex.size() != 6) throw Error("colour '" + hex + "' is not RRGGBB");
    unsigned v[3];
    for (int i = 0; i < 3; ++i) {
        const std::string part = hex.substr(static_cast<std::size_t>(i) * 2, 2);
        for (char c : part)
            if (!std::isxdigit(static_cast<unsigned char>(c))) throw Error("colour '" + hex + "' is not RRGGBB");
        v[i] = static_cast<unsigned>(std::stoul(part, nullptr, 16));
    }
    return Rgb{static_cast<std::uint8_t>(v[0]), static_cast<std::uint8_t>(v[1]), static_cast<std::uint8_t>(v[2])};
}

Legend Legend::parse(const std::string &text, const std::string &where) {
    Legend legend;
    const std::vector<std::string> lines = split_lines(text);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (is_skippable(lines[n])) continue;
        std::istringstream in(lines[n]);
        std::string key, colour, grey, name;
        in >> key >> colour >> grey;
        std::getline(in, name);
        if (grey.empty()) fail(where, n + 1, "expected: CHAR RRGGBB RRGGBB [name]");
        if (key.size() != 1) fail(where, n + 1, "ink '" + key + "' must be a single character");
        const char c = key[0];
        if (c == kBackground) fail(where, n + 1, "'.' is always the background and takes no colour");
        if (legend.inks.count(c)) fail(where, n + 1, std::string("ink '") + c + "' defined twice");
        try {
            legend.inks[c] = Ink{parse_rgb(colour), parse_rgb(grey), trim(name)};
        } catch (const Error &e) {
            fail(where, n + 1, e.what());
        }
        legend.order.push_back(c);
    }
    if (legend.inks.empty()) throw Error(where + ": legend defines no inks");
    return legend;
}

const Ink &Legend::at(char c) const {
    auto it = inks.find(c);
    if (it == inks.end()) throw Error(std::string("no ink '") + c + "' in the legend");
    return it->second;
}

PixelMap PixelMap::parse(const std::string &text, const Legend &legend, const std::string &where) {
    PixelMap map;
    map.where = where;
    bool have_size = false;
    const std::vector<std::string> lines = split_lines(text);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (is_skippable(lines[n])) continue;
        if (!have_size) {
            std::istringstream in(lines[n]);
            std::string word, rest;
            in >> word >> map.width >> map.height;
            if (word != "size" || !in || (in >> rest) || map.width < 1 || map.height < 1 || map.width > 256 ||
                map.height > 256)
                fail(where, n + 1, "expected 'size WIDTH HEIGHT' (1..256) before the pixel rows");
            have_size = true;
            continue;
        }
        // Spaces may split a row into frames (image strips); they are not pixels.
        std::string row;
        for (char c : lines[n])
            if (c != ' ' && c != '\t') row.push_back(c);
        if (static_cast<int>(map.rows.size()) == map.height)
            fail(where, n + 1, "more than " + std::to_string(map.height) + " rows");
        if (static_cast<int>(row.size()) != map.width)
            fail(where, n + 1,
                 "row is " + std::to_string(row.size()) + " pixels wide, expected " + std::to_string(map.width));
        for (char c : row)
            if (c != kBackground && !legend.inks.count(c))
                fail(where, n + 1, std::string("ink '") + c + "' is not in the legend");
        map.rows.push_back(row);
    }
    if (!have_size) throw Error(where + ": no 'size' line");
    if (static_cast<int>(map.rows.size()) != map.height)
        throw Error(where + ": " + std::to_string(map.rows.size()) + " rows, expected " + std::to_string(map.height));
    return map;
}

std::vector<std::uint8_t> encode_bmp(const PixelMap &map, const Legend &legend, Rgb key) {
    if (!map.is_background(0, map.height - 1))
        throw Error(map.where + ": the bottom-left pixel must be background ('.')");
    std::vector<Rgb> palette{key};
    std::map<char, unsigned> slot;
    for (char c : legend.order) {
        bool used = false;
        for (const std::string &row : map.rows) used = used || row.find(c) != std::string::npos;
        if (!used) continue;
        slot[c] = static_cast<unsigned>(palette.size());
        palette.push_back(legend.at(c).colour);
    }
    if (palette.size() > 256) throw Error(map.where + ": more than 255 colours");
    const int bits = palette.size() <= 16 ? 4 : 8;
    std::vector<std::vector<unsigned>> index(static_cast<std::size_t>(map.height));
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x)
            index[static_cast<std::size_t>(y)].push_back(map.is_background(x, y) ? 0u : slot.at(map.at(x, y)));
    return encode_dib_file(map, bits, palette, index);
}

std::vector<std::uint8_t> encode_mask(const PixelMap &map) {
    std::vector<std::vector<unsigned>> index(static_cast<std::size_t>(map.height));
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x) index[static_cast<std::size_t>(y)].push_back(map.is_background(x, y) ? 1u : 0u);
    return encode_dib_file(map, 1, {Rgb{0, 0, 0}, Rgb{255, 255, 255}}, index);
}

std::vector<std::uint8_t> encode_ico(const std::vector<PixelMap> &maps, const Legend &legend, Tone tone) {
    if (maps.empty() || maps.size() > 0xffff) throw Error("an icon needs at least one image");
    constexpr std::uint32_t kDirHeader = 6, kDirEntry = 16;
    std::vector<std::vector<std::uint8_t>> images;
    for (const PixelMap &map : maps) {
        const std::uint32_t xor_size = static_cast<std::uint32_t>(map.width * map.height * 4);
        const std::uint32_t and_size = row_bytes(map.width, 1) * static_cast<std::uint32_t>(map.height);
        Bytes img;
        // An icon image's height counts the colour image and the AND mask.
        info_header(img, map.width, map.height * 2, 32, xor_size + and_size, 0);
        for (int y = map.height - 1; y >= 0; --y)
            for (int x = 0; x < map.width; ++x) {
                if (map.is_background(x, y)) {
                    img.u32(0);
                    continue;
                }
                const Ink &ink = legend.at(map.at(x, y));
                const Rgb c = tone == Tone::grey ? ink.grey : ink.colour;
                img.u8(c.b);
                img.u8(c.g);
                img.u8(c.r);
                img.u8(255);
            }
        std::vector<std::vector<unsigned>> mask(static_cast<std::size_t>(map.height));
        for (int y = 0; y < map.height; ++y)
            for (int x = 0; x < map.width; ++x) mask[static_cast<std::size_t>(y)].push_back(map.is_background(x, y) ? 1u : 0u);
        pack_rows(img, map, 1, mask);
        images.push_back(img.v);
    }
    Bytes out;
    out.u16(0);  // reserved
    out.u16(1);  // icon
    out.u16(static_cast<unsigned>(maps.size()));
    std::uint32_t offset = kDirHeader + kDirEntry * static_cast<std::uint32_t>(maps.size());
    for (std::size_t i = 0; i < maps.size(); ++i) {
        out.u8(maps[i].width == 256 ? 0 : static_cast<unsigned>(maps[i].width));
        out.u8(maps[i].height == 256 ? 0 : static_cast<unsigned>(maps[i].height));
        out.u8(0);  // colour count: 0 for true colour
        out.u8(0);
        out.u16(1);   // planes
        out.u16(32);  // bits per pixel
        out.u32(static_cast<std::uint32_t>(images[i].size()));
        out.u32(offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto &img : images) out.v.insert(out.v.end(), img.begin(), img.end());
    return out.v;
}

std::string read_text_file(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Error(path + ": cannot open");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_binary_file(const std::string &path, const std::vector<std::uint8_t> &bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw Error(path + ": cannot write");
}

}  // namespace pictures
