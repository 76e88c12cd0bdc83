// mkpictures: turns the text pixel maps under res/pictures into .bmp/.ico.
//
//   mkpictures bmp      LEGEND OUT.bmp MAP [--key RRGGBB]
//   mkpictures mask     LEGEND OUT.bmp MAP
//   mkpictures ico      LEGEND OUT.ico MAP...
//   mkpictures ico-grey LEGEND OUT.ico MAP...
//
// bmp:      palettised bitmap whose background is palette entry 0 (value
//           --key, white by default), ready for LR_LOADTRANSPARENT.
// mask:     1-bit mask of MAP: background white, the rest black.
// ico:      one 32-bit image per MAP, background transparent.
// ico-grey: the same, drawn with the legend's grey column (disabled look).
#include "pictures.hpp"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

using namespace pictures;

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: mkpictures bmp LEGEND OUT.bmp MAP [--key RRGGBB]\n"
                 "       mkpictures mask LEGEND OUT.bmp MAP\n"
                 "       mkpictures ico|ico-grey LEGEND OUT.ico MAP...\n");
    return 2;
}

}  // namespace

int main(int argc, char **argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    Rgb key{255, 255, 255};
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--key") continue;
        if (i + 1 >= args.size()) return usage();
        try {
            key = parse_rgb(args[i + 1]);
        } catch (const Error &e) {
            std::fprintf(stderr, "mkpictures: --key: %s\n", e.what());
            return 2;
        }
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        break;
    }
    if (args.size() < 4) return usage();
    const std::string kind = args[0], legend_path = args[1], out = args[2];
    const std::vector<std::string> map_paths(args.begin() + 3, args.end());
    const bool single = kind == "bmp" || kind == "mask";
    if (single && map_paths.size() != 1) return usage();
    if (!single && kind != "ico" && kind != "ico-grey") return usage();

    try {
        const Legend legend = Legend::parse(read_text_file(legend_path), legend_path);
        std::vector<PixelMap> maps;
        for (const std::string &p : map_paths) maps.push_back(PixelMap::parse(read_text_file(p), legend, p));
        std::vector<std::uint8_t> bytes;
        if (kind == "bmp")
            bytes = encode_bmp(maps[0], legend, key);
        else if (kind == "mask")
            bytes = encode_mask(maps[0]);
        else
            bytes = encode_ico(maps, legend, kind == "ico" ? Tone::colour : Tone::grey);
        write_binary_file(out, bytes);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "mkpictures: %s\n", e.what());
        std::remove(out.c_str());
        return 1;
    }
    return 0;
}
