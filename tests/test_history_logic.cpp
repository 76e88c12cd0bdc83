// The history dialog's rules that need no window.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "history/HistoryLogic.h"
#include "tavrokessaui.h"

using namespace tk;

namespace {
HistorySortKey Key(long long number, const char* text = nullptr) {
    HistorySortKey key;
    key.valid = true;
    key.number = number;
    key.text = text;
    return key;
}
std::string Shown(const char* comment) { return std::string(comment, FirstLineLength(comment)); }
}  // namespace

TEST(HistoryLogic, FirstLineDropsOnlyACarriageReturn) {
    EXPECT_EQ(Shown("Fixed bug\r\nmore"), "Fixed bug");
    EXPECT_EQ(Shown("Fixed bug\nmore"), "Fixed bug");  // the last character is text
    EXPECT_EQ(Shown("\nsecond"), "");
    EXPECT_EQ(Shown("one line"), "one line");
    EXPECT_EQ(Shown("no feed\r"), "no feed\r");
    EXPECT_EQ(FirstLineLength(nullptr), 0u);
}

TEST(HistoryLogic, ComparisonsByColumnAndDirection) {
    EXPECT_EQ(CompareText("B", "a"), -1);     // byte-wise, case-sensitive
    EXPECT_EQ(CompareText("ab", "abc"), -1);  // a prefix first
    EXPECT_EQ(CompareText("\xE9", "z"), 1);   // unsigned bytes
    EXPECT_EQ(CompareText("same", "same"), 0);
    EXPECT_EQ(CompareHistoryKeys(Key(9), Key(10), kColumnVersion, kAscending), -1);  // numbers, not texts
    EXPECT_EQ(CompareHistoryKeys(Key(9), Key(10), kColumnVersion, kDescending), 1);
    EXPECT_EQ(CompareHistoryKeys(Key(0x100000000LL), Key(0xFFFFFFFFLL), kColumnDate, kAscending), 1);
    EXPECT_EQ(CompareHistoryKeys(Key(LLONG_MIN), Key(LLONG_MAX), kColumnDate, kDescending), 1);
    EXPECT_EQ(CompareHistoryKeys(Key(0, "bob"), Key(0, "Bob"), kColumnAuthor, kAscending), 1);
    EXPECT_EQ(CompareHistoryKeys(Key(1), Key(2), kColumnMarker, kAscending), 0);
    EXPECT_EQ(CompareHistoryKeys(HistorySortKey(), Key(2), kColumnVersion, kAscending), 0);  // no entry
    EXPECT_EQ(NextSortDirection(kUnsorted), kAscending);
    EXPECT_EQ(NextSortDirection(kAscending), kDescending);
    EXPECT_EQ(NextSortDirection(kDescending), kAscending);
}

TEST(HistoryLogic, ColumnWidthsAreFractionsCutTowardZero) {
    int widths[kHistoryColumnCount + 1];
    HistoryColumnWidths(403, widths);  // 16.12, 60.45, 100.75, 80.6, 120.9
    const int expected[] = {1, 16, 60, 100, 80, 120};
    for (int column = 0; column <= kHistoryColumnCount; ++column) EXPECT_EQ(widths[column], expected[column]);
}

TEST(HistoryLogic, MinimumSizeMovesTheDraggedEdge) {
    // Minimum 400 x 300; every proposal is {500, 400, 600, 450}.
    const struct {
        WPARAM edge;
        RECT expected;
    } cases[] = {
        {WMSZ_LEFT, {200, 150, 600, 450}},       {WMSZ_RIGHT, {500, 150, 900, 450}},
        {WMSZ_TOP, {200, 150, 600, 450}},        {WMSZ_BOTTOM, {200, 400, 600, 700}},
        {WMSZ_TOPLEFT, {200, 150, 600, 450}},    {WMSZ_TOPRIGHT, {500, 150, 900, 450}},
        {WMSZ_BOTTOMLEFT, {200, 400, 600, 700}}, {WMSZ_BOTTOMRIGHT, {500, 400, 900, 700}},
    };
    for (const auto& c : cases) {
        RECT rect = {500, 400, 600, 450};
        KeepMinimumSize(rect, c.edge, 400, 300);
        EXPECT_TRUE(EqualRect(&rect, &c.expected)) << "edge " << c.edge;
    }
    RECT roomy = {0, 0, 401, 301};
    KeepMinimumSize(roomy, WMSZ_LEFT, 400, 300);
    EXPECT_EQ(roomy.left, 0);
    EXPECT_EQ(roomy.bottom, 301);
}

TEST(HistoryLogic, LayoutKeepsSizesAndGivesTheListTheRest) {
    // 800 x 600, margin 10; path 21 high, comment 110, Get Version 75 x 23, Close 76 x 24.
    const HistoryLayout layout = ComputeHistoryLayout({800, 600, 10, 21, 110, 75, 23, 76, 24});
    const RECT expected[] = {{10, 10, 790, 31}, {10, 41, 790, 437}, {10, 447, 790, 557}, {10, 567, 85, 590},
                             {714, 567, 790, 591}};
    const RECT* actual[] = {&layout.path, &layout.list, &layout.comment, &layout.getVersion, &layout.close};
    for (int index = 0; index < 5; ++index) EXPECT_TRUE(EqualRect(actual[index], &expected[index])) << index;
    EXPECT_EQ(HistoryMargin(630, 609), 10);
}
