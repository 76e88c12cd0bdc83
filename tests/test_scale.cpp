// Every dialog at the display scale of the prefix it runs in (100 %, 150 % or
// 200 %: ctest runs this program once per scale, each in a prefix made at it):
// every label, button and check box shows its whole text, no two controls
// overlap, and the pictures follow the scale, as they are drawn on the screen.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "Picture.h"
#include "Samples.h"
#include "explore/TavroKessaExplore.h"
#include "history/HistoryLogic.h"
#include "resource.h"
#include "service/Handles.h"
#include "service/Layout.h"
#include "service/Scale.h"

namespace {

// As a host that declares itself aware of the display's scale, before any window:
// only such a host is shown the display's real scale by Windows (Wine shows every
// program so).
[[maybe_unused]] const bool g_scaleAware = SetProcessDPIAware() != FALSE;

// The scale this run is for, as the ctest entry says.
int WantedDpi() {
    const char* wanted = std::getenv("TK_LOGPIXELS");
    return wanted != nullptr ? std::atoi(wanted) : 96;
}

// The whole factor the pixel art is drawn at: 150 % is not a whole one and keeps
// the pictures at their own size.
int WantedFactor() { return WantedDpi() >= 192 ? WantedDpi() / 96 : 1; }

std::string Describe(HWND control) {
    return tkt::ClassOf(control) + " " + std::to_string(GetDlgCtrlID(control)) + " \"" + tkt::Text(control) + "\"";
}

// The size `text` takes in `control`'s own font, on one line or broken at words
// into lines `wrapWidth` wide.
SIZE TextSize(HWND control, const std::string& text, UINT format, int wrapWidth = 0) {
    tk::WindowDC dc(control);
    tk::SelectionGuard font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT box = {0, 0, wrapWidth, 0};
    DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &box, format | DT_CALCRECT);
    return SIZE{box.right - box.left, box.bottom - box.top};
}

// Whether the control's whole text shows: a label within its box (broken into
// lines where it wraps), a button's inside its border, a check box's beside its
// box. Texts a control shortens on purpose (with an ellipsis) and pictures are
// left out.
void ExpectWholeText(HWND control) {
    const std::string text = tkt::Text(control);
    if (text.empty()) return;
    const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
    RECT client = {};
    GetClientRect(control, &client);
    const std::string what = Describe(control);
    const UINT prefix = (style & SS_NOPREFIX) != 0 && tkt::ClassOf(control) == "Static" ? DT_NOPREFIX : 0;
    if (tkt::ClassOf(control) == "Static") {
        const LONG_PTR kind = style & SS_TYPEMASK;
        if ((style & SS_ELLIPSISMASK) != 0 || (kind != SS_LEFT && kind != SS_LEFTNOWORDWRAP && kind != SS_CENTER &&
                                               kind != SS_RIGHT && kind != SS_SIMPLE))
            return;
        if (kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT) {
            const SIZE lines = TextSize(control, text, DT_WORDBREAK | prefix, client.right);
            EXPECT_LE(lines.cx, client.right) << what;
            EXPECT_LE(lines.cy, client.bottom) << what << ": the text breaks into more lines than show";
        } else {
            const SIZE line = TextSize(control, text, DT_SINGLELINE | prefix);
            EXPECT_LE(line.cx, client.right) << what;
            EXPECT_LE(line.cy, client.bottom) << what;
        }
        return;
    }
    if (tkt::ClassOf(control) != "Button" || (style & (BS_ICON | BS_BITMAP)) != 0) return;
    const SIZE line = TextSize(control, text, DT_SINGLELINE);
    const LONG_PTR type = style & BS_TYPEMASK;
    const int edge = GetSystemMetrics(SM_CXEDGE);
    switch (type) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
        // The box, and a gap as wide as a border, come before the text.
        EXPECT_LE(line.cx, client.right - GetSystemMetrics(SM_CXMENUCHECK) - edge) << what;
        EXPECT_LE(line.cy, client.bottom) << what;
        break;
    case BS_GROUPBOX:
        EXPECT_LE(line.cx, client.right - 4 * edge) << what;
        break;
    default:
        // Inside the raised border and the focus frame within it.
        EXPECT_LE(line.cx, client.right - 2 * (edge + 1)) << what;
        EXPECT_LE(line.cy, client.bottom - 2 * (edge + 1)) << what;
        break;
    }
}

