#include "Picture.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

namespace tkt {

BITMAPINFO TopDownBitmapInfo(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

namespace {

// A 32-bit top-down DIB section selected into a memory DC, for reading pixels
// back after GDI has drawn or copied into it.
class Canvas {
public:
    Canvas(int width, int height) : m_width(width), m_height(height) {
        const BITMAPINFO info = TopDownBitmapInfo(width, height);
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        if (m_dc != nullptr && m_bitmap != nullptr) m_old = SelectObject(m_dc, m_bitmap);
    }
    ~Canvas() {
        if (m_old != nullptr) SelectObject(m_dc, m_old);
        if (m_bitmap != nullptr) DeleteObject(m_bitmap);
        if (m_dc != nullptr) DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool Ok() const { return m_old != nullptr && m_bits != nullptr; }
    HDC Dc() const { return m_dc; }
    uint32_t* Bits() const { return m_bits; }

    Image Read() const {
        GdiFlush();
        Image image(m_width, m_height);
        for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = m_bits[i] & 0xFFFFFF;
        return image;
    }
    void Write(const Image& image) const {
        for (size_t i = 0; i < image.pixels.size(); ++i) m_bits[i] = image.pixels[i];
    }

private:
    int m_width, m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    uint32_t* m_bits = nullptr;
};

// Resamples one direction: each target sample averages the source samples it
// covers, weighted by how much of each it covers.
struct Span {
    int first;
    std::vector<double> weights;
};

std::vector<Span> Spans(int source, int target) {
    std::vector<Span> spans(static_cast<size_t>(target));
    double step = static_cast<double>(source) / target;
    for (int i = 0; i < target; ++i) {
        double from = i * step, to = (i + 1) * step;
        Span& span = spans[static_cast<size_t>(i)];
        span.first = static_cast<int>(std::floor(from));
        double total = 0;
        for (int s = span.first; s < source && s < to; ++s) {
            double weight = std::min<double>(to, s + 1) - std::max<double>(from, s);
            span.weights.push_back(weight);
            total += weight;
        }
        for (double& weight : span.weights) weight /= total;
    }
    return spans;
}

RECT UnionOf(const std::vector<HWND>& windows) {
    RECT area = {};
    GetWindowRect(windows.front(), &area);
    for (HWND window : windows) {
        RECT rect = {};
        GetWindowRect(window, &rect);
        UnionRect(&area, &area, &rect);
    }
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&area, &area, &screen);
    return area;
}

}  // namespace

Image CaptureScreen(const RECT& area) {
    int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return Image();
    Canvas canvas(width, height);
    if (!canvas.Ok()) return Image();
    HDC screen = GetDC(nullptr);
    BOOL copied = BitBlt(canvas.Dc(), 0, 0, width, height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
    ReleaseDC(nullptr, screen);
    return copied ? canvas.Read() : Image();
}

Image Scale(const Image& source, int width, int height) {
    if (source.Empty() || width <= 0 || height <= 0) return Image();
    std::vector<Span> columns = Spans(source.width, width), rows = Spans(source.height, height);
    // Horizontal pass into doubles, then vertical, so each pixel is a true area mean.
    std::vector<double> across(static_cast<size_t>(width) * source.height * 3);
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Span& span = columns[static_cast<size_t>(x)];
            double sum[3] = {0, 0, 0};
            for (size_t k = 0; k < span.weights.size(); ++k) {
                uint32_t pixel = source.At(span.first + static_cast<int>(k), y);
                for (int c = 0; c < 3; ++c) sum[c] += span.weights[k] * ((pixel >> (16 - 8 * c)) & 0xFF);
            }
            for (int c = 0; c < 3; ++c) across[(static_cast<size_t>(y) * width + x) * 3 + c] = sum[c];
        }
    }
    Image result(width, height);
    for (int y = 0; y < height; ++y) {
        const Span& span = rows[static_cast<size_t>(y)];
        for (int x = 0; x < width; ++x) {
            double sum[3] = {0, 0, 0};
            for (size_t k = 0; k < span.weights.size(); ++k) {
                size_t at = (static_cast<size_t>(span.first + static_cast<int>(k)) * width + x) * 3;
                for (int c = 0; c < 3; ++c) sum[c] += span.weights[k] * across[at + c];
            }
            uint32_t pixel = 0;
            for (int c = 0; c < 3; ++c)
                pixel |= static_cast<uint32_t>(std::clamp(std::lround(sum[c]), 0L, 255L)) << (16 - 8 * c);
            result.At(x, y) = pixel;
        }
    }
    return result;
}

void Paste(Image& target, const Image& source, int x, int y) {
    for (int row = 0; row < source.height; ++row) {
        int ty = y + row;
        if (ty < 0 || ty >= target.height) continue;
        for (int column = 0; column < source.width; ++column) {
            int tx = x + column;
            if (tx >= 0 && tx < target.width) target.At(tx, ty) = source.At(column, row);
        }
    }
}

void PutText(Image& target, const std::string& text, const RECT& area, uint32_t colour, bool bold) {
    int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return;
    // Draw over a copy of what is there, so that any background shows through.
    Image patch(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int tx = area.left + x, ty = area.top + y;
            if (tx >= 0 && tx < target.width && ty >= 0 && ty < target.height) patch.At(x, y) = target.At(tx, ty);
        }
    Canvas canvas(width, height);
    if (!canvas.Ok()) return;
    canvas.Write(patch);

    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    if (bold) metrics.lfMessageFont.lfWeight = FW_BOLD;
    HFONT font = CreateFontIndirectA(&metrics.lfMessageFont);
    HGDIOBJ oldFont = SelectObject(canvas.Dc(), font);
    SetBkMode(canvas.Dc(), TRANSPARENT);
    SetTextColor(canvas.Dc(), RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF));
    RECT box = {0, 0, width, height};
    DrawTextA(canvas.Dc(), text.c_str(), -1, &box, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(canvas.Dc(), oldFont);
    DeleteObject(font);
    Paste(target, canvas.Read(), area.left, area.top);
}

bool LooksBlank(const Image& image) {
    std::set<uint32_t> colours;
    for (uint32_t pixel : image.pixels) {
        colours.insert(pixel);
        if (colours.size() >= 4) return false;
    }
    return true;
}

std::function<bool()> Photograph(std::function<std::vector<HWND>()> windows,
                                 std::function<void(const Image&)> take, bool steady) {
    struct State {
        int tries = 0;
        DWORD last = 0;
        Image previous;
    };
    auto state = std::make_shared<State>();
    return [state, windows = std::move(windows), take = std::move(take), steady]() -> bool {
        std::vector<HWND> shown = windows();
        if (shown.empty() || shown.front() == nullptr || !IsWindowVisible(shown.front())) return false;
        DWORD now = GetTickCount();
        if (state->tries == 0) {
            // Nothing may cover the picture: the window goes to the top if it is not.
            RECT rect = {};
            GetWindowRect(shown.front(), &rect);
            POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
            HWND above = GetAncestor(WindowFromPoint(centre), GA_ROOT);
            if (std::find(shown.begin(), shown.end(), above) == shown.end())
                SetWindowPos(shown.front(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            for (HWND each : shown)
                RedrawWindow(each, nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
            state->tries = 1;
            state->last = now;
            return false;
        }
        if (now - state->last < 40) return false;
        state->last = now;
        Image image = CaptureScreen(UnionOf(shown));
        bool same = !state->previous.Empty() && image == state->previous;
        ++state->tries;
        state->previous = std::move(image);
        if (!same && state->tries < (steady ? 20 : 3)) return false;
        take(state->previous);
        return true;
    };
}

}  // namespace tkt
