// The arithmetic and rules behind the dialogs that need no dialog: centring with
// its clamps, the string table's limits, the history's first-line rule, sort keys
// and layout, and the resize engine's edges. The dialog tests do not reach their
// edge cases.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "history/HistoryLogic.h"
#include "service/DialogHelpers.h"
#include "service/Layout.h"
#include "tavrokessaui.h"
#include "test_logic_ids.h"

// Found by the assertions, which look for it beside RECT.
inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

namespace {

std::string Show(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

}  // namespace

// --- Centring ---------------------------------------------------------------------

TEST(Centring, OverAReferenceWithOneClampPerAxisAndTruncationTowardZero) {
    struct Case {
        RECT reference;
        int width, height;
        POINT expected;
    };
    const Case cases[] = {
        {{0, 0, 1920, 1080}, 400, 300, {760, 390}},       // the display itself
        {{-500, 100, -100, 400}, 300, 200, {0, 150}},     // off the left edge: clamped to 0
        {{100, 100, 401, 200}, 200, 100, {150, 100}},     // 101 wider: 50 in, the half cut
        {{100, 100, 297, 200}, 200, 100, {99, 100}},      // 3 narrower: -3 / 2 = -1
        {{1800, 900, 2000, 1100}, 400, 300, {1520, 780}}, // past the bottom-right: clamped to fit
        {{0, 0, 100, 100}, 2500, 1200, {0, 0}},           // wider than the display, from the left: 0
        {{1000, 0, 3000, 100}, 2500, 1200, {-580, 0}},    // the other clamp leaves it negative
    };
    for (const Case& c : cases) {
        const POINT at = tk::CenteredOrigin(c.reference, c.width, c.height, 1920, 1080);
        EXPECT_EQ(at.x, c.expected.x) << Show(c.reference);
        EXPECT_EQ(at.y, c.expected.y) << Show(c.reference);
    }
}

TEST(Centring, WithoutADeviceContextTheDisplaySizeComesFromTheSystem) {
    // A failed GetDC used to give a 0 x 0 display, and every dialog went to the
    // top-left corner, or off the screen.
    const SIZE size = tk::DisplaySize(nullptr);
    EXPECT_EQ(size.cx, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(size.cy, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GT(size.cx, 0);
    HDC screen = GetDC(nullptr);
    const SIZE measured = tk::DisplaySize(screen);
    EXPECT_EQ(measured.cx, GetDeviceCaps(screen, HORZRES));
    ReleaseDC(nullptr, screen);
}

// --- The string table and control texts -----------------------------------------------

TEST(ResourceText, OneBufferCutAt1023AndNullForMissingEntries) {
    const char* first = tk::LoadResourceText(IDS_TEST_LONG);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(std::string(first), std::string(1023, 'L'));  // the entry holds 1100
    const char* second = tk::LoadResourceText(126);          // "Version"
    EXPECT_EQ(second, first);                                 // the same buffer, overwritten
    EXPECT_STREQ(first, "Version");
    EXPECT_EQ(tk::LoadResourceText(IDS_TEST_MISSING), nullptr);
}

TEST(ControlText, AnEmptyControlLeavesTheDestinationAndComboHeightsCountOneMore) {
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    std::string kept = "kept";
    EXPECT_FALSE(tk::GetWindowTextString(edit, kept));
    EXPECT_EQ(kept, "kept");
    SetWindowTextA(edit, std::string(5000, 'e').c_str());
    EXPECT_TRUE(tk::GetWindowTextString(edit, kept));
    EXPECT_EQ(kept.size(), 5000u);
    DestroyWindow(edit);

    HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 100, 200, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(combo, nullptr);
    const int item = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
    const int field = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    EXPECT_EQ(tk::GetComboDropHeight(combo), item + field);
    for (int i = 0; i < 2000; ++i) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("x"));
    EXPECT_EQ(tk::GetComboDropHeight(combo), GetSystemMetrics(SM_CYSCREEN));
    tk::AddComboItem(combo, "kept unselected", false);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    tk::AddComboItem(combo, "selected", true);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2001);
    DestroyWindow(combo);
}

// --- History --------------------------------------------------------------------------

TEST(HistoryRules, TheFirstLineOfAComment) {
    EXPECT_EQ(tk::FirstLineLength(nullptr), 0u);
    EXPECT_EQ(tk::FirstLineLength(""), 0u);
    EXPECT_EQ(tk::FirstLineLength("whole"), 5u);
    EXPECT_EQ(tk::FirstLineLength("one\r\ntwo"), 3u);  // the carriage return of CR LF goes
    EXPECT_EQ(tk::FirstLineLength("one\ntwo"), 3u);    // a bare line feed keeps every character
    EXPECT_EQ(tk::FirstLineLength("\nsecond"), 0u);
    EXPECT_EQ(tk::FirstLineLength("\r\nsecond"), 0u);
    EXPECT_EQ(tk::FirstLineLength("a\r\r\nb"), 2u);
}

TEST(HistoryRules, SortKeysCompareByValueThenUnsignedBytesAndEachClickTurnsTheDirection) {
    TavroKessaFileHistoryEntry a, b;
    a.SetLatestVer(2);
    b.SetLatestVer(10);
    a.SetLastModDateLatestSortVal(5000000000LL);
    b.SetLastModDateLatestSortVal(-1);
    a.SetUserName("zoe");
    b.SetUserName("\xE9mile");  // above every ASCII letter as an unsigned byte
    a.SetComment("fix");
    b.SetComment("fix it");
    using tk::CompareHistoryKeys;
    using tk::MakeHistorySortKey;
    auto compare = [&](int column, int direction) {
        return CompareHistoryKeys(MakeHistorySortKey(&a, column), MakeHistorySortKey(&b, column), column, direction);
    };
    EXPECT_EQ(compare(tk::kColumnVersion, tk::kAscending), -1);  // numbers, not texts: 2 < 10
    EXPECT_EQ(compare(tk::kColumnVersion, tk::kDescending), 1);
    EXPECT_EQ(compare(tk::kColumnDate, tk::kAscending), 1);  // the 64-bit key, not the date text
    EXPECT_EQ(compare(tk::kColumnAuthor, tk::kAscending), -1);
    EXPECT_EQ(compare(tk::kColumnComment, tk::kAscending), -1);  // a prefix first
    EXPECT_EQ(compare(tk::kColumnMarker, tk::kAscending), 0);
    // A row without an entry is equal to every row.
    EXPECT_EQ(CompareHistoryKeys(MakeHistorySortKey(nullptr, 1), MakeHistorySortKey(&b, 1), 1, tk::kAscending), 0);
    EXPECT_EQ(tk::CompareText(nullptr, ""), 0);

    EXPECT_EQ(tk::NextSortDirection(tk::kUnsorted), tk::kAscending);
    EXPECT_EQ(tk::NextSortDirection(tk::kAscending), tk::kDescending);
    EXPECT_EQ(tk::NextSortDirection(tk::kDescending), tk::kAscending);
}

TEST(HistoryRules, ColumnWidthsMarginAndLayout) {
    int widths[tk::kHistoryColumnCount + 1];
    tk::HistoryColumnWidths(613, widths);
    // Single precision, cut toward zero: 613 * 0.15f = 91.95 gives 91.
    EXPECT_EQ(widths[0], 1);
    EXPECT_EQ(widths[1], 24);
    EXPECT_EQ(widths[2], 91);
    EXPECT_EQ(widths[3], 153);
    EXPECT_EQ(widths[4], 122);
    EXPECT_EQ(widths[5], 183);
    EXPECT_EQ(tk::HistoryMargin(625, 610, 7), 7);  // an odd difference is cut
    EXPECT_EQ(tk::HistoryMargin(624, 610, 8), 7);  // and the cut is no narrowing
    // A window narrower than its template: the list's own left edge is kept rather
    // than a margin of nothing or less.
    EXPECT_EQ(tk::HistoryMargin(1280, 1300, 14), 14);
    EXPECT_EQ(tk::HistoryMargin(1300, 1300, 14), 14);

    tk::HistoryLayoutInput in;
    in.width = 600;
    in.height = 400;
    in.margin = 10;
    in.pathHeight = 20;
    in.commentHeight = 100;
    in.getVersionWidth = 75;
    in.getVersionHeight = 23;
    in.closeWidth = 80;
    in.closeHeight = 23;
    const tk::HistoryLayout l = tk::ComputeHistoryLayout(in);
    EXPECT_EQ(l.path, (RECT{10, 10, 590, 30})) << Show(l.path);
    EXPECT_EQ(l.getVersion, (RECT{10, 367, 85, 390})) << Show(l.getVersion);
    EXPECT_EQ(l.close, (RECT{510, 367, 590, 390})) << Show(l.close);
    EXPECT_EQ(l.comment, (RECT{10, 257, 590, 357})) << Show(l.comment);
    // Everything that is left, with a margin between neighbours.
    EXPECT_EQ(l.list, (RECT{10, 40, 590, 247})) << Show(l.list);
}

// --- The resize engine ------------------------------------------------------------------

TEST(Resize, EachEdgeFollowsTheGrowthItIsAnchoredTo) {
    const RECT start = {10, 20, 110, 70};
    struct Case {
        unsigned follow;
        RECT expected;
    };
    const Case cases[] = {
        {tk::kStays, {10, 20, 110, 70}},
        {tk::kMovesRight, {40, 20, 140, 70}},
        {tk::kMovesDown, {10, 25, 110, 75}},
        {tk::kWidens, {10, 20, 140, 70}},
        {tk::kDeepens, {10, 20, 110, 75}},
        {tk::kMovesRight | tk::kMovesDown, {40, 25, 140, 75}},
        {tk::kWidens | tk::kDeepens, {10, 20, 140, 75}},
    };
    for (const Case& c : cases) EXPECT_EQ(tk::FollowGrowth(start, c.follow, 30, 5), c.expected) << c.follow;
}

TEST(Resize, TheMinimumHoldsWhicheverEdgeIsDragged) {
    const SIZE minimum = {300, 200};
    struct Case {
        WPARAM edge;
        RECT proposed;
        RECT expected;
    };
    const Case cases[] = {
        {WMSZ_RIGHT, {100, 100, 250, 400}, {100, 100, 400, 400}},
        {WMSZ_LEFT, {100, 100, 250, 400}, {-50, 100, 250, 400}},
        {WMSZ_BOTTOM, {100, 100, 500, 150}, {100, 100, 500, 300}},
        {WMSZ_TOP, {100, 100, 500, 150}, {100, -50, 500, 150}},
        {WMSZ_BOTTOMRIGHT, {100, 100, 120, 120}, {100, 100, 400, 300}},
        {WMSZ_TOPLEFT, {100, 100, 120, 120}, {-180, -80, 120, 120}},
        {WMSZ_TOPRIGHT, {100, 100, 120, 120}, {100, -80, 400, 120}},
        {WMSZ_BOTTOMLEFT, {100, 100, 120, 120}, {-180, 100, 120, 300}},
        {WMSZ_RIGHT, {100, 100, 700, 500}, {100, 100, 700, 500}},  // larger: untouched
    };
    for (const Case& c : cases) {
        RECT r = c.proposed;
        tk::KeepMinimumSize(r, c.edge, minimum);
        EXPECT_EQ(r, c.expected) << "edge " << c.edge << " " << Show(r);
    }
}
