// The rules every dialog keeps while a host event runs its own message loop (as
// real hosts do: a progress window while contacting the server, a message box, a
// network wait) and the user keeps clicking: input that would start a second
// event is not acted on, Cancel always works, the first end stands, and no event
// comes after the end. Each scripted host loops inside the event until the test
// releases it; the test presses buttons from inside that loop.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Controls.h"
#include "DialogDriver.h"
#include "ExploreModel.h"
#include "Fixtures.h"
#include "Hosts.h"
#include "resource.h"
#include "tavrokessaui.h"

namespace {

constexpr const char* kSignin = "Calvex Kessa Log In";

// A popup menu is on the screen.
bool MenuIsUp() { return tkt::PopupMenu() != nullptr; }

}  // namespace

// --- Sign-in ------------------------------------------------------------------------

// A sign-in whose host loops inside `event`.
struct SigninRun {
    explicit SigninRun(const char* event) {
        host.LoopIn(event);
        record.SetITavroKessaSigninDialogEvents(&host);
    }
    // Steps: type `text` into field `id`, press `button`, and wait until the host's loop runs.
    tkt::Driver& StartEvent(int id, const char* text, int button) {
        return driver.WaitDialog(kSignin)
            .Do([this, id, text, button] {
                dialog = driver.Dialog();
                tkt::TypeText(dialog, id, text);
                tkt::Click(dialog, button);
            })
            .Wait([this] { return host.Looping(); });
    }
    INT_PTR Run() { return tkt::RunChecked(driver, [&] { return ui->ShowSigninDialog(nullptr, &record); }); }

    tkt::Service ui;
    TavroKessaSigninDialogParams record;
    tkt::SigninHost host;
    tkt::Driver driver;
    HWND dialog = nullptr;
};

TEST(WhileAnEventRuns, SigninCancelStandsOverALaterAcceptAndASecondOkStartsNothing) {
    SigninRun run("OnLogin");
    HWND& dialog = run.dialog;
    run.StartEvent(IDC_SIGNIN_USER, "ann", IDOK)
        .Do([&] {
            // Typed while the host works, then OK again: nothing starts, nothing is written.
            tkt::TypeText(dialog, IDC_SIGNIN_USER, "bob");
            tkt::Click(dialog, IDOK);
        })
        .Do([&] {
            EXPECT_STREQ(run.record.GetUser(), "ann");
            tkt::Click(dialog, IDCANCEL);
        })
        .Do([&] { run.host.Release(); });  // the host now accepts the sign-in
    EXPECT_EQ(run.Run(), 0);
    EXPECT_EQ(run.host.Count("OnLogin"), 1);
    EXPECT_EQ(run.host.maxDepth, 1);
    EXPECT_EQ(run.host.logins, (std::vector<std::string>{"ann||||manual"}));
    // Cancel's write-back, made once the event had returned.
    EXPECT_STREQ(run.record.GetUser(), "bob");
}

TEST(WhileAnEventRuns, SigninQueryKeepsItsServerTextAndNamesWhileDotsIsPressedAgain) {
    SigninRun run("OnQueryKessaList");
    run.host.names = {"alpha-db"};
    tkt::Driver& driver = run.driver;
    HWND& dialog = run.dialog;
    run.StartEvent(IDC_SIGNIN_SERVER, "alpha", IDC_SIGNIN_QUERY)
        .Do([&] {
            tkt::TypeText(dialog, IDC_SIGNIN_SERVER, "beta, a server with a name far too long to share a buffer");
            tkt::Click(dialog, IDC_SIGNIN_QUERY);
        })
        .Do([&] { run.host.Release(); })
        .WaitDialog("Databases")
        .Do([&] {
            SendDlgItemMessageA(driver.Dialog(), IDC_DATABASES_LIST, LB_SETCURSEL, 0, 0);
            tkt::Click(driver.Dialog(), IDOK);
        })
        .Wait([&] { return tkt::FindDialog("Databases") == nullptr; })
        .Do([&] { tkt::Click(dialog, IDOK); });
    EXPECT_EQ(run.Run(), 1);
    EXPECT_EQ(run.host.Count("OnQueryKessaList"), 1);
    EXPECT_EQ(run.host.maxDepth, 1);
    // The text the host was handed is the one it got, read after its loop.
    EXPECT_EQ(run.host.servers, (std::vector<std::string>{"alpha"}));
    EXPECT_STREQ(run.record.GetKessa(), "alpha-db");
}