bool IsGroupBox(HWND control) {
    return tkt::ClassOf(control) == "Button" && (GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// Every shown control inside the client area with its whole text, and none over
// another (a group box holds the controls inside it).
void ExpectWholeAndApart(HWND dialog) {
    RECT client = {};
    GetClientRect(dialog, &client);
    std::vector<HWND> shown;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child)) shown.push_back(child);
    for (size_t i = 0; i < shown.size(); ++i) {
        const RECT a = tk::RectInParent(dialog, shown[i]);
        EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.right <= client.right && a.bottom <= client.bottom)
            << Describe(shown[i]) << " reaches out of the dialog";
        ExpectWholeText(shown[i]);
        for (size_t j = i + 1; j < shown.size(); ++j) {
            const RECT b = tk::RectInParent(dialog, shown[j]);
            RECT common = {};
            if (!IntersectRect(&common, &a, &b)) continue;
            RECT around = {};
            if ((IsGroupBox(shown[i]) && UnionRect(&around, &a, &b) && EqualRect(&around, &a)) ||
                (IsGroupBox(shown[j]) && UnionRect(&around, &a, &b) && EqualRect(&around, &b)))
                continue;
            ADD_FAILURE() << Describe(shown[i]) << " and " << Describe(shown[j]) << " overlap";
        }
    }
}

// The smallest rectangle (in `image`) holding the pixels `match` accepts; empty
// when there are none.
template <typename Match>
RECT Bounds(const tkt::Image& image, Match match) {
    RECT box = {image.width, image.height, 0, 0};
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (match(image.At(x, y))) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    if (box.right == 0) box = RECT{};
    return box;
}

// `rect` in `window`'s client coordinates, in a photograph of the whole window.
RECT InPhotograph(HWND window, RECT rect) {
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    const RECT frame = tkt::WindowRect(window);
    OffsetRect(&rect, origin.x - frame.left, origin.y - frame.top);
    return rect;
}

tkt::Image Crop(const tkt::Image& image, const RECT& part) {
    tkt::Image piece(part.right - part.left, part.bottom - part.top);
    for (int y = 0; y < piece.height; ++y)
        for (int x = 0; x < piece.width; ++x) piece.At(x, y) = image.At(x + part.left, y + part.top);
    return piece;
}

// The folder bitmap's yellow (columns 2 to 12, rows 3 to 11 of its 16 x 16 map)
// and the history marker's blue (a 5 x 5 pennant).
constexpr uint32_t kYellow = 0xFFFF00;
constexpr uint32_t kBlue = 0x0000FF;

int IconSize(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) return 0;
    BITMAP facts = {};
    GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(facts), &facts);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    return facts.bmWidth;
}

struct Scale : testing::Test {
    tkt::SampleDialogs samples;
    tkt::Driver driver;
};

}  // namespace

// --- Without a window ------------------------------------------------------------

