// The routines all dialogs share.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "DialogDriver.h"
#include "service/DialogHelpers.h"
#include "service/Internal.h"

using tk::CenteredOrigin;

namespace {

// A plain popup window of the given size, destroyed with the object.
struct Popup {
    Popup(int x, int y, int width, int height, HWND owner = nullptr, const char* cls = "STATIC", DWORD style = 0)
        : window(CreateWindowExA(0, cls, "", WS_POPUP | style, x, y, width, height, owner, nullptr, nullptr, nullptr)) {}
    ~Popup() { DestroyWindow(window); }
    HWND window;
};

// The module whose string table the tests use, for the length of one test.
struct TestStrings {
    TestStrings() : saved(tk::ModuleHandle()) { tk::SetModuleHandle(GetModuleHandleA(nullptr)); }
    ~TestStrings() { tk::SetModuleHandle(saved); }
    HINSTANCE saved;
};

}  // namespace

TEST(CenteredOrigin, CentresAndClampsOncePerAxis) {
    const RECT screen = {0, 0, 1920, 1080};
    POINT p = CenteredOrigin(screen, 400, 300, 1920, 1080);
    EXPECT_EQ(p.x, 760);
    EXPECT_EQ(p.y, 390);

    p = CenteredOrigin(RECT{-500, 100, -100, 400}, 300, 200, 1920, 1080);
    EXPECT_EQ(p.x, 0);  // -450 pulled back onto the screen
    EXPECT_EQ(p.y, 150);

    // Truncation toward zero: 101 wider puts it 50 in; 3 narrower, 1 out.
    p = CenteredOrigin(RECT{100, 100, 100 + 301, 400}, 200, 100, 1920, 1080);
    EXPECT_EQ(p.x, 150);
    p = CenteredOrigin(RECT{100, 100, 100 + 197, 400}, 200, 100, 1920, 1080);
    EXPECT_EQ(p.x, 99);

    // Off the right and bottom: pinned to the far edges.
    p = CenteredOrigin(RECT{1800, 1000, 1900, 1060}, 400, 300, 1920, 1080);
    EXPECT_EQ(p.x, 1520);
    EXPECT_EQ(p.y, 780);

    // Wider than the display: the far-edge clamp leaves it negative, by design.
    p = CenteredOrigin(RECT{0, 0, 3000, 1080}, 2000, 100, 1920, 1080);
    EXPECT_EQ(p.x, -80);
}

TEST(CenterWindowOnParent, OverAReferenceOrTheDisplay) {
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    Popup window(5, 5, 400, 300);
    tk::CenterWindowOnParent(window.window, nullptr);
    RECT placed;
    GetWindowRect(window.window, &placed);
    EXPECT_EQ(placed.left, (width - 400) / 2);
    EXPECT_EQ(placed.top, (height - 300) / 2);
    EXPECT_EQ(placed.right - placed.left, 400);  // size kept

    Popup reference(100, 200, 601, 401);
    tk::CenterWindowOnParent(window.window, reference.window);
    GetWindowRect(window.window, &placed);
    EXPECT_EQ(placed.left, 100 + (601 - 400) / 2);
    EXPECT_EQ(placed.top, 200 + (401 - 300) / 2);
}

TEST(LoadResourceText, SharedBufferMissingEntriesAndTruncation) {
    // The library's own table.
    const char* title = tk::LoadResourceText(122);
    ASSERT_NE(title, nullptr);
    EXPECT_STREQ(title, "Select working folder:");
    EXPECT_EQ(tk::LoadResourceText(4321), nullptr);

    TestStrings strings;
    const char* first = tk::LoadResourceText(998);
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first, "short text");
    const char* second = tk::LoadResourceText(999);
    EXPECT_EQ(first, second);  // one buffer, overwritten
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(strlen(second), 1023u);
    EXPECT_EQ(second[0], 'a');
    EXPECT_EQ(second[1022], static_cast<char>('a' + 1022 % 26));

    tk::SetModuleHandle(nullptr);
    EXPECT_EQ(tk::LoadResourceText(998), nullptr);
}

TEST(GetWindowTextString, EmptyControlsLeaveTheDestination) {
    Popup edit(0, 0, 100, 20, nullptr, "EDIT");
    std::string destination = "kept";
    EXPECT_FALSE(tk::GetWindowTextString(edit.window, destination));
    EXPECT_EQ(destination, "kept");
    std::string big(70000, 'x');
    SetWindowTextA(edit.window, big.c_str());
    EXPECT_TRUE(tk::GetWindowTextString(edit.window, destination));
    EXPECT_EQ(destination.size(), static_cast<size_t>(GetWindowTextLengthA(edit.window)));
}

TEST(ComboBoxes, DropHeightAndAddingItems) {
    Popup frame(0, 0, 300, 200);
    HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | WS_VSCROLL, 10, 10, 150, 30,
                                 frame.window, nullptr, nullptr, nullptr);
    ASSERT_NE(combo, nullptr);
    int item = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
    int field = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    EXPECT_EQ(tk::GetComboDropHeight(combo), item + field);

    tk::AddComboItem(combo, "one", true);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
    tk::AddComboItem(combo, "two", false);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);  // selection kept
    tk::AddComboItem(combo, "three", true);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    // The window height sets the length of the dropped list: it is now that of a
    // combo made with room for one more item than the three it holds.
    HWND reference = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWN | WS_VSCROLL, 10, 50, 150,
                                     4 * item + field, frame.window, nullptr, nullptr, nullptr);
    RECT dropped, expected;
    SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    SendMessageA(reference, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&expected));
    // (Wine rounds a resized list by a pixel differently from a created one.)
    EXPECT_NEAR(dropped.bottom - dropped.top, expected.bottom - expected.top, 2);

    for (int i = 0; i < 500; ++i) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("more"));
    EXPECT_EQ(tk::GetComboDropHeight(combo), GetSystemMetrics(SM_CYSCREEN));
}

TEST(AttachTooltip, OneToolWithTheTextOnTheControl) {
    Popup frame(0, 0, 300, 200);
    HWND button = CreateWindowExA(0, "BUTTON", "U", WS_CHILD | WS_VISIBLE, 10, 10, 30, 20, frame.window, nullptr,
                                  nullptr, nullptr);
    std::string text = "Up One Level";
    tk::AttachTooltip(button, text.c_str());
    text = "overwritten";  // the tooltip keeps its own copy

    HWND tooltip = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
            if (tkt::ClassOf(window) == TOOLTIPS_CLASSA) *reinterpret_cast<HWND*>(found) = window;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tooltip));
    ASSERT_NE(tooltip, nullptr);
    EXPECT_TRUE(tkt::IsTopmost(tooltip));
    EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
    char buffer[80] = {};
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = button;
    info.uId = 0;
    info.lpszText = buffer;
    SendMessageA(tooltip, TTM_GETTEXTA, sizeof(buffer), reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(buffer, "Up One Level");

    DestroyWindow(frame.window);  // the tooltip goes with its owner
    frame.window = nullptr;
    EXPECT_FALSE(IsWindow(tooltip));
}