// --- History --------------------------------------------------------------------------

// Three rows and a host that loops inside OnGetVersion.
struct HistoryRun {
    HistoryRun() {
        for (int i = 0; i < 3; ++i) {
            entries[i].SetEntry(100 + i);
            entries[i].SetLatestVer(3 - i);
            entries[i].SetComment(("comment " + std::to_string(i)).c_str());
            params.AddEntry(&entries[i]);
        }
        host.LoopIn("OnGetVersion");
        params.SetITavroKessaHistoryDialogEvents(&host);
    }
    // Steps: select the first row, press Get Version, and wait until the host's loop runs.
    tkt::Driver& StartFetch() {
        return driver.WaitDialog("History")
            .Do([this] {
                dialog = driver.Dialog();
                list = GetDlgItem(dialog, IDC_HISTORY_LIST);
                tkt::SetItemSelected(list, 0, true);
            })
            .Wait([this] { return tkt::IsEnabled(dialog, IDC_HISTORY_GET_VERSION); })
            .Do([this] { tkt::Click(dialog, IDC_HISTORY_GET_VERSION); })
            .Wait([this] { return host.Looping(); });
    }
    INT_PTR Run() { return tkt::RunChecked(driver, [&] { return ui->ShowHistoryDialog(nullptr, &params); }); }

    tkt::Service ui;
    TavroKessaFileHistoryEntry entries[3];
    TavroKessaHistoryDialogParams params;
    tkt::HistoryHost host;
    tkt::Driver driver;
    HWND dialog = nullptr;
    HWND list = nullptr;
};

TEST(WhileAnEventRuns, HistoryTakesNoSecondFetchNoMenuAndAsksAboutTheSelectionAfterwards) {
    HistoryRun run;
    tkt::HistoryHost& host = run.host;
    size_t askedDuringFetch = 0;
    run.StartFetch()
        .Do([&] {
            askedDuringFetch = host.asked.size();
            tkt::Click(run.dialog, IDC_HISTORY_GET_VERSION);
            PostMessageA(run.dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(run.list), MAKELPARAM(40, 40));
            tkt::SetItemSelected(run.list, 1, true);  // the user moves on while the host fetches
        })
        .Do([&] {
            EXPECT_FALSE(MenuIsUp());
            EXPECT_EQ(host.asked.size(), askedDuringFetch);
            host.Release();
        })
        .Wait([&] { return !host.Looping() && host.asked.size() > askedDuringFetch; })
        .Do([&] {
            // The fetched version carries the marker; the comment follows the new row.
            EXPECT_EQ(tkt::ItemImage(run.list, 0), 3);
            EXPECT_EQ(tkt::Text(GetDlgItem(run.dialog, IDC_HISTORY_COMMENT)), "comment 1");
            tkt::Click(run.dialog, IDCANCEL);
        });
    EXPECT_EQ(run.Run(), 1);
    EXPECT_EQ(host.fetched, std::vector<int>{100});
    EXPECT_EQ(host.maxDepth, 1);
    EXPECT_EQ(host.asked.back(), 101);
}

TEST(WhileAnEventRuns, HistoryClosesAtOnceAndHearsNothingMore) {
    HistoryRun run;
    run.StartFetch()
        .Do([&] {
            tkt::CloseBox(run.dialog);
            tkt::SetItemSelected(run.list, 2, true);
        })
        .Do([&] {
            EXPECT_FALSE(IsWindowVisible(run.dialog));  // gone from the screen while the host works
            run.host.Release();
        });
    EXPECT_EQ(run.Run(), 1);
    // Nothing was asked about the row selected after the end.
    EXPECT_EQ(std::count(run.host.asked.begin(), run.host.asked.end(), 102), 0);
}

