// What the sign-in and options dialogs decide without a window (how a drop-down
// field shows a saved value, the title), and their templates as the DLL carries
// them: every control's id, class, text, place, styles and tab order.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "resource.h"
#include "service/Internal.h"
#include "signin/SigninRules.h"

namespace {

using tk::ComboShow;
using Kind = tk::ComboShow::Kind;

}  // namespace

TEST(EqualIgnoringCase, CaseOnlyNeverLengthOrPunctuation) {
    EXPECT_TRUE(tk::EqualIgnoringCase("Alpha", "aLPHA"));
    EXPECT_TRUE(tk::EqualIgnoringCase("", ""));
    EXPECT_TRUE(tk::EqualIgnoringCase("db-7_Main", "DB-7_MAIN"));
    EXPECT_FALSE(tk::EqualIgnoringCase("abc", "abcd"));
    EXPECT_FALSE(tk::EqualIgnoringCase("abcd", "abc"));
    EXPECT_FALSE(tk::EqualIgnoringCase("co-op", "coop"));
    EXPECT_FALSE(tk::EqualIgnoringCase("a b", "ab"));
}

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

// --- Templates ---------------------------------------------------------------

namespace {

struct ItemTemplate {
    int id;
    std::string cls;
    std::string text;
    short x, y, cx, cy;
    DWORD style;
};

struct DialogTemplate {
    DWORD style = 0;
    short cx = 0, cy = 0;
    std::string title;
    WORD pointSize = 0;
    std::string font;
    std::vector<ItemTemplate> items;
};

// Reads DLGTEMPLATEEX as it lies in the resource.
class Reader {
public:
    explicit Reader(const BYTE* at) : m_at(at), m_start(at) {}
    template <typename T>
    T Take() {
        T value;
        std::memcpy(&value, m_at, sizeof(T));
        m_at += sizeof(T);
        return value;
    }
    std::string Wide() {
        std::string text;
        for (WCHAR c = Take<WCHAR>(); c != 0; c = Take<WCHAR>()) text += static_cast<char>(c);
        return text;
    }
    // A name or an ordinal (0xFFFF then the ordinal).
    std::string NameOrOrdinal() {
        WORD first;
        std::memcpy(&first, m_at, sizeof(first));
        if (first == 0xFFFF) {
            Take<WORD>();
            switch (WORD ordinal = Take<WORD>()) {
            case 0x80: return "Button";
            case 0x81: return "Edit";
            case 0x82: return "Static";
            case 0x83: return "ListBox";
            case 0x85: return "ComboBox";
            default: return "#" + std::to_string(ordinal);
            }
        }
        return Wide();
    }
    void AlignToDword() {
        while ((m_at - m_start) % 4 != 0) ++m_at;
    }
    void Skip(size_t bytes) { m_at += bytes; }

private:
    const BYTE* m_at;
    const BYTE* m_start;
};

DialogTemplate LoadTemplate(UINT id) {
    DialogTemplate result;
    HRSRC found = FindResourceA(tk::ModuleHandle(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    if (found == nullptr) return result;
    Reader read(static_cast<const BYTE*>(LockResource(LoadResource(tk::ModuleHandle(), found))));
    EXPECT_EQ(read.Take<WORD>(), 1);       // dlgVer
    EXPECT_EQ(read.Take<WORD>(), 0xFFFF);  // an extended template
    read.Take<DWORD>();                    // helpID
    read.Take<DWORD>();                    // exStyle
    result.style = read.Take<DWORD>();
    WORD count = read.Take<WORD>();
    read.Take<short>();
    read.Take<short>();
    result.cx = read.Take<short>();
    result.cy = read.Take<short>();
    EXPECT_EQ(read.NameOrOrdinal(), "");  // no menu
    EXPECT_EQ(read.NameOrOrdinal(), "");  // the standard dialog class
    result.title = read.Wide();
    if (result.style & DS_SETFONT) {
        result.pointSize = read.Take<WORD>();
        read.Take<WORD>();  // weight
        read.Take<BYTE>();  // italic
        read.Take<BYTE>();  // charset
        result.font = read.Wide();
    }
    for (WORD i = 0; i < count; ++i) {
        read.AlignToDword();
        ItemTemplate item;
        read.Take<DWORD>();  // helpID
        read.Take<DWORD>();  // exStyle
        item.style = read.Take<DWORD>();
        item.x = read.Take<short>();
        item.y = read.Take<short>();
        item.cx = read.Take<short>();
        item.cy = read.Take<short>();
        item.id = static_cast<int>(read.Take<DWORD>());
        item.cls = read.NameOrOrdinal();
        item.text = read.NameOrOrdinal();
        read.Skip(read.Take<WORD>());
        result.items.push_back(item);
    }
    return result;
}

// The bits a template states; WS_CHILD is every control's, WS_GROUP is left to the
// resource compiler.
constexpr DWORD kStatedBits = 0xFFFF | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_DISABLED | WS_VISIBLE;
constexpr DWORD kDialogStyle = DS_SETFONT | DS_MODALFRAME | DS_SHELLFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;

void ExpectTemplate(UINT id, const char* title, short cx, short cy, const std::vector<ItemTemplate>& expected) {
    DialogTemplate actual = LoadTemplate(id);
    EXPECT_EQ(actual.title, title);
    EXPECT_EQ(actual.style, static_cast<DWORD>(kDialogStyle));
    EXPECT_EQ(actual.cx, cx);
    EXPECT_EQ(actual.cy, cy);
    EXPECT_EQ(actual.pointSize, 8);
    EXPECT_EQ(actual.font, "MS Shell Dlg");
    ASSERT_EQ(actual.items.size(), expected.size()) << title;
    for (size_t i = 0; i < expected.size(); ++i) {
        const ItemTemplate& want = expected[i];
        const ItemTemplate& got = actual.items[i];
        SCOPED_TRACE(std::string(title) + ": control " + std::to_string(i) + " '" + want.text + "'");
        EXPECT_EQ(got.id, want.id);
        EXPECT_EQ(got.cls, want.cls);
        EXPECT_EQ(got.text, want.text);
        EXPECT_EQ(got.x, want.x);
        EXPECT_EQ(got.y, want.y);
        EXPECT_EQ(got.cx, want.cx);
        EXPECT_EQ(got.cy, want.cy);
        EXPECT_EQ(got.style & kStatedBits, want.style | WS_VISIBLE) << std::hex << got.style;
        EXPECT_TRUE(got.style & WS_CHILD);
    }
}

constexpr DWORD kDefault = BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kEdit = ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
// Editable, unsorted, no automatic horizontal scroll.
constexpr DWORD kDropDown = CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kLabel = SS_LEFT;

}  // namespace

TEST(Templates, Signin) {
    ExpectTemplate(IDD_SIGNIN, "Calvex Kessa Log In", 233, 116,
                   {
                       {IDOK, "Button", "OK", 110, 95, 50, 14, kDefault},
                       {IDCANCEL, "Button", "Cancel", 176, 95, 50, 14, kPush},
                       {IDC_SIGNIN_USER, "Edit", "", 72, 7, 154, 14, kEdit},
                       {IDC_SIGNIN_PASSWORD, "Edit", "", 72, 25, 154, 14, kEdit | ES_PASSWORD},
                       {IDC_SIGNIN_SERVER, "ComboBox", "", 72, 43, 154, 30, kDropDown},
                       {IDC_SIGNIN_DATABASE, "ComboBox", "", 72, 60, 132, 30, kDropDown},
                       {IDC_SIGNIN_QUERY, "Button", "...", 209, 60, 17, 12, kPush},
                       {IDC_SIGNIN_AUTO_LOGIN, "Button", "Use these settings next session", 72, 79, 117, 10, kCheck},
                       {-1, "Static", "User Name:", 7, 8, 60, 8, kLabel},  // labels run up to their fields: no font cuts them
                       {-1, "Static", "Password:", 7, 26, 60, 8, kLabel},
                       {-1, "Static", "Server:", 7, 44, 60, 8, kLabel},
                       {-1, "Static", "Database:", 7, 62, 60, 8, kLabel},
                   });
}

TEST(Templates, DatabaseChooser) {
    ExpectTemplate(IDD_DATABASES, "Databases", 198, 102,
                   {
                       {IDOK, "Button", "OK", 81, 81, 50, 14, kDefault},
                       {IDCANCEL, "Button", "Cancel", 141, 81, 50, 14, kPush},
                       // Single selection, unsorted.
                       {IDC_DATABASES_LIST, "ListBox", "", 7, 7, 184, 68,
                        LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP},
                   });
}

TEST(Templates, Options) {
    ExpectTemplate(IDD_OPTIONS, "Kessa Options", 215, 105,
                   {
                       {IDOK, "Button", "OK", 100, 84, 50, 14, kDefault},
                       {IDC_OPTIONS_BROWSE, "Button", "Browse...", 14, 38, 51, 14, kPush},
                       {IDC_OPTIONS_AUTO_LOGIN, "Button", "Log in using saved settings", 7, 69, 99, 10, kCheck},
                       {IDCANCEL, "Button", "Cancel", 158, 84, 50, 14, kPush},
                       {-1, "Button", "Working Folder", 7, 7, 201, 52, BS_GROUPBOX},
                       {IDC_OPTIONS_FOLDER, "Edit", "", 14, 17, 187, 14, kEdit},
                       {IDC_OPTIONS_ENFORCED_NOTE, "Static", "Working Folder Set by Server", 81, 41, 120, 8, kLabel},
                   });
}
