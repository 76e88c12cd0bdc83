// What a host can do wrong, or at odd moments, and the defined outcome of each:
// a quit message during a dialog, dialogs opened from inside another's events,
// the host changed while a dialog is open, events that throw.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <iterator>
#include <stdexcept>

#include "Controls.h"
#include "ExploreModel.h"
#include "DialogDriver.h"
#include "Fixtures.h"
#include "resource.h"
#include "service/Handles.h"
#include "tavrokessaui.h"

namespace {

class SigninEvents final : public ITavroKessaSigninDialogEvents {
public:
    bool OnQueryKessaList(TavroKessaSigninDialogParams*, HWND dialog, const char*, std::vector<std::string>*) override {
        return onQuery ? onQuery(dialog) : false;
    }
    bool OnLogin(TavroKessaSigninDialogParams*, HWND dialog) override { return onLogin ? onLogin(dialog) : true; }
    std::function<bool(HWND)> onQuery;
    std::function<bool(HWND)> onLogin;
};

// True when a WM_QUIT waits in this thread's queue; takes it out.
bool TakeQuit(WPARAM* code = nullptr) {
    MSG message;
    if (!PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return false;
    if (code != nullptr) *code = message.wParam;
    return true;
}

}  // namespace

TEST(Misuse, QuitDuringAModalDialogEndsItAndStaysQueued) {
    tkt::Service ui;
    TavroKessaSigninDialogParams signin;
    signin.SetUser("kept");
    tkt::Driver driver;
    driver.WaitDialog("Calvex Kessa Log In").Do([] { PostQuitMessage(7); });
    INT_PTR result = driver.Run([&] { return ui->ShowSigninDialog(nullptr, &signin); });
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(result, 0);
    WPARAM code = 0;
    EXPECT_TRUE(TakeQuit(&code));  // still there for the host's own loop
    EXPECT_EQ(code, 7u);
    EXPECT_STREQ(signin.GetUser(), "kept");

    TavroKessaOptionsDialogParams options;
    options.SetWorkingFolder("C:\\work");
    tkt::Driver second;
    second.WaitDialog("Kessa Options").Do([] { PostQuitMessage(3); });
    result = second.Run([&] { return ui->ShowOptionsDialog(nullptr, &options); });
    EXPECT_FALSE(second.TimedOut());
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(TakeQuit());
    EXPECT_STREQ(options.GetWorkingFolder(), "C:\\work");
}

TEST(Misuse, QuitWhileTheProgressWindowIsUpIsTheHostsToHandle) {
    tkt::Service ui;
    TavroKessaProgressDialogParams progress;
    ASSERT_EQ(ui->OpenProgressDialog(nullptr, &progress), 1);
    PostQuitMessage(0);
    EXPECT_EQ(ui->UpdateProgressDialog(&progress), 1);  // an update neither takes nor dispatches it
    EXPECT_TRUE(TakeQuit());
    EXPECT_EQ(ui->CloseProgressDialog(), 1);
}

TEST(Misuse, NestedServiceOperationsFromInsideSigninEvents) {
    tkt::Service ui;
    SigninEvents events;
    TavroKessaSigninDialogParams signin;
    signin.SetITavroKessaSigninDialogEvents(&events);
    TavroKessaOptionsDialogParams options;
    TavroKessaSigninDialogParams inner;
    std::vector<INT_PTR> nested;

    // From inside the query: a message box, the options dialog and a second sign-in,
    // each closed by the user; then no chooser.
    events.onQuery = [&](HWND dialog) {
        tkt::Driver box;
        box.WaitDialog("nested").Do([&] { tkt::Click(box.Dialog(), IDOK); });
        nested.push_back(box.Run([&] { return ui->ShowMessage(dialog, "inside", "nested", 0); }));
        tkt::Driver opts;
        opts.WaitDialog("Kessa Options").Do([&] { tkt::Click(opts.Dialog(), IDOK); });
        nested.push_back(opts.Run([&] { return ui->ShowOptionsDialog(dialog, &options); }));
        tkt::Driver again;
        again.WaitDialog("Calvex Kessa Log In").Do([&] { tkt::Click(again.Dialog(), IDCANCEL); });
        nested.push_back(again.Run([&] { return ui->ShowSigninDialog(dialog, &inner); }));
        return false;
    };
    // From inside OnLogin: a progress window opened and closed.
    events.onLogin = [&](HWND dialog) {
        TavroKessaProgressDialogParams progress;
        nested.push_back(ui->OpenProgressDialog(dialog, &progress));
        nested.push_back(ui->CloseProgressDialog());
        return true;
    };

    int handles = tk::LiveHandlesTotal();
    tkt::Driver driver(30000);
    driver.WaitDialog("Calvex Kessa Log In")
        .Do([&] { tkt::Click(driver.Dialog(), IDC_SIGNIN_QUERY); })
        .Wait([&] { return nested.size() == 3; })
        .WaitDialog("Calvex Kessa Log In")
        .Do([&] { tkt::Click(driver.Dialog(), IDOK); });
    EXPECT_EQ(driver.Run([&] { return ui->ShowSigninDialog(nullptr, &signin); }), 1);
    EXPECT_TRUE(driver.AllStepsDone());
    EXPECT_EQ(nested, (std::vector<INT_PTR>{1, 1, 0, 1, 1}));
    EXPECT_EQ(tk::LiveHandlesTotal(), handles);
    EXPECT_EQ(driver.LiveCreatedWindows(), 0);
}

// --- More rows: history, properties, progress and the host settings object ------

namespace {

class HistoryEvents final : public ITavroKessaHistoryDialogEvents {
public:
    bool CanGetVersion(int, HWND dialog) override { return can ? can(dialog) : true; }
    bool OnGetVersion(int, bool, HWND dialog) override { return get ? get(dialog) : true; }
    std::function<bool(HWND)> can;
    std::function<bool(HWND)> get;
};

class ProgressEvents final : public ITavroKessaProgressDialogEvents {
public:
    void OnCancel(TavroKessaProgressDialogParams*) override {
        ++cancels;
        if (onCancel) onCancel();
    }
    std::function<void()> onCancel;
    int cancels = 0;
};

class ThrowingHost final : public ITavroKessaUIHost {
public:
    COLORREF GetColor(int) override { throw std::runtime_error("colour"); }
    unsigned int GetDisplayFlags() override {
        if (throwFlags) throw std::runtime_error("flags");
        return 0;
    }
    bool throwFlags = true;
};

struct HistoryRecord {
    HistoryRecord() {
        for (int i = 0; i < 3; ++i) {
            entries[i].SetEntry(100 + i);
            entries[i].SetLatestVer(i + 1);
            params.AddEntry(&entries[i]);
        }
        params.SetITavroKessaHistoryDialogEvents(&events);
    }
    TavroKessaFileHistoryEntry entries[4];
    TavroKessaHistoryDialogParams params;
    HistoryEvents events;
};

void SelectRow(HWND dialog, int row) { tkt::SetItemSelected(GetDlgItem(dialog, IDC_HISTORY_LIST), row, true); }

// The host's own box, over `owner`, closed by a nested driver.
void HostMessageBox(HWND owner) {
    tkt::Driver box;
    box.WaitDialog("host box").Do([&] { tkt::Click(box.Dialog(), IDOK); });
    box.Run([&] { return static_cast<INT_PTR>(MessageBoxA(owner, "busy", "host box", MB_OK)); });
}

// A host that keeps the user interface alive while it works.
void PumpMessages() {
    for (int i = 0; i < 50; ++i) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(1);
    }
}

}  // namespace