// --- Explore ----------------------------------------------------------------------------

struct ExploreRun {
    ExploreRun() {
        ui->SetHost(&settings);
        model.params.SetMultipleSelections(true);
    }
    INT_PTR Run(tkt::Driver& driver) {
        return tkt::RunChecked(driver, [&] { return ui->ShowExploreDialog(nullptr, &model.params); });
    }
    tkt::Service ui;
    tkt::SettingsHost settings;
    tkt::ExploreModel model;
};

TEST(WhileAnEventRuns, ExploreActsOnNoOtherInputAndCancelStandsOverTheHostsEnd) {
    ExploreRun run;
    run.model.LoopIn("OnOpen");
    tkt::Driver driver;
    HWND dialog = nullptr;
    HWND list = nullptr;
    int lookInBefore = -1;
    size_t eventsBefore = 0;
    driver.WaitDialog()
        .Do([&] {
            dialog = driver.Dialog();
            list = tkt::ExploreList(dialog);
            tkt::SetItemSelected(list, 1, true);
        })
        .Wait([&] { return run.model.Count("GetSelectionText") == 1; })
        .Do([&] {
            lookInBefore = tkt::ComboSelection(dialog, IDC_EXPLORE_LOOK_IN);
            tkt::Click(dialog, IDC_EXPLORE_OPEN);
        })
        .Wait([&] { return run.model.Looping(); })
        .Do([&] {
            eventsBefore = run.model.events.size();
            // Everything a user may do while the host works on the first Open.
            tkt::Click(dialog, IDC_EXPLORE_OPEN);
            tkt::DoubleClickItem(list, 0);
            tkt::Click(dialog, IDC_EXPLORE_UP);
            tkt::Click(dialog, IDC_EXPLORE_BACK);
            tkt::ChooseInCombo(dialog, IDC_EXPLORE_LOOK_IN, 0);
            tkt::ChooseInCombo(dialog, IDC_EXPLORE_TYPES, 2);
            tkt::SetItemSelected(list, 3, true);
        })
        .Do([&] {
            EXPECT_EQ(run.model.events.size(), eventsBefore);
            EXPECT_EQ(run.model.calls.size(), run.model.events.size() + 1);
            // The drop-downs show what is in force, not the choices not acted on.
            EXPECT_EQ(tkt::ComboSelection(dialog, IDC_EXPLORE_LOOK_IN), lookInBefore);
            EXPECT_EQ(tkt::ComboSelection(dialog, IDC_EXPLORE_TYPES), 0);
            tkt::Click(dialog, IDCANCEL);
        })
        .Do([&] { run.model.Release(); });  // the host's OnOpen then ends with EndExplore(1)
    EXPECT_EQ(run.Run(driver), 0);
    EXPECT_EQ(run.model.Count("OnOpen"), 1);
    // The host's late EndExplore(1) recorded nothing; no event came after the end.
    EXPECT_TRUE(run.model.params.GetSelections().empty());
    // The first OnOpen logs itself as it answers, after its loop; nothing after it.
    ASSERT_EQ(run.model.events.size(), eventsBefore + 1);
    EXPECT_EQ(run.model.events.back(), "OnOpen");
}

TEST(WhileAnEventRuns, ExploreGathersASelectionThatWaitedOnceTheEventReturns) {
    ExploreRun run;
    run.model.LoopIn("OnUpOneLevel");
    run.model.intercept = [&](const std::string& event, ITavroKessaExploreDialog*) {
        return event == "OnUpOneLevel";  // the host only works; it does not move
    };
    tkt::Driver driver;
    HWND dialog = nullptr;
    driver.WaitDialog()
        .Do([&] {
            dialog = driver.Dialog();
            // Into "src", so that Up is enabled.
            tkt::DoubleClickItem(tkt::ExploreList(dialog), 0);
        })
        .Wait([&] { return tkt::IsEnabled(dialog, IDC_EXPLORE_UP); })
        .Do([&] { tkt::Click(dialog, IDC_EXPLORE_UP); })
        .Wait([&] { return run.model.Looping(); })
        .Do([&] { tkt::SetItemSelected(tkt::ExploreList(dialog), 1, true); })
        .Do([&] {
            EXPECT_EQ(run.model.Count("GetSelectionText"), 0);
            run.model.Release();
        })
        .Wait([&] { return run.model.Count("GetSelectionText") == 1; })
        .Do([&] {
            EXPECT_FALSE(tkt::Text(GetDlgItem(dialog, IDC_EXPLORE_FILE_NAME)).empty());
            tkt::Click(dialog, IDCANCEL);
        });
    EXPECT_EQ(run.Run(driver), 0);
    EXPECT_EQ(run.model.Count("OnUpOneLevel"), 1);
}