TEST(ScaleLogic, WholeFactorsAndTheLargestImageThatFits) {
    const struct {
        int dpi, factor;
    } kFactors[] = {{0, 1}, {72, 1}, {96, 1}, {120, 1}, {144, 1}, {191, 1}, {192, 2}, {240, 2}, {288, 3}, {480, 5}};
    for (const auto& row : kFactors) EXPECT_EQ(tk::PictureFactor(row.dpi), row.factor) << row.dpi;

    const int sizes[] = {16, 20, 24, 32};
    const struct {
        int room, size;
    } kFits[] = {{0, 16}, {15, 16}, {16, 16}, {19, 16}, {20, 20}, {23, 20}, {27, 24}, {31, 24}, {32, 32}, {99, 32}};
    for (const auto& row : kFits)
        EXPECT_EQ(tk::LargestFitting(sizes, std::size(sizes), row.room), row.size) << row.room;

    // The border and the focus frame take SM_CXEDGE + 1 on each side; the shorter
    // side counts.
    const int frame = 2 * (GetSystemMetrics(SM_CXEDGE) + 1);
    EXPECT_EQ(tk::ExploreIconSizeFor(SIZE{24, 16 + frame}), 16);
    EXPECT_EQ(tk::ExploreIconSizeFor(SIZE{60, 20 + frame}), 20);
    EXPECT_EQ(tk::ExploreIconSizeFor(SIZE{23 + frame, 60}), 20);
    EXPECT_EQ(tk::ExploreIconSizeFor(SIZE{40, 33}), 24);
    EXPECT_EQ(tk::ExploreIconSizeFor(SIZE{52, 42}), 32);
}

TEST(ScaleLogic, EnlargedBitmapsKeepEveryPixelASquareOfOneColour) {
    // Colour: a 2 x 2 of four colours, three times as large.
    const uint32_t colours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};  // top row first
    BITMAPINFO info = tkt::TopDownBitmapInfo(2, 2);
    tk::WindowDC screen(nullptr);
    tk::UniqueBitmap small(CreateDIBitmap(screen.Get(), &info.bmiHeader, CBM_INIT, colours, &info, DIB_RGB_COLORS));
    ASSERT_TRUE(small);
    tk::UniqueBitmap large(tk::EnlargeBitmap(small.Get(), 3));
    ASSERT_TRUE(large);
    BITMAP facts = {};
    GetObjectA(large.Get(), sizeof(facts), &facts);
    EXPECT_EQ(facts.bmWidth, 6);
    EXPECT_EQ(facts.bmHeight, 6);
    std::vector<uint32_t> pixels(36);
    info = tkt::TopDownBitmapInfo(6, 6);
    ASSERT_EQ(GetDIBits(screen.Get(), large.Get(), 0, 6, pixels.data(), &info, DIB_RGB_COLORS), 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(pixels[static_cast<size_t>(y * 6 + x)] & 0xFFFFFF, colours[(y / 3) * 2 + x / 3]) << x << "," << y;

    // A mask stays a one-bit mask, its bits where they were.
    const WORD maskRows[2] = {0x00A0, 0x0050};  // 8 pixels wide: 10100000, then 01010000
    tk::UniqueBitmap mask(CreateBitmap(8, 2, 1, 1, maskRows));
    tk::UniqueBitmap largeMask(tk::EnlargeBitmap(mask.Get(), 2));
    ASSERT_TRUE(largeMask);
    GetObjectA(largeMask.Get(), sizeof(facts), &facts);
    EXPECT_EQ(facts.bmBitsPixel, 1);
    EXPECT_EQ(facts.bmWidth, 16);
    WORD bits[4] = {};
    GetBitmapBits(largeMask.Get(), sizeof(bits), bits);
    const BYTE* bytes = reinterpret_cast<const BYTE*>(bits);
    EXPECT_EQ(bytes[0], 0xCC);  // 1100 1100: each bit of 1010 twice
    EXPECT_EQ(bytes[2], 0xCC);
    EXPECT_EQ(bytes[4], 0x33);  // 0011 0011: 0101
    EXPECT_EQ(bytes[6], 0x33);
    EXPECT_EQ(tk::EnlargeBitmap(nullptr, 2), nullptr);
}

// --- The dialogs at the prefix's scale ----------------------------------------------

TEST_F(Scale, TheDisplayIsAtTheScaleThisRunIsFor) {
    tk::WindowDC screen(nullptr);
    ASSERT_EQ(GetDeviceCaps(screen.Get(), LOGPIXELSY), WantedDpi())
        << "the prefix was made at another scale; remove it and run again";
    samples.Open(driver, tkt::Sample::Properties).Do([&] {
        EXPECT_EQ(tk::WindowDpi(samples.Window()), WantedDpi());
        tkt::Click(samples.Window(), IDOK);
    });
    samples.Show(driver, tkt::Sample::Properties);
}

