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
#include "Hosts.h"
#include "resource.h"
#include "service/Handles.h"
#include "tavrokessaui.h"

namespace {

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
    INT_PTR result = tkt::RunChecked(driver, [&] { return ui->ShowSigninDialog(nullptr, &signin); });
    EXPECT_EQ(result, 0);
    WPARAM code = 0;
    EXPECT_TRUE(TakeQuit(&code));  // still there for the host's own loop
    EXPECT_EQ(code, 7u);
    EXPECT_STREQ(signin.GetUser(), "kept");

    TavroKessaOptionsDialogParams options;
    options.SetWorkingFolder("C:\\work");
    tkt::Driver second;
    second.WaitDialog("Kessa Options").Do([] { PostQuitMessage(3); });
    result = tkt::RunChecked(second, [&] { return ui->ShowOptionsDialog(nullptr, &options); });
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
    tkt::SigninHost events;
    TavroKessaSigninDialogParams signin;
    signin.SetITavroKessaSigninDialogEvents(&events);
    TavroKessaOptionsDialogParams options;
    TavroKessaSigninDialogParams inner;
    std::vector<INT_PTR> nested;

    // From inside the query: a message box, the options dialog and a second sign-in,
    // each closed by the user; then no chooser.
    events.onQuery = [&](TavroKessaSigninDialogParams*, HWND dialog, std::vector<std::string>&) {
        tkt::Driver box;
        box.WaitDialog("nested").Do([&] { tkt::Click(box.Dialog(), IDOK); });
        nested.push_back(tkt::RunChecked(box, [&] { return ui->ShowMessage(dialog, "inside", "nested", 0); }));
        tkt::Driver opts;
        opts.WaitDialog("Kessa Options").Do([&] { tkt::Click(opts.Dialog(), IDOK); });
        nested.push_back(tkt::RunChecked(opts, [&] { return ui->ShowOptionsDialog(dialog, &options); }));
        tkt::Driver again;
        again.WaitDialog("Calvex Kessa Log In").Do([&] { tkt::Click(again.Dialog(), IDCANCEL); });
        nested.push_back(tkt::RunChecked(again, [&] { return ui->ShowSigninDialog(dialog, &inner); }));
        return false;
    };
    // From inside OnLogin: a progress window opened and closed.
    events.onLogin = [&](TavroKessaSigninDialogParams*, HWND dialog) {
        TavroKessaProgressDialogParams progress;
        nested.push_back(ui->OpenProgressDialog(dialog, &progress));
        nested.push_back(ui->CloseProgressDialog());
        return true;
    };

    tkt::Driver driver(30000);
    driver.WaitDialog("Calvex Kessa Log In")
        .Do([&] { tkt::Click(driver.Dialog(), IDC_SIGNIN_QUERY); })
        .Wait([&] { return nested.size() == 3; })
        .WaitDialog("Calvex Kessa Log In")
        .Do([&] { tkt::Click(driver.Dialog(), IDOK); });
    EXPECT_EQ(tkt::RunChecked(driver, [&] { return ui->ShowSigninDialog(nullptr, &signin); }), 1);
    EXPECT_EQ(nested, (std::vector<INT_PTR>{1, 1, 0, 1, 1}));
}

// --- More rows: history, properties, progress and the host settings object ------