TEST(WhileAnEventRuns, ExploreEndsFromOnInitDialogWithNoFurtherEvent) {
    for (INT_PTR asked : {1, 0}) {
        ExploreRun run;
        run.model.intercept = [&](const std::string& event, ITavroKessaExploreDialog* d) {
            if (event == "OnInitDialog") {
                EXPECT_TRUE(d->EndExplore(asked));
                EXPECT_FALSE(d->EndExplore(1 - asked));  // the first end stands
            }
            return false;
        };
        tkt::Driver driver(3000);
        EXPECT_EQ(run.Run(driver), asked);
        EXPECT_EQ(run.model.events, std::vector<std::string>{"OnInitDialog"});
        EXPECT_TRUE(run.model.params.GetSelections().empty());
    }
}

// --- Progress ---------------------------------------------------------------------------

TEST(WhileAnEventRuns, ProgressNeverCallsOnCancelInsideOnCancel) {
    tkt::Service ui;
    TavroKessaProgressDialogParams record;
    tkt::ProgressHost host;
    record.SetITavroKessaProgressDialogEvents(&host);
    // A host that writes "Cancelling..." into the window from inside OnCancel; the
    // bound keeps a broken library from recursing until the stack runs out.
    host.onCancel = [&](TavroKessaProgressDialogParams* shown) {
        if (host.calls.size() > 20) return;
        shown->SetMessage("Cancelling...");
        EXPECT_EQ(ui->UpdateProgressDialog(shown), 1);
    };
    ASSERT_EQ(ui->OpenProgressDialog(nullptr, &record), 1);
    HWND window = tkt::FindDialog("Dialog");
    HWND cancel = GetDlgItem(window, IDC_PROGRESS_CANCEL);

    // The user's release still waits in the queue when the host updates.
    PostMessageA(cancel, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(ui->UpdateProgressDialog(&record), 1);
    EXPECT_EQ(host.Count("OnCancel"), 1);
    EXPECT_EQ(host.maxDepth, 1);
    EXPECT_EQ(tkt::Text(GetDlgItem(window, IDC_PROGRESS_MESSAGE)), "Cancelling...");

    // The button pressed again while the host's OnCancel runs its own loop.
    host.onCancel = nullptr;
    host.LoopIn("OnCancel");
    MSG drain;
    while (PeekMessageA(&drain, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&drain);
    tkt::Driver driver;
    driver.Wait([&] { return host.Looping(); })
        .Do([&] { PostMessageA(window, WM_COMMAND, IDC_PROGRESS_CANCEL, reinterpret_cast<LPARAM>(cancel)); })
        .Do([&] { host.Release(); });
    driver.Run([&] { return SendMessageA(window, WM_COMMAND, IDC_PROGRESS_CANCEL, reinterpret_cast<LPARAM>(cancel)); });
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(host.Count("OnCancel"), 2);
    EXPECT_EQ(host.maxDepth, 1);
    // Later presses reach the host again.
    host.StopLoopingIn("OnCancel");
    SendMessageA(window, WM_COMMAND, IDC_PROGRESS_CANCEL, reinterpret_cast<LPARAM>(cancel));
    EXPECT_EQ(host.Count("OnCancel"), 3);
    EXPECT_EQ(ui->CloseProgressDialog(), 1);
}