TEST(Misuse, QuitDuringHistoryAndPropertiesEndsThemWithOne) {
    tkt::Service ui;
    HistoryRecord history;
    TavroKessaPropertyDialogParams properties;
    const std::function<INT_PTR()> shows[] = {
        [&] { return ui->ShowHistoryDialog(nullptr, &history.params); },
        [&] { return ui->ShowPropertyDialog(nullptr, &properties); },
    };
    for (const auto& show : shows) {
        tkt::Driver driver;
        driver.WaitDialog().Do([] { PostQuitMessage(5); });
        EXPECT_EQ(driver.Run(show), 1);
        EXPECT_FALSE(driver.TimedOut());
        WPARAM code = 0;
        EXPECT_TRUE(TakeQuit(&code));
        EXPECT_EQ(code, 5u);
        EXPECT_EQ(driver.LiveCreatedWindows(), 0);
    }
}

TEST(Misuse, ADialogThatCannotBeCreatedFailsWithMinusOne) {
    // A parent that is not a window: the platform refuses before any window exists.
    HWND bogus = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x7ff0bad0));
    tkt::Service ui;
    TavroKessaOptionsDialogParams options;
    TavroKessaSigninDialogParams signin;
    TavroKessaPropertyDialogParams properties;
    HistoryRecord history;
    TavroKessaProgressDialogParams progress;
    int handles = tk::LiveHandlesTotal();
    tkt::Driver driver(3000);
    std::vector<INT_PTR> results;
    driver.Run([&] {
        results = {ui->ShowOptionsDialog(bogus, &options), ui->ShowSigninDialog(bogus, &signin),
                   ui->ShowPropertyDialog(bogus, &properties), ui->ShowHistoryDialog(bogus, &history.params),
                   ui->OpenProgressDialog(bogus, &progress)};
        return 0;
    });
    EXPECT_EQ(results, (std::vector<INT_PTR>{-1, -1, -1, -1, 0}));
    EXPECT_TRUE(driver.CreatedWindows().empty());
    EXPECT_EQ(ui->UpdateProgressDialog(&progress), 0);
    EXPECT_EQ(ui->CloseProgressDialog(), 0);
    EXPECT_EQ(tk::LiveHandlesTotal(), handles);
}

