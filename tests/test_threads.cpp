// Hosts with two user-interface threads, each with its own service object: a
// main window on one, a transfer window on another. Nothing one thread's dialogs
// show may come from the other's, and a call that cannot work from the wrong
// thread says so.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "ExploreModel.h"
#include "Fixtures.h"
#include "Hosts.h"
#include "resource.h"
#include "tavrokessaui.h"

namespace {

// Cancels every dialog of the calling thread shortly after it shows: a closer of
// its own per thread, since the test driver serves one thread only.
class ThreadCloser {
public:
    ThreadCloser() : m_timer(SetTimer(nullptr, 0, 5, &ThreadCloser::Tick)) {}
    ~ThreadCloser() { KillTimer(nullptr, m_timer); }
    ThreadCloser(const ThreadCloser&) = delete;
    ThreadCloser& operator=(const ThreadCloser&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM) -> BOOL {
                if (IsWindowVisible(window) && tkt::ClassOf(window) == "#32770")
                    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
                return TRUE;
            },
            0);
    }
    UINT_PTR m_timer;
};

// The texts of the tooltips this thread's windows carry right now.
std::vector<std::string> ThreadTooltipTexts() {
    std::vector<std::string> texts;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM context) -> BOOL {
            if (tkt::ClassOf(window) != TOOLTIPS_CLASSA) return TRUE;
            char text[256] = {};
            TOOLINFOA tool = {};
            tool.cbSize = TTTOOLINFOA_V2_SIZE;
            tool.lpszText = text;
            if (SendMessageA(window, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool)))
                reinterpret_cast<std::vector<std::string>*>(context)->push_back(text);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

}  // namespace

TEST(TwoThreads, EachDialogShowsItsOwnThreadsTexts) {
    struct Other {
        std::atomic<bool> stop{false};
        std::atomic<int> dialogs{0};
    } state;
    // The other thread shows history dialogs, whose column titles come from the
    // same string table, for as long as this one works.
    HANDLE other = CreateThread(
        nullptr, 0,
        [](LPVOID context) -> DWORD {
            auto* shared = static_cast<Other*>(context);
            ITavroKessaUI* ui = GetITavroKessaUI();
            ThreadCloser closer;
            TavroKessaHistoryDialogParams history;
            while (!shared->stop.load()) {
                ui->ShowHistoryDialog(nullptr, &history);
                ++shared->dialogs;
            }
            ReleaseITavroKessaUI(ui);
            return 0;
        },
        &state, 0, nullptr);
    ASSERT_NE(other, nullptr);

    tkt::Service ui;
    tkt::SettingsHost host;
    ui->SetHost(&host);
    // Each explore dialog ends as soon as it is to be filled, once its tooltips are read.
    tkt::ExploreModel explore("kessa.example.com");
    int wrong = 0;
    explore.intercept = [&](const std::string& event, ITavroKessaExploreDialog* dialog) {
        if (event.compare(0, 12, "OnOpenEntry(") != 0) return false;
        std::vector<std::string> texts = ThreadTooltipTexts();
        bool right = texts.size() == 2;
        for (const std::string& text : texts)
            right = right && (text == "Go To Last Folder Visited" || text == "Up One Level");
        if (!right) ++wrong;
        dialog->EndExplore(0);
        return true;
    };
    for (int i = 0; i < 120; ++i) EXPECT_EQ(ui->ShowExploreDialog(nullptr, &explore.params), 0);
    state.stop = true;
    EXPECT_EQ(WaitForSingleObject(other, 60000), WAIT_OBJECT_0);
    CloseHandle(other);

    EXPECT_EQ(explore.Count("OnOpenEntry"), 120);
    EXPECT_GT(state.dialogs.load(), 10);  // the threads did overlap
    EXPECT_EQ(wrong, 0);
}

TEST(TwoThreads, TheProgressWindowBelongsToTheThreadThatOpenedIt) {
    tkt::Service ui;
    TavroKessaProgressDialogParams record;
    ASSERT_EQ(ui->OpenProgressDialog(nullptr, &record), 1);
    HWND window = tkt::FindDialog("Dialog");
    ASSERT_NE(window, nullptr);

    struct Call {
        ITavroKessaUI* ui;
        INT_PTR closed;
    } call{ui.Get(), -1};
    HANDLE other = CreateThread(
        nullptr, 0,
        [](LPVOID context) -> DWORD {
            auto* c = static_cast<Call*>(context);
            c->closed = c->ui->CloseProgressDialog();
            return 0;
        },
        &call, 0, nullptr);
    ASSERT_NE(other, nullptr);
    // The other thread's call may need this thread's window to answer.
    while (MsgWaitForMultipleObjects(1, &other, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    CloseHandle(other);

    // Refused, and said so: the window is still open, and still ours to update and close.
    EXPECT_EQ(call.closed, 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(ui->UpdateProgressDialog(&record), 1);
    EXPECT_EQ(ui->CloseProgressDialog(), 1);
    EXPECT_FALSE(IsWindow(window));
}