namespace {

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
    tkt::HistoryHost events;
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
        EXPECT_EQ(tkt::RunChecked(driver, show), 1);
        WPARAM code = 0;
        EXPECT_TRUE(TakeQuit(&code));
        EXPECT_EQ(code, 5u);
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
    tkt::RunChecked(driver, [&] {
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
            EXPECT_EQ(tkt::RunChecked(inner, [&] { return ui->ShowPropertyDialog(owner, &properties); }), 1);
        },
        [&](HWND owner) {
            tkt::Driver inner;
            inner.WaitDialog("History").Do([&] { tkt::CloseBox(inner.Dialog()); });
            HistoryRecord nested;
            EXPECT_EQ(tkt::RunChecked(inner, [&] { return ui->ShowHistoryDialog(owner, &nested.params); }), 1);
        },
        [&](HWND owner) {
            tkt::Driver inner;
            inner.WaitDialog("Kessa Options").Do([&] { tkt::Click(inner.Dialog(), IDCANCEL); });
            EXPECT_EQ(tkt::RunChecked(inner, [&] { return ui->ShowOptionsDialog(owner, &options); }), 0);
        },
    };
    int handles = tk::LiveHandlesTotal();
    for (size_t way = 0; way < std::size(interludes); ++way) {
        SCOPED_TRACE(way);
        const auto& interlude = interludes[way];

        // History: CanGetVersion (on selection) and OnGetVersion (the button).
        HistoryRecord history;
        int asks = 0, gets = 0;
        history.events.onAsk = [&](int, HWND dialog) {
            if (asks++ == 0) interlude(dialog);
            return true;
        };
        history.events.onFetch = [&](int, HWND dialog) {
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
        tkt::SigninHost events;
        TavroKessaSigninDialogParams signin;
        signin.SetITavroKessaSigninDialogEvents(&events);
        int queries = 0;
        events.onQuery = [&](TavroKessaSigninDialogParams*, HWND dialog, std::vector<std::string>&) {
            interlude(dialog);
            ++queries;
            return false;
        };
        events.onLogin = [&](TavroKessaSigninDialogParams*, HWND dialog) {
            interlude(dialog);
            return true;
        };
        tkt::Driver login(30000);
        login.WaitDialog("Calvex Kessa Log In")
            .Do([&] { tkt::TypeText(login.Dialog(), IDC_SIGNIN_USER, "someone"); })
            .Do([&] { tkt::Click(login.Dialog(), IDC_SIGNIN_QUERY); })
            .Wait([&] { return queries == 1; })
            .Do([&] { tkt::Click(login.Dialog(), IDOK); });
        EXPECT_EQ(tkt::RunChecked(login, [&] { return ui->ShowSigninDialog(nullptr, &signin); }), 1);
        EXPECT_STREQ(signin.GetUser(), "someone");

        // Progress: OnCancel from the button.
        tkt::ProgressHost progressEvents;
        TavroKessaProgressDialogParams progress;
        progress.SetITavroKessaProgressDialogEvents(&progressEvents);
        ASSERT_EQ(ui->OpenProgressDialog(nullptr, &progress), 1);
        HWND window = tkt::FindDialog("Dialog");
        progressEvents.onCancel = [&](TavroKessaProgressDialogParams*) { interlude(window); };
        tkt::Driver pump(30000);
        pump.WaitDialog("pump")
            .Do([&] { tkt::Click(window, IDC_PROGRESS_CANCEL); })
            .Wait([&] { return progressEvents.Count("OnCancel") == 1; })
            .Do([&] { tkt::Click(pump.Dialog(), IDOK); });
        tkt::RunChecked(pump, [&] { return static_cast<INT_PTR>(ui->ShowMessage(nullptr, "wait", "pump", 0)); });
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
    history.events.ThrowIn("OnGetVersion");
    tkt::Driver fetch;
    fetch.WaitDialog("History")
        .Do([&] { SelectRow(fetch.Dialog(), 0); })
        .Wait([&] { return tkt::IsEnabled(fetch.Dialog(), IDC_HISTORY_GET_VERSION); })
        .Do([&] { tkt::Click(fetch.Dialog(), IDC_HISTORY_GET_VERSION); });
    EXPECT_EQ(tkt::RunChecked(fetch, [&] { return ui->ShowHistoryDialog(nullptr, &history.params); }), -1);

    // The host settings object: no box at all, and dialogs that end at their start.
    tkt::SettingsHost host;
    host.ThrowIn("GetColor");
    host.ThrowIn("GetDisplayFlags");
    ui->SetHost(&host);
    tkt::Driver none(3000);
    EXPECT_EQ(tkt::RunChecked(none, [&] { return ui->ShowMessage(nullptr, "never shown", "box", 0); }),
              TAVROKESSA_ANSWER_CANCEL);
    TavroKessaOptionsDialogParams options;
    TavroKessaPropertyDialogParams properties;
    TavroKessaSigninDialogParams signin;
    tkt::RunChecked(none, [&] {
        EXPECT_EQ(ui->ShowOptionsDialog(nullptr, &options), -1);
        EXPECT_EQ(ui->ShowPropertyDialog(nullptr, &properties), -1);
        EXPECT_EQ(ui->ShowSigninDialog(nullptr, &signin), -1);
        EXPECT_EQ(ui->ShowHistoryDialog(nullptr, &history.params), -1);
        host.StopThrowingIn("GetDisplayFlags");  // now the history colours throw
        EXPECT_EQ(ui->ShowHistoryDialog(nullptr, &history.params), -1);
        return 0;
    });
    ui->SetHost(nullptr);

    // Progress: the window stays. From its own button the window carries on; from
    // an update, the update reports failure and the window is still there to close.
    tkt::ProgressHost events;
    events.ThrowIn("OnCancel");
    TavroKessaProgressDialogParams progress;
    progress.SetITavroKessaProgressDialogEvents(&events);
    ASSERT_EQ(ui->OpenProgressDialog(nullptr, &progress), 1);
    HWND window = tkt::FindDialog("Dialog");
    SendMessageA(window, WM_COMMAND, IDC_PROGRESS_CANCEL, 0);
    EXPECT_TRUE(IsWindow(window));
    PostMessageA(GetDlgItem(window, IDC_PROGRESS_CANCEL), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(ui->UpdateProgressDialog(&progress), 0);
    EXPECT_EQ(events.Count("OnCancel"), 2);
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

// `logged`, as the model logs an event, is a call of `name`: "OnOpenEntry" is a
// double click's, the fill at the start "OnOpenEntry(-1)".
bool IsCallOf(const std::string& logged, const std::string& name) {
    if (logged == name) return true;
    return logged != "OnOpenEntry(-1)" && logged.compare(0, name.size() + 1, name + "(") == 0;
}

// What the operations answer, tried from inside an event.
std::vector<bool> TryAll(ITavroKessaExploreDialog* d) {
    TavroKessaExploreDialogEntry entry;
    entry.SetDisplayName("extra.txt");
    return {d->AddListEntry(&entry), d->AddLookInEntry(&entry, false), d->Redraw(),
            d->GetCurrentFilterExtensions() != nullptr};
}

// A host with one folder, "$/" > "project", of three entries (a folder and two
// files, whatever the filter), to which it can always go back; it shows no text
// for a selection. At the first call of the one event it is aimed at it does its
// misdeed in place of its answer.
struct Misbehaving {
    Misbehaving(ITavroKessaUI* ui, const std::string& target, Misdeed misdeed) {
        model.current = model.Add(0, "project", true);
        model.Add(model.current, "folder", true);
        model.Add(model.current, "file1.txt", false);
        model.Add(model.current, "file2.txt", false);
        model.history = {0};
        model.ignoreFilters = true;
        model.selectionTextAnswer = false;
        model.params.SetTitle("Explore Kessa");
        model.intercept = [this, ui, target, misdeed](const std::string& event, ITavroKessaExploreDialog* d) {
            if (done || !IsCallOf(event, target)) return false;
            done = true;
            switch (misdeed) {
            case Misdeed::Throw:
                throw std::runtime_error(event);
            case Misdeed::Operate:
                accepted = TryAll(d);
                accepted.push_back(d->EndExplore(1));
                refused = TryAll(d);
                refused.push_back(d->EndExplore(0));  // the first end stands
                if (then) then();
                model.handledResult = true;
                return true;
            case Misdeed::Nest: {
                TavroKessaPropertyDialogParams properties;
                tkt::Driver inner;
                inner.WaitDialog("Properties").Do([&] { tkt::PressKey(inner.Dialog(), VK_ESCAPE); });
                EXPECT_EQ(tkt::RunChecked(inner, [&] { return ui->ShowPropertyDialog(nullptr, &properties); }), 1);
                HostMessageBox(nullptr);
                PumpMessages();
                // Then what the host always does: a refill after OnOpenEntry, Go To Last
                // Folder enabled, no text for a selection, nothing for the rest.
                if (event.compare(0, 12, "OnOpenEntry(") == 0) model.Show(d, model.current);
                model.handledResult = event == "CanGoToLastFolder";
                return true;
            }
            }
            return false;
        };
    }

    tkt::ExploreModel model{"$/"};
    bool done = false;
    std::function<void()> then;  // after an Operate misdeed, still inside the event
    std::vector<bool> accepted;  // what the operations answered inside the event
    std::vector<bool> refused;   // and right after EndExplore
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
            Misbehaving explorer(ui.Get(), event, misdeed);
            TavroKessaExploreDialogParams& params = explorer.model.params;
            params.AddFilter("All", "*.*");
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
    tkt::SettingsHost host;
    host.ThrowIn("GetColor");
    ui->SetHost(&host);
    Misbehaving explorer(ui.Get(), "none", Misdeed::Operate);
    // The first paint draws the "Look in:" field, which asks the host for its colours.
    tkt::Driver driver;
    EXPECT_EQ(tkt::RunChecked(driver, [&] { return ui->ShowExploreDialog(nullptr, &explorer.model.params); }), -1);
}

// A host that chooses and then quits: the choice stands, the quit waits for its loop.
TEST(Misuse, ExploreEndedByTheHostBeforeAQuitKeepsItsResult) {
    tkt::Service ui;
    tkt::SettingsHost host;
    ui->SetHost(&host);
    Misbehaving explorer(ui.Get(), "OnOpen", Misdeed::Operate);
    TavroKessaExploreDialogParams& params = explorer.model.params;
    tkt::Driver driver;
    explorer.then = [] { PostQuitMessage(9); };
    driver.WaitDialog("Explore Kessa").Do([&] { Provoke(driver.Dialog(), "OnOpen"); });
    EXPECT_EQ(tkt::RunChecked(driver, [&] { return ui->ShowExploreDialog(nullptr, &params); }), 1);
    // The row Provoke selected.
    EXPECT_EQ(params.GetSelections(), (std::vector<int>{explorer.model.Find("file1.txt")}));
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