// Inside every event that gets a window, the host shows its own box, pumps
// messages for a while, or opens one of our modal dialogs over it; the dialog
// carries on and ends as it would have.
TEST(Misuse, HostWindowsAndMessageLoopsInsideEveryEvent) {
    tkt::Service ui;
    TavroKessaPropertyDialogParams properties;
    TavroKessaOptionsDialogParams options;
    const std::function<void(HWND)> interludes[] = {
        HostMessageBox,
        [](HWND) { PumpMessages(); },
        [&](HWND owner) {
            tkt::Driver inner;
            inner.WaitDialog("Properties").Do([&] { tkt::PressKey(inner.Dialog(), VK_ESCAPE); });
            EXPECT_EQ(inner.Run([&] { return ui->ShowPropertyDialog(owner, &properties); }), 1);
        },
        [&](HWND owner) {
            tkt::Driver inner;
            inner.WaitDialog("History").Do([&] { tkt::CloseBox(inner.Dialog()); });
            HistoryRecord nested;
            EXPECT_EQ(inner.Run([&] { return ui->ShowHistoryDialog(owner, &nested.params); }), 1);
        },
        [&](HWND owner) {
            tkt::Driver inner;
            inner.WaitDialog("Kessa Options").Do([&] { tkt::Click(inner.Dialog(), IDCANCEL); });
            EXPECT_EQ(inner.Run([&] { return ui->ShowOptionsDialog(owner, &options); }), 0);
        },
    };
    int handles = tk::LiveHandlesTotal();
    for (size_t way = 0; way < std::size(interludes); ++way) {
        SCOPED_TRACE(way);
        const auto& interlude = interludes[way];

        // History: CanGetVersion (on selection) and OnGetVersion (the button).
        HistoryRecord history;
        int asks = 0, gets = 0;
        history.events.can = [&](HWND dialog) {
            if (asks++ == 0) interlude(dialog);
            return true;
        };
        history.events.get = [&](HWND dialog) {
            interlude(dialog);
            ++gets;
            return true;
        };
        tkt::Driver driver(30000);
        driver.WaitDialog("History")
            .Do([&] { SelectRow(driver.Dialog(), 1); })
            .Wait([&] { return tkt::IsEnabled(driver.Dialog(), IDC_HISTORY_GET_VERSION); })
            .Do([&] { tkt::Click(driver.Dialog(), IDC_HISTORY_GET_VERSION); })
            .Wait([&] { return gets == 1; })
            .Do([&] { tkt::Click(driver.Dialog(), IDCANCEL); });
        EXPECT_EQ(tkt::RunChecked(driver, [&] { return ui->ShowHistoryDialog(nullptr, &history.params); }), 1);

        // Sign-in: the query and the login.
        SigninEvents events;
        TavroKessaSigninDialogParams signin;
        signin.SetITavroKessaSigninDialogEvents(&events);
        int queries = 0;
        events.onQuery = [&](HWND dialog) {
            interlude(dialog);
            ++queries;
            return false;
        };
        events.onLogin = [&](HWND dialog) {
            interlude(dialog);
            return true;
        };
        tkt::Driver login(30000);
        login.WaitDialog("Calvex Kessa Log In")
            .Do([&] { tkt::TypeText(login.Dialog(), IDC_SIGNIN_USER, "someone"); })
            .Do([&] { tkt::Click(login.Dialog(), IDC_SIGNIN_QUERY); })
            .Wait([&] { return queries == 1; })
            .Do([&] { tkt::Click(login.Dialog(), IDOK); });
        EXPECT_EQ(login.Run([&] { return ui->ShowSigninDialog(nullptr, &signin); }), 1);
        EXPECT_TRUE(login.AllStepsDone());
        EXPECT_STREQ(signin.GetUser(), "someone");
        EXPECT_EQ(login.LiveCreatedWindows(), 0);

        // Progress: OnCancel from the button.
        ProgressEvents progressEvents;
        TavroKessaProgressDialogParams progress;
        progress.SetITavroKessaProgressDialogEvents(&progressEvents);
        ASSERT_EQ(ui->OpenProgressDialog(nullptr, &progress), 1);
        HWND window = tkt::FindDialog("Dialog");
        progressEvents.onCancel = [&] { interlude(window); };
        tkt::Driver pump(30000);
        pump.WaitDialog("pump")
            .Do([&] { tkt::Click(window, IDC_PROGRESS_CANCEL); })
            .Wait([&] { return progressEvents.cancels == 1; })
            .Do([&] { tkt::Click(pump.Dialog(), IDOK); });
        pump.Run([&] { return static_cast<INT_PTR>(ui->ShowMessage(nullptr, "wait", "pump", 0)); });
        EXPECT_EQ(ui->UpdateProgressDialog(&progress), 1);
        EXPECT_EQ(ui->CloseProgressDialog(), 1);
    }
    EXPECT_EQ(tk::LiveHandlesTotal(), handles);
}