TEST_F(Scale, EveryTextShowsWholeAndNoControlsOverlap) {
    for (tkt::Sample sample : tkt::AllSamples()) {
        SCOPED_TRACE(tkt::SampleName(sample));
        tkt::Driver run;
        HWND chooser = nullptr;
        samples.Open(run, sample).Do([&] { ExpectWholeAndApart(samples.Window()); });
        if (sample == tkt::Sample::Signin) {
            run.Do([&] { tkt::Click(samples.Window(), IDC_SIGNIN_QUERY); })
                .Wait("the chooser", [&] { return (chooser = tkt::FindDialog("Databases")) != nullptr; })
                .Do([&] {
                    SCOPED_TRACE("the database chooser");
                    ExpectWholeAndApart(chooser);
                    tkt::Click(chooser, IDCANCEL);
                })
                .Wait([&] { return !IsWindow(chooser); });
        }
        if (sample == tkt::Sample::Progress)
            run.Do([&] { samples.ui->CloseProgressDialog(); });
        else
            run.Do([&] { tkt::Click(samples.Window(), IDCANCEL); });
        samples.Show(run, sample);
    }
}

TEST_F(Scale, ExploreButtonsAndLookInLevelsShowTheirPicturesAtTheScale) {
    // What fits the navigation buttons: they are 16 x 14 dialog units.
    const int wanted = WantedDpi() >= 192 ? 32 : WantedDpi() >= 144 ? 24 : 16;
    const int factor = WantedFactor();
    tkt::ExploreModel& model = samples.explore;
    tkt::Image up, field, dropped;
    HWND combo = nullptr, levels = nullptr;
    RECT items[2] = {};  // levels 1 and 2 in the dropped list's picture
    samples.Open(driver, tkt::Sample::Explore)
        .Do([&] {
            combo = samples.Item(IDC_EXPLORE_LOOK_IN);
            model.Show(model.dialog, model.Find("lib"));
        })
        .Wait("up on", [&] { return tkt::IsEnabled(samples.Window(), IDC_EXPLORE_UP); })
        .Do([&] {
            for (int id : {IDC_EXPLORE_BACK, IDC_EXPLORE_UP})
                EXPECT_EQ(IconSize(tkt::ButtonIcon(samples.Window(), id)), wanted) << id;
            // A level is as high as its picture at least, in the list and in the field.
            EXPECT_GE(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0), 16 * factor);
            EXPECT_GE(SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 16 * factor);
        })
        .Wait("the Up button's picture",
              tkt::Photograph([&] { return std::vector<HWND>{samples.Item(IDC_EXPLORE_UP)}; },
                              [&](const tkt::Image& image) { up = image; }))
        .Wait("the look-in field's picture",
              tkt::Photograph([&] { return std::vector<HWND>{combo}; },
                              [&](const tkt::Image& image) { field = image; }))
        .Do([&] { SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0); })
        .Wait("the levels dropped", [&] { return (levels = tkt::ComboDroppedList(combo)) != nullptr; })
        .Wait("the levels' picture", tkt::Photograph([&] { return std::vector<HWND>{levels}; },
                                                     [&](const tkt::Image& image) { dropped = image; }))
        .Do([&] {
            for (int level = 1; level <= 2; ++level) {
                SendMessageA(levels, LB_GETITEMRECT, static_cast<WPARAM>(level),
                             reinterpret_cast<LPARAM>(&items[level - 1]));
                items[level - 1] = InPhotograph(levels, items[level - 1]);
            }
            SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
            tkt::Click(samples.Window(), IDCANCEL);
        });
    samples.Show(driver, tkt::Sample::Explore);

    // The Up picture: as large as the image chosen, inside the button's border.
    ASSERT_FALSE(up.Empty());
    const uint32_t face = up.At(up.width / 2, 3);
    const int edge = GetSystemMetrics(SM_CXEDGE);
    const RECT picture = Bounds(up, [&](uint32_t pixel) { return pixel != face; });
    // The button's own border is left out by looking inside it.
    const tkt::Image inside = Crop(up, RECT{edge + 1, edge + 1, up.width - edge - 1, up.height - edge - 1});
    const RECT art = Bounds(inside, [&](uint32_t pixel) { return pixel != face; });
    EXPECT_GE(art.right - art.left, wanted - 4);
    EXPECT_LE(art.right - art.left, wanted);
    EXPECT_GE(art.bottom - art.top, wanted - 4);
    EXPECT_LE(art.bottom - art.top, wanted);
    EXPECT_GT(picture.right - picture.left, art.right - art.left);  // the border is there around it

    // The field shows lib with the folder's yellow, each pixel a square of `factor`.
    const RECT yellow = Bounds(field, [](uint32_t pixel) { return pixel == kYellow; });
    EXPECT_EQ(yellow.right - yellow.left, 11 * factor);
    EXPECT_EQ(yellow.bottom - yellow.top, 9 * factor);

    // In the dropped list each level sits inside its item, indented by a picture's
    // width from the one above it.
    ASSERT_FALSE(dropped.Empty());
    RECT folders[2] = {};
    for (int level = 1; level <= 2; ++level) {
        SCOPED_TRACE(level);
        const RECT& item = items[level - 1];
        EXPECT_GE(item.bottom - item.top, 16 * factor);
        folders[level - 1] = Bounds(Crop(dropped, item), [](uint32_t pixel) { return pixel == kYellow; });
        EXPECT_EQ(folders[level - 1].right - folders[level - 1].left, 11 * factor);
        EXPECT_EQ(folders[level - 1].bottom - folders[level - 1].top, 9 * factor);
    }
    EXPECT_EQ(folders[1].left - folders[0].left, 16 * factor);
}

