// What the sign-in dialog decides without a window: how a drop-down field shows a
// saved value, and the title, bounded by its buffer.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "service/Internal.h"
#include "signin/SigninRules.h"

namespace {

using tk::ComboShow;
using Kind = tk::ComboShow::Kind;

}  // namespace

TEST(ChooseComboShow, SavedValueIsSelectedOnlyWhenEqualElseKeptAsText) {
    std::vector<std::string> list = {"abcd", "ABC", "abc", "other"};
    std::vector<std::string> empty;

    struct Row {
        const std::vector<std::string>* list;
        const char* value;
        Kind kind;
        int index;
    } rows[] = {
        {&list, "abc", Kind::Select, 1},      // the first equal item, case aside; never the earlier "abcd"
        {&list, "Other", Kind::Select, 3},
        {&list, "ab", Kind::Text, -1},        // only the beginning of items: kept as typed
        {&list, "abcde", Kind::Text, -1},
        {&list, "", Kind::Select, 0},         // nothing saved: the first item
        {&empty, "", Kind::Nothing, -1},
        {&empty, "x", Kind::Text, -1},
        {nullptr, "", Kind::Nothing, -1},
        {nullptr, "saved", Kind::Text, -1},   // no list at all: the value still shows
    };
    for (const Row& row : rows) {
        ComboShow show = tk::ChooseComboShow(row.list, row.value);
        EXPECT_EQ(show.kind, row.kind) << "value '" << row.value << "'";
        EXPECT_EQ(show.index, row.index) << "value '" << row.value << "'";
    }
}

TEST(FormatSigninTitle, BoundedByItsBuffer) {
    char title[tk::kSigninTitleSize];
    EXPECT_TRUE(tk::FormatSigninTitle(title, sizeof(title), "Calvex Kessa %s Log In", "7"));
    EXPECT_STREQ(title, "Calvex Kessa 7 Log In");
    // A version with a format sign is text, not a format.
    EXPECT_TRUE(tk::FormatSigninTitle(title, sizeof(title), "Calvex Kessa %s Log In", "%s%n%d"));
    EXPECT_STREQ(title, "Calvex Kessa %s%n%d Log In");

    // Longer than the buffer: cut at 255 characters, with guard bytes untouched.
    std::string version(5000, 'v');
    char guarded[tk::kSigninTitleSize + 8];
    std::memset(guarded, '#', sizeof(guarded));
    EXPECT_FALSE(tk::FormatSigninTitle(guarded, tk::kSigninTitleSize, "Calvex Kessa %s Log In", version.c_str()));
    EXPECT_EQ(std::strlen(guarded), tk::kSigninTitleSize - 1);
    EXPECT_EQ(std::string(guarded, 13), "Calvex Kessa ");
    for (size_t i = tk::kSigninTitleSize; i < sizeof(guarded); ++i) EXPECT_EQ(guarded[i], '#');

    char tiny[4];
    EXPECT_FALSE(tk::FormatSigninTitle(tiny, sizeof(tiny), "Calvex Kessa %s Log In", "7"));
    EXPECT_STREQ(tiny, "Cal");
    EXPECT_FALSE(tk::FormatSigninTitle(tiny, sizeof(tiny), nullptr, "7"));
    EXPECT_STREQ(tiny, "");
}