// Every host interface that throws: caught at our boundary, the dialog ends with
// -1 (a modal one) and nothing stays behind.
TEST(Misuse, EveryEventInterfaceThatThrows) {
    tkt::Service ui;
    int handles = tk::LiveHandlesTotal();

    HistoryRecord history;
    history.events.get = [](HWND) -> bool { throw std::runtime_error("fetch"); };
    tkt::Driver fetch;
    fetch.WaitDialog("History")
        .Do([&] { SelectRow(fetch.Dialog(), 0); })
        .Wait([&] { return tkt::IsEnabled(fetch.Dialog(), IDC_HISTORY_GET_VERSION); })
        .Do([&] { tkt::Click(fetch.Dialog(), IDC_HISTORY_GET_VERSION); });
    EXPECT_EQ(tkt::RunChecked(fetch, [&] { return ui->ShowHistoryDialog(nullptr, &history.params); }), -1);

    // The host settings object: no box at all, and dialogs that end at their start.
    ThrowingHost host;
    ui->SetHost(&host);
    tkt::Driver none(3000);
    EXPECT_EQ(none.Run([&] { return ui->ShowMessage(nullptr, "never shown", "box", 0); }), TAVROKESSA_ANSWER_CANCEL);
    TavroKessaOptionsDialogParams options;
    TavroKessaPropertyDialogParams properties;
    TavroKessaSigninDialogParams signin;
    none.Run([&] {
        EXPECT_EQ(ui->ShowOptionsDialog(nullptr, &options), -1);
        EXPECT_EQ(ui->ShowPropertyDialog(nullptr, &properties), -1);
        EXPECT_EQ(ui->ShowSigninDialog(nullptr, &signin), -1);
        EXPECT_EQ(ui->ShowHistoryDialog(nullptr, &history.params), -1);
        host.throwFlags = false;  // now the history colours throw
        EXPECT_EQ(ui->ShowHistoryDialog(nullptr, &history.params), -1);
        return 0;
    });
    EXPECT_EQ(none.LiveCreatedWindows(), 0);
    EXPECT_FALSE(none.TimedOut());
    ui->SetHost(nullptr);

    // Progress: the window stays. From its own button the window carries on; from
    // an update, the update reports failure and the window is still there to close.
    ProgressEvents events;
    events.onCancel = [] { throw std::runtime_error("cancel"); };
    TavroKessaProgressDialogParams progress;
    progress.SetITavroKessaProgressDialogEvents(&events);
    ASSERT_EQ(ui->OpenProgressDialog(nullptr, &progress), 1);
    HWND window = tkt::FindDialog("Dialog");
    SendMessageA(window, WM_COMMAND, IDC_PROGRESS_CANCEL, 0);
    EXPECT_TRUE(IsWindow(window));
    PostMessageA(GetDlgItem(window, IDC_PROGRESS_CANCEL), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(ui->UpdateProgressDialog(&progress), 0);
    EXPECT_EQ(events.cancels, 2);
    EXPECT_TRUE(IsWindow(window));
    MSG drain;
    while (PeekMessageA(&drain, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&drain);
    EXPECT_EQ(ui->CloseProgressDialog(), 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(tk::LiveHandlesTotal(), handles);
}

// --- The explore dialog: every event, each misuse ---------------------------------

namespace {

enum class Misdeed { Operate, Throw, Nest };

// Fills a small folder on every refill and does its misdeed at the first call of
// the one event it is aimed at.
class ExploreHost final : public ITavroKessaExploreDialogEvents {
public:
    ExploreHost(ITavroKessaUI* service, std::string target, Misdeed misdeed)
        : m_ui(service), m_target(std::move(target)), m_misdeed(misdeed) {}

    bool OnInitDialog(ITavroKessaExploreDialog* d) override { return Event("OnInitDialog", d); }
    bool OnOpenEntry(ITavroKessaExploreDialog* d, int index) override {
        if (Event(index < 0 ? "OnOpenEntry(-1)" : "OnOpenEntry", d)) return true;
        Fill(d);
        return true;
    }
    bool OnOpen(ITavroKessaExploreDialog* d, std::vector<int>) override { return Event("OnOpen", d); }
    bool OnLookInSelected(ITavroKessaExploreDialog* d, int, int) override { return Event("OnLookInSelected", d); }
    bool OnUpOneLevel(ITavroKessaExploreDialog* d) override { return Event("OnUpOneLevel", d); }
    bool OnGoToLastFolder(ITavroKessaExploreDialog* d) override { return Event("OnGoToLastFolder", d); }
    bool CanGoToLastFolder(ITavroKessaExploreDialog* d) override { return Event("CanGoToLastFolder", d) || true; }
    bool GetSelectionText(ITavroKessaExploreDialog* d, std::vector<int>, std::string&) override {
        return Event("GetSelectionText", d);
    }

    bool done = false;
    std::function<void()> then;  // after an Operate misdeed, still inside the event
    std::vector<bool> accepted;  // what the operations answered inside the event
    std::vector<bool> refused;   // and right after EndExplore

private:
    bool Event(const char* name, ITavroKessaExploreDialog* d) {
        if (done || m_target != name) return false;
        done = true;
        switch (m_misdeed) {
        case Misdeed::Throw:
            throw std::runtime_error(name);
        case Misdeed::Operate:
            accepted = TryAll(d);
            accepted.push_back(d->EndExplore(1));
            refused = TryAll(d);
            refused.push_back(d->EndExplore(0));  // the first end stands
            if (then) then();
            return true;
        case Misdeed::Nest: {
            TavroKessaPropertyDialogParams properties;
            tkt::Driver inner;
            inner.WaitDialog("Properties").Do([&] { tkt::PressKey(inner.Dialog(), VK_ESCAPE); });
            EXPECT_EQ(inner.Run([&] { return m_ui->ShowPropertyDialog(nullptr, &properties); }), 1);
            HostMessageBox(nullptr);
            PumpMessages();
            return false;
        }
        }
        return false;
    }
    std::vector<bool> TryAll(ITavroKessaExploreDialog* d) {
        TavroKessaExploreDialogEntry entry;
        entry.SetDisplayName("extra.txt");
        return {d->AddListEntry(&entry), d->AddLookInEntry(&entry, false), d->Redraw(),
                d->GetCurrentFilterExtensions() != nullptr};
    }
    void Fill(ITavroKessaExploreDialog* d) {
        d->ClearEntries();
        for (int i = 0; i < 3; ++i) {
            TavroKessaExploreDialogEntry entry;
            entry.SetDisplayName(i == 0 ? "folder" : ("file" + std::to_string(i) + ".txt").c_str());
            entry.SetFolder(i == 0);
            entry.SetIndex(10 + i);
            d->AddListEntry(&entry);
        }
        d->ClearLookIn();
        for (const char* level : {"$/", "project"}) {
            TavroKessaExploreDialogEntry entry;
            entry.SetDisplayName(level);
            d->AddLookInEntry(&entry, true);
        }
    }

    ITavroKessaUI* m_ui;
    std::string m_target;
    Misdeed m_misdeed;
};

void SelectExploreItem(HWND dialog, int row) {
    tkt::SetItemSelected(GetDlgItem(dialog, IDC_EXPLORE_LIST), row, true);
}

// Makes the user do what leads to `event`.
void Provoke(HWND dialog, const std::string& event) {
    HWND list = GetDlgItem(dialog, IDC_EXPLORE_LIST);
    if (event == "OnOpen") {
        SelectExploreItem(dialog, 1);
        tkt::Click(dialog, IDC_EXPLORE_OPEN);
    } else if (event == "OnOpenEntry") {
        // Through the list view's own procedure, as a real double click.
        RECT where = {};
        where.left = LVIR_LABEL;
        SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&where));
        const LPARAM point = MAKELPARAM(where.left + 2, where.top + 2);
        PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
        PostMessageA(list, WM_LBUTTONUP, 0, point);
        PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
        PostMessageA(list, WM_LBUTTONUP, 0, point);
    } else if (event == "OnLookInSelected") {
        HWND combo = GetDlgItem(dialog, IDC_EXPLORE_LOOK_IN);
        SendMessageA(combo, CB_SETCURSEL, 0, 0);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_EXPLORE_LOOK_IN, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    } else if (event == "OnUpOneLevel") {
        tkt::Click(dialog, IDC_EXPLORE_UP);
    } else if (event == "OnGoToLastFolder") {
        tkt::Click(dialog, IDC_EXPLORE_BACK);
    } else if (event == "GetSelectionText") {
        SelectExploreItem(dialog, 2);
    }
}

}  // namespace

TEST(Misuse, ExploreOperationsThrowsAndNestedDialogsFromEveryEvent) {
    tkt::Service ui;
    tkt::SettingsHost host;
    ui->SetHost(&host);
    const char* const events[] = {"OnInitDialog", "OnOpenEntry(-1)", "CanGoToLastFolder", "OnOpenEntry", "OnOpen",
                                  "OnLookInSelected", "OnUpOneLevel", "OnGoToLastFolder", "GetSelectionText"};
    const int handles = tk::LiveHandlesTotal();
    for (const char* event : events) {
        for (Misdeed misdeed : {Misdeed::Operate, Misdeed::Throw, Misdeed::Nest}) {
            SCOPED_TRACE(std::string(event) + " misdeed " + std::to_string(static_cast<int>(misdeed)));
            const bool atStart = std::string(event) == "OnInitDialog";
            ExploreHost explorer(ui.Get(), event, misdeed);
            TavroKessaExploreDialogParams params;
            params.SetTitle("Explore Kessa");
            params.AddFilter("All", "*.*");
            params.SetITavroKessaExploreDialogEvents(&explorer);
            tkt::Driver driver(30000);
            driver.Wait([&] {
                      // Ended at its start, it may never show.
                      if (explorer.done) return true;
                      HWND dialog = tkt::FindDialog("Explore Kessa");
                      if (dialog == nullptr) return false;
                      Provoke(dialog, event);
                      return true;
                  })
                .Wait([&] { return explorer.done; })
                .Wait([&] {
                    // A dialog still open afterwards is cancelled, once it shows.
                    HWND dialog = tkt::FindDialog("Explore Kessa");
                    if (dialog != nullptr) tkt::Click(dialog, IDCANCEL);
                    return dialog != nullptr;
                });
            const INT_PTR result = driver.Run([&] { return ui->ShowExploreDialog(nullptr, &params); });
            EXPECT_TRUE(explorer.done);
            EXPECT_FALSE(driver.TimedOut());
            EXPECT_EQ(driver.LiveCreatedWindows(), 0);
            switch (misdeed) {
            case Misdeed::Throw:
                EXPECT_EQ(result, -1);
                break;
            case Misdeed::Nest:
                EXPECT_EQ(result, 0);
                break;
            case Misdeed::Operate:
                // Before the list exists the fills are refused, but the end works
                // from every event; the filter's extensions stay readable as long as
                // the record lives.
                EXPECT_EQ(explorer.accepted, (std::vector<bool>{!atStart, !atStart, !atStart, true, true}));
                EXPECT_EQ(explorer.refused, (std::vector<bool>{false, false, false, true, false}));
                EXPECT_EQ(result, 1);
                break;
            }
        }
    }
    EXPECT_EQ(tk::LiveHandlesTotal(), handles);
}

TEST(Misuse, ExploreLookInColoursFromAHostThatThrows) {
    tkt::Service ui;
    ThrowingHost host;
    host.throwFlags = false;
    ui->SetHost(&host);
    ExploreHost explorer(ui.Get(), "none", Misdeed::Operate);
    TavroKessaExploreDialogParams params;
    params.SetTitle("Explore Kessa");
    params.SetITavroKessaExploreDialogEvents(&explorer);
    // The first paint draws the "Look in:" field, which asks the host for its colours.
    tkt::Driver driver;
    EXPECT_EQ(tkt::RunChecked(driver, [&] { return ui->ShowExploreDialog(nullptr, &params); }), -1);
}

// A host that chooses and then quits: the choice stands, the quit waits for its loop.
TEST(Misuse, ExploreEndedByTheHostBeforeAQuitKeepsItsResult) {
    tkt::Service ui;
    tkt::SettingsHost host;
    ui->SetHost(&host);
    ExploreHost explorer(ui.Get(), "OnOpen", Misdeed::Operate);
    TavroKessaExploreDialogParams params;
    params.SetTitle("Explore Kessa");
    params.SetITavroKessaExploreDialogEvents(&explorer);
    tkt::Driver driver;
    explorer.then = [] { PostQuitMessage(9); };
    driver.WaitDialog("Explore Kessa").Do([&] { Provoke(driver.Dialog(), "OnOpen"); });
    EXPECT_EQ(driver.Run([&] { return ui->ShowExploreDialog(nullptr, &params); }), 1);
    EXPECT_EQ(params.GetSelections(), (std::vector<int>{11}));
    EXPECT_TRUE(TakeQuit());
}

// --- Messages that carry a structure, sent without one -------------------------------

TEST(Misuse, StructureMessagesWithoutTheirStructureAreRefusedByEveryDialog) {
    tkt::Service ui;
    tkt::SettingsHost host;
    ui->SetHost(&host);
    // Surviving is the test: each used to be read through the null pointer.
    auto poke = [](HWND dialog) {
        for (UINT message : {WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM, WM_SIZING})
            SendMessageA(dialog, message, IDC_EXPLORE_LOOK_IN, 0);
        SendMessageA(dialog, WM_SIZING, WMSZ_RIGHT, 0);
        EXPECT_TRUE(IsWindow(dialog));
    };
    auto run = [&](const char* title, int close, const std::function<INT_PTR()>& show) {
        SCOPED_TRACE(title);
        tkt::Driver driver;
        driver.WaitDialog(title).Do([&] {
            poke(driver.Dialog());
            tkt::Click(driver.Dialog(), close);
        });
        return tkt::RunChecked(driver, show);
    };
    TavroKessaSigninDialogParams signin;
    EXPECT_EQ(run("Calvex Kessa Log In", IDCANCEL, [&] { return ui->ShowSigninDialog(nullptr, &signin); }), 0);
    TavroKessaOptionsDialogParams options;
    EXPECT_EQ(run("Kessa Options", IDOK, [&] { return ui->ShowOptionsDialog(nullptr, &options); }), 1);
    TavroKessaPropertyDialogParams properties;
    EXPECT_EQ(run("Properties", IDOK, [&] { return ui->ShowPropertyDialog(nullptr, &properties); }), 1);
    HistoryRecord history;
    EXPECT_EQ(run("History", IDCANCEL, [&] { return ui->ShowHistoryDialog(nullptr, &history.params); }), 1);
    tkt::ExploreModel model;
    model.params.SetTitle("Explore Kessa");
    EXPECT_EQ(run("Explore Kessa", IDCANCEL, [&] { return ui->ShowExploreDialog(nullptr, &model.params); }), 0);

    TavroKessaProgressDialogParams progress;
    ASSERT_EQ(ui->OpenProgressDialog(nullptr, &progress), 1);
    poke(tkt::FindDialog("Dialog"));
    EXPECT_EQ(ui->CloseProgressDialog(), 1);
}