TEST_F(Scale, HistoryMarkerAndSortArrowsAtTheScale) {
    const int factor = WantedFactor();
    tkt::Image picture;
    RECT cell = {};
    HWND list = nullptr;
    samples.Open(driver, tkt::Sample::History)
        .Do([&] {
            list = samples.Item(IDC_HISTORY_LIST);
            HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
            int width = 0, height = 0;
            ASSERT_TRUE(ImageList_GetIconSize(images, &width, &height));
            EXPECT_EQ(width, 16 * factor);
            EXPECT_EQ(height, 14 * factor);
            // The header shows the sort arrows from the same images.
            HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
            EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(header, HDM_GETIMAGELIST, 0, 0)), images);
            // The local version, 34, is the third row; its marker is in the first
            // column, which ends where the version's begins.
            cell.top = tk::kColumnMarker;
            cell.left = LVIR_BOUNDS;
            SendMessageA(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&cell));
            RECT version = {};
            version.top = tk::kColumnVersion;
            version.left = LVIR_BOUNDS;
            SendMessageA(list, LVM_GETSUBITEMRECT, 2, reinterpret_cast<LPARAM>(&version));
            cell.right = version.left;
            // A row is as high as the marker at least.
            EXPECT_GE(cell.bottom - cell.top, 14 * factor);
            cell = InPhotograph(list, cell);
        })
        .Wait("the list's picture", tkt::Photograph([&] { return std::vector<HWND>{list}; },
                                                    [&](const tkt::Image& image) { picture = image; }))
        .Do([&] { tkt::Click(samples.Window(), IDCANCEL); });
    samples.Show(driver, tkt::Sample::History);

    // The pennant's blue, each pixel a square of `factor`, whole inside its cell.
    ASSERT_FALSE(picture.Empty());
    const RECT blue = Bounds(Crop(picture, cell), [](uint32_t pixel) { return pixel == kBlue; });
    EXPECT_EQ(blue.right - blue.left, 5 * factor);
    EXPECT_EQ(blue.bottom - blue.top, 5 * factor);
    EXPECT_GT(blue.top, 0);
    EXPECT_LT(blue.bottom, cell.bottom - cell.top);
}
