// A host that writes in a double-byte ANSI code page. ctest runs this program in
// a prefix and a locale of its own (code page 932); it refuses to run in any
// other, since every case below would pass vacuously under a single-byte one.
// Katakana in code page 932: A = 83 41, DI = 83 61, the kanji for "table" = 95 5C
// (a trail byte that looks like a backslash).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "DialogDriver.h"
#include "Fixtures.h"
#include "explore/ExploreListView.h"
#include "history/PropertyDialog.h"
#include "resource.h"
#include "service/FixedText.h"
#include "signin/SigninRules.h"
#include "tavrokessaui.h"

namespace {

const char kKatakanaA[] = "\x83\x41";
const char kKatakanaDi[] = "\x83\x61";
const char kTable[] = "\x95\x5C";

std::string Repeat(const char* text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) result += text;
    return result;
}

// `cut` is a prefix of `whole` and ends on a whole character.
::testing::AssertionResult WholePrefix(const std::string& cut, const std::string& whole) {
    if (whole.compare(0, cut.size(), cut) != 0) return ::testing::AssertionFailure() << "not a prefix";
    if (tk::WholeCharacterLength(cut.c_str(), cut.size()) != cut.size())
        return ::testing::AssertionFailure() << "ends on a lead byte";
    return ::testing::AssertionSuccess();
}

class CodePage932 : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(GetACP(), 932u) << "this program must run under code page 932 (LC_ALL=ja_JP.UTF-8)"; }
};

}  // namespace

TEST_F(CodePage932, WholeCharactersAreCountedFromTheStart) {
    const std::string text = std::string("ab") + kKatakanaA + kTable;  // 2 + 2 + 2 bytes
    EXPECT_EQ(tk::WholeCharacterLength(text.c_str(), 6), 6u);
    EXPECT_EQ(tk::WholeCharacterLength(text.c_str(), 5), 4u);  // not the lead byte of the kanji
    EXPECT_EQ(tk::WholeCharacterLength(text.c_str(), 3), 2u);
    EXPECT_EQ(tk::WholeCharacterLength(text.c_str(), 2), 2u);
}

TEST_F(CodePage932, TheSigninTitleIsCutAfterAWholeCharacter) {
    const std::string version = "x" + Repeat(kKatakanaA, 200);  // one byte shifts every pair
    char title[tk::kSigninTitleSize];
    EXPECT_FALSE(tk::FormatSigninTitle(title, sizeof(title), "Calvex Kessa %s Log In", version.c_str()));
    const std::string whole = "Calvex Kessa " + version + " Log In";
    EXPECT_TRUE(WholePrefix(title, whole));
    EXPECT_GE(std::strlen(title), sizeof(title) - 2);

    // What the user reads in the caption: no character nobody gave.
    tkt::Service ui;
    TavroKessaSigninDialogParams record;
    record.SetKessaVersion(version.c_str());
    tkt::Driver driver;
    std::wstring caption;
    driver.Wait([&] {
              HWND dialog = tkt::FindDialog();
              if (dialog == nullptr) return false;
              wchar_t text[512] = {};
              GetWindowTextW(dialog, text, 512);
              caption = text;
              tkt::Click(dialog, IDCANCEL);
              return true;
          });
    EXPECT_EQ(tkt::RunChecked(driver, [&] { return ui->ShowSigninDialog(nullptr, &record); }), 0);
    EXPECT_FALSE(caption.empty());
    EXPECT_EQ(caption.find(L'\x30FB'), std::wstring::npos);
    EXPECT_EQ(caption.back(), L'\x30A2');  // the last whole katakana A
}

TEST_F(CodePage932, TheCheckOutLineIsCutAfterAWholeCharacter) {
    const std::string user = "y" + Repeat(kKatakanaDi, 700);
    char line[tk::kPropertyTextSize];
    ASSERT_TRUE(tk::FormatCheckOutStatus(line, true, user.c_str(), "-", "File is checked out to %s"));
    EXPECT_TRUE(WholePrefix(line, "File is checked out to " + user));
    EXPECT_GE(std::strlen(line), sizeof(line) - 2);
}

TEST_F(CodePage932, BoundedNumbersAndTextsEndOnWholeCharacters) {
    tk::FixedText<8> text;
    EXPECT_FALSE(text.Format("%s", ("ab" + Repeat(kKatakanaA, 5)).c_str()));
    EXPECT_TRUE(WholePrefix(text.c_str(), "ab" + Repeat(kKatakanaA, 5)));
    EXPECT_EQ(std::strlen(text.c_str()), 6u);  // "ab" and two katakana; the third would not fit whole
}

TEST_F(CodePage932, IconKeysFoldOnlySingleByteLetters) {
    // Two extensions that differ only in what a byte-wise fold would merge.
    const std::string a = tk::IconCacheKey((std::string("file.") + kKatakanaA).c_str());
    const std::string di = tk::IconCacheKey((std::string("file.") + kKatakanaDi).c_str());
    EXPECT_EQ(a, std::string(".") + kKatakanaA);
    EXPECT_EQ(di, std::string(".") + kKatakanaDi);
    EXPECT_NE(a, di);
    EXPECT_EQ(tk::IconCacheKey((std::string("NOTE.") + kKatakanaA + "TXT").c_str()),
              std::string(".") + kKatakanaA + "txt");
    // A trail byte that looks like a backslash is no path separator.
    EXPECT_EQ(tk::IconCacheKey((std::string(kTable) + ".TXT").c_str()), ".txt");
    EXPECT_EQ(tk::IconCacheKey((std::string("dir\\") + kTable + ".txt").c_str()), "");
}
