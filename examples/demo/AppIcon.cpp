#include "AppIcon.h"

#include <algorithm>
#include <cmath>

namespace demo {
namespace {

struct Point {
    double x, y;
};

double DistanceToSegment(Point p, Point a, Point b) {
    double dx = b.x - a.x, dy = b.y - a.y;
    double t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy);
    t = std::clamp(t, 0.0, 1.0);
    double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
    return std::sqrt(ex * ex + ey * ey);
}

// Inside a square of side `side` with rounded corners, inset by `inset`.
bool InRoundedSquare(Point p, double side, double inset, double radius) {
    double low = inset + radius, high = side - inset - radius;
    double cx = std::clamp(p.x, low, high), cy = std::clamp(p.y, low, high);
    double dx = p.x - cx, dy = p.y - cy;
    return dx * dx + dy * dy <= radius * radius;
}

// A white "K" on the unit square.
bool InLetter(Point u) {
    if (u.y < 0.22 || u.y > 0.78) return false;
    if (u.x >= 0.28 && u.x <= 0.42) return true;
    return DistanceToSegment(u, {0.40, 0.56}, {0.72, 0.22}) <= 0.075 ||
           DistanceToSegment(u, {0.48, 0.47}, {0.74, 0.78}) <= 0.075;
}

}  // namespace

UniqueIcon CreateAppIcon(int size) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap colour(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (colour == nullptr) return nullptr;

    // Each pixel averages 4 x 4 samples, so the edges are smooth at any size.
    const int samples = 4;
    const double side = size, border = std::max(1.0, size / 16.0), radius = size * 0.2;
    auto* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double red = 0, green = 0, blue = 0, cover = 0;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    Point p = {x + (sx + 0.5) / samples, y + (sy + 0.5) / samples};
                    if (!InRoundedSquare(p, side, 0.0, radius)) continue;
                    double r, g, b;
                    if (!InRoundedSquare(p, side, border, std::max(0.5, radius - border))) {
                        r = 16, g = 48, b = 112;  // the dark rim
                    } else if (InLetter({p.x / side, p.y / side})) {
                        r = g = b = 255;
                    } else {
                        double t = p.y / side;  // light blue at the top, deeper at the bottom
                        r = 72 - 48 * t, g = 146 - 66 * t, b = 232 - 60 * t;
                    }
                    red += r, green += g, blue += b, cover += 1;
                }
            }
            DWORD pixel = 0;
            if (cover > 0) {
                auto channel = [&](double sum) { return static_cast<DWORD>(sum / cover + 0.5); };
                auto alpha = static_cast<DWORD>(255.0 * cover / (samples * samples) + 0.5);
                pixel = (alpha << 24) | (channel(red) << 16) | (channel(green) << 8) | channel(blue);
            }
            pixels[y * size + x] = pixel;
        }
    }

    // With an alpha channel the mask only has to exist; all zero lets the alpha rule.
    UniqueBitmap mask(CreateBitmap(size, size, 1, 1, nullptr));
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (mask == nullptr || dc == nullptr) return nullptr;
    {
        SelectionScope selected(dc.get(), mask.get());
        PatBlt(dc.get(), 0, 0, size, size, BLACKNESS);
    }

    // The icon gets copies of both bitmaps: ours go when this returns.
    ICONINFO icon = {};
    icon.fIcon = TRUE;
    icon.hbmMask = mask.get();
    icon.hbmColor = colour.get();
    return UniqueIcon(CreateIconIndirect(&icon));
}

}  // namespace demo
