// The dialog driver itself, on plain dialogs made from templates in memory: the
// tests, the tour and the benchmark all lean on it ending a stuck dialog, on its
// counts and on input reaching the control it is meant for.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "Picture.h"
#include "Pump.h"

namespace {

constexpr int kEditId = 100;

// A dialog template: a caption and one edit control, visible or not.
class Template {
public:
    Template(const wchar_t* caption, bool visible) {
        Put(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | (visible ? WS_VISIBLE : 0));
        Put(0);  // extended style
        m_words.push_back(1);  // one control
        for (short number : {10, 10, 180, 60}) m_words.push_back(static_cast<WORD>(number));
        m_words.push_back(0);  // no menu
        m_words.push_back(0);  // the dialog class
        Text(caption);
        m_words.push_back(8);
        Text(L"MS Shell Dlg");
        if (m_words.size() % 2 != 0) m_words.push_back(0);  // items start on a DWORD
        Put(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL);
        Put(0);
        for (short number : {10, 10, 160, 14}) m_words.push_back(static_cast<WORD>(number));
        m_words.push_back(kEditId);
        m_words.push_back(0xFFFF);
        m_words.push_back(0x0081);  // an edit
        Text(L"old");
        m_words.push_back(0);  // no creation data
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void Put(DWORD value) {
        m_words.push_back(LOWORD(value));
        m_words.push_back(HIWORD(value));
    }
    void Text(const wchar_t* text) {
        do {
            m_words.push_back(static_cast<WORD>(*text));
        } while (*text++ != L'\0');
    }
    std::vector<WORD> m_words;
};

INT_PTR CALLBACK Plain(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

// A dialog that never closes on its own: only EndDialog ends it.
INT_PTR CALLBACK Stuck(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

INT_PTR Modal(const Template& dialog, DLGPROC procedure) {
    return DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialog.Get(), nullptr, procedure, 0);
}

HWND Modeless(const Template& dialog) {
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), dialog.Get(), nullptr, &Plain, 0);
}

// A loop of the caller's own, as a host runs it, until the driver is through.
INT_PTR PumpUntilOver(const tkt::Driver& driver) {
    MSG message;
    while (!driver.Over() && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

int g_fakeHandles = 0;

}  // namespace

TEST(Driver, EndsAStuckDialogInTimeAndSaysWhichStepItWaitedFor) {
    Template stuck(L"Stuck", true);
    tkt::Driver driver(300);
    driver.WaitDialog("Stuck").WaitDialog("Not this one").Do([] { ADD_FAILURE() << "ran past the stuck step"; });
    EXPECT_EQ(driver.Run([&] { return Modal(stuck, &Stuck); }), -99);
    EXPECT_TRUE(driver.TimedOut());
    EXPECT_FALSE(driver.AllStepsDone());
    EXPECT_EQ(driver.Problem(), "stopped at step 2 of 3: a dialog titled Not this one");
    EXPECT_FALSE(driver.CreatedWindows().empty());
    EXPECT_EQ(driver.LiveCreatedWindows(), 0);
}

TEST(Driver, CountsTheHandlesARunLeavesThroughTheInstalledCounter) {
    Template plain(L"Counted", true);
    tkt::SetHandleCounter([] { return g_fakeHandles; });
    tkt::Driver driver;
    driver.WaitDialog("Counted").Do([&] {
        ++g_fakeHandles;
        tkt::Click(driver.Dialog(), IDCANCEL);
    });
    EXPECT_EQ(driver.Run([&] { return Modal(plain, &Plain); }), IDCANCEL);
    EXPECT_EQ(driver.Problem(), "");
    EXPECT_EQ(driver.LeakedHandles(), 1);

    // Without a counter there is nothing to count, whatever happens.
    tkt::SetHandleCounter(nullptr);
    tkt::Driver uncounted;
    uncounted.WaitDialog("Counted").Do([&] {
        ++g_fakeHandles;
        tkt::Click(uncounted.Dialog(), IDOK);
    });
    EXPECT_EQ(uncounted.Run([&] { return Modal(plain, &Plain); }), IDOK);
    EXPECT_EQ(uncounted.LeakedHandles(), 0);
}

TEST(Driver, StopTickingEndsTheStepsAndTheTimeLimit) {
    tkt::Driver driver(50);
    bool later = false;
    driver.Do([&] { driver.StopTicking(); }).Do([&] { later = true; });
    driver.Run([] {
        const double start = tkt::NowMs();
        while (tkt::NowMs() - start < 300) {
            tkt::PumpOne();
            MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        }
        return INT_PTR(0);
    });
    EXPECT_FALSE(later);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(driver.Problem(), "stopped at step 2 of 2");
}

TEST(Controls, AHiddenDialogIsFoundOnlyWhenAskedForHiddenOnesToo) {
    Template hidden(L"Hidden", false);
    HWND dialog = Modeless(hidden);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(tkt::FindThreadDialog("Hidden"), dialog);
    EXPECT_EQ(tkt::FindDialog("Hidden"), nullptr);
    ShowWindow(dialog, SW_SHOWNA);
    EXPECT_EQ(tkt::FindDialog("Hidden"), dialog);
    EXPECT_EQ(tkt::FindDialog(nullptr), dialog);
    DestroyWindow(dialog);
    EXPECT_EQ(tkt::FindThreadDialog("Hidden"), nullptr);
}

TEST(Input, TypedKeysReplaceTheTextAndKeysReachTheFocus) {
    Template plain(L"Typing", true);
    HWND dialog = Modeless(plain);
    ASSERT_NE(dialog, nullptr);
    HWND edit = GetDlgItem(dialog, kEditId);

    tkt::TypeKeys(edit, "new text");
    tkt::PumpUntilIdle();
    EXPECT_EQ(tkt::Text(edit), "new text");
    EXPECT_EQ(GetFocus(), edit);

    // A dialog passes the key to its first tab stop when the focus is elsewhere.
    SetFocus(nullptr);
    tkt::PressKey(dialog, VK_HOME);
    tkt::PumpUntilIdle();
    EXPECT_EQ(GetFocus(), edit);
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);

    tkt::TypeKeys(edit, "");
    tkt::PumpUntilIdle();
    EXPECT_EQ(tkt::Text(edit), "");
    DestroyWindow(dialog);
}

TEST(Picture, APhotographCoversTheWholeWindowAsTheScreenShowsIt) {
    Template plain(L"Photographed", true);
    HWND dialog = Modeless(plain);
    ASSERT_NE(dialog, nullptr);
    tkt::Image shot;
    tkt::Driver driver(10000);
    driver.Wait("the picture", tkt::Photograph([&] { return std::vector<HWND>{dialog}; },
                                               [&](const tkt::Image& image) { shot = image; }));
    driver.Run([&] { return PumpUntilOver(driver); });
    EXPECT_EQ(driver.Problem(), "");
    RECT rect = tkt::WindowRect(dialog);
    EXPECT_EQ(shot.width, rect.right - rect.left);
    EXPECT_EQ(shot.height, rect.bottom - rect.top);
    EXPECT_FALSE(tkt::LooksBlank(shot));
    std::vector<uint8_t> png = tkt::EncodePng(shot);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
    DestroyWindow(dialog);
}
