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
bool MenuIsUp() {
    HWND menu = FindWindowA("#32768", nullptr);
    return menu != nullptr && IsWindowVisible(menu);
}

}  // namespace

// --- Sign-in ------------------------------------------------------------------------

TEST(WhileAnEventRuns, SigninCancelStandsOverALaterAcceptAndASecondOkStartsNothing) {
    tkt::Service ui;
    TavroKessaSigninDialogParams record;
    tkt::SigninHost host;
    host.LoopIn("OnLogin");
    record.SetITavroKessaSigninDialogEvents(&host);
    tkt::Driver driver;
    HWND dialog = nullptr;
    driver.WaitDialog(kSignin)
        .Do([&] {
            dialog = driver.Dialog();
            tkt::TypeText(dialog, IDC_SIGNIN_USER, "ann");
            tkt::Click(dialog, IDOK);
        })
        .Wait([&] { return host.Looping(); })
        .Do([&] {
            // Typed while the host works, then OK again: nothing starts, nothing is written.
            tkt::TypeText(dialog, IDC_SIGNIN_USER, "bob");
            tkt::Click(dialog, IDOK);
        })
        .Do([&] {
            EXPECT_STREQ(record.GetUser(), "ann");
            tkt::Click(dialog, IDCANCEL);
        })
        .Do([&] { host.Release(); });  // the host now accepts the sign-in
    EXPECT_EQ(tkt::RunChecked(driver, [&] { return ui->ShowSigninDialog(nullptr, &record); }), 0);
    EXPECT_EQ(host.Count("OnLogin"), 1);
    EXPECT_EQ(host.maxDepth, 1);
    EXPECT_EQ(host.logins, (std::vector<std::string>{"ann||||manual"}));
    // Cancel's write-back, made once the event had returned.
    EXPECT_STREQ(record.GetUser(), "bob");
}

TEST(WhileAnEventRuns, SigninQueryKeepsItsServerTextAndNamesWhileDotsIsPressedAgain) {
    tkt::Service ui;
    TavroKessaSigninDialogParams record;
    tkt::SigninHost host;
    host.LoopIn("OnQueryKessaList");
    host.names = {"alpha-db"};
    record.SetITavroKessaSigninDialogEvents(&host);
    tkt::Driver driver;
    HWND dialog = nullptr;
    driver.WaitDialog(kSignin)
        .Do([&] {
            dialog = driver.Dialog();
            tkt::TypeText(dialog, IDC_SIGNIN_SERVER, "alpha");
            tkt::Click(dialog, IDC_SIGNIN_QUERY);
        })
        .Wait([&] { return host.Looping(); })
        .Do([&] {
            tkt::TypeText(dialog, IDC_SIGNIN_SERVER, "beta, a server with a name far too long to share a buffer");
            tkt::Click(dialog, IDC_SIGNIN_QUERY);
        })
        .Do([&] { host.Release(); })
        .WaitDialog("Databases")
        .Do([&] {
            SendDlgItemMessageA(driver.Dialog(), IDC_DATABASES_LIST, LB_SETCURSEL, 0, 0);
            tkt::Click(driver.Dialog(), IDOK);
        })
        .Wait([&] { return tkt::FindDialog("Databases") == nullptr; })
        .Do([&] { tkt::Click(dialog, IDOK); });
    EXPECT_EQ(tkt::RunChecked(driver, [&] { return ui->ShowSigninDialog(nullptr, &record); }), 1);
    EXPECT_EQ(host.Count("OnQueryKessaList"), 1);
    EXPECT_EQ(host.maxDepth, 1);
    // The text the host was handed is the one it got, read after its loop.
    EXPECT_EQ(host.servers, (std::vector<std::string>{"alpha"}));
    EXPECT_STREQ(record.GetKessa(), "alpha-db");
}

// --- History --------------------------------------------------------------------------

struct HistoryRows {
    HistoryRows() {
        for (int i = 0; i < 3; ++i) {
            entries[i].SetEntry(100 + i);
            entries[i].SetLatestVer(3 - i);
            entries[i].SetComment(("comment " + std::to_string(i)).c_str());
            params.AddEntry(&entries[i]);
        }
    }
    TavroKessaFileHistoryEntry entries[3];
    TavroKessaHistoryDialogParams params;
};

TEST(WhileAnEventRuns, HistoryTakesNoSecondFetchNoMenuAndAsksAboutTheSelectionAfterwards) {
    tkt::Service ui;
    HistoryRows rows;
    tkt::HistoryHost host;
    host.LoopIn("OnGetVersion");
    rows.params.SetITavroKessaHistoryDialogEvents(&host);
    tkt::Driver driver;
    HWND dialog = nullptr;
    HWND list = nullptr;
    size_t askedDuringFetch = 0;
    driver.WaitDialog("History")
        .Do([&] {
            dialog = driver.Dialog();
            list = GetDlgItem(dialog, IDC_HISTORY_LIST);
            tkt::SetItemSelected(list, 0, true);
        })
        .Wait([&] { return tkt::IsEnabled(dialog, IDC_HISTORY_GET_VERSION); })
        .Do([&] { tkt::Click(dialog, IDC_HISTORY_GET_VERSION); })
        .Wait([&] { return host.Looping(); })
        .Do([&] {
            askedDuringFetch = host.asked.size();
            tkt::Click(dialog, IDC_HISTORY_GET_VERSION);
            PostMessageA(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(40, 40));
            tkt::SetItemSelected(list, 1, true);  // the user moves on while the host fetches
        })
        .Do([&] {
            EXPECT_FALSE(MenuIsUp());
            EXPECT_EQ(host.asked.size(), askedDuringFetch);
            host.Release();
        })
        .Wait([&] { return !host.Looping() && host.asked.size() > askedDuringFetch; })
        .Do([&] {
            // The fetched version carries the marker; the comment follows the new row.
            EXPECT_EQ(tkt::ItemImage(list, 0), 3);
            EXPECT_EQ(tkt::Text(GetDlgItem(dialog, IDC_HISTORY_COMMENT)), "comment 1");
            tkt::Click(dialog, IDCANCEL);
        });
    EXPECT_EQ(tkt::RunChecked(driver, [&] { return ui->ShowHistoryDialog(nullptr, &rows.params); }), 1);
    EXPECT_EQ(host.fetched, std::vector<int>{100});
    EXPECT_EQ(host.maxDepth, 1);
    EXPECT_EQ(host.asked.back(), 101);
}

TEST(WhileAnEventRuns, HistoryClosesAtOnceAndHearsNothingMore) {
    tkt::Service ui;
    HistoryRows rows;
    tkt::HistoryHost host;
    host.LoopIn("OnGetVersion");
    rows.params.SetITavroKessaHistoryDialogEvents(&host);
    tkt::Driver driver;
    HWND dialog = nullptr;
    driver.WaitDialog("History")
        .Do([&] {
            dialog = driver.Dialog();
            tkt::SetItemSelected(GetDlgItem(dialog, IDC_HISTORY_LIST), 0, true);
        })
        .Wait([&] { return tkt::IsEnabled(dialog, IDC_HISTORY_GET_VERSION); })
        .Do([&] { tkt::Click(dialog, IDC_HISTORY_GET_VERSION); })
        .Wait([&] { return host.Looping(); })
        .Do([&] {
            tkt::CloseBox(dialog);
            tkt::SetItemSelected(GetDlgItem(dialog, IDC_HISTORY_LIST), 2, true);
        })
        .Do([&] {
            EXPECT_FALSE(IsWindowVisible(dialog));  // gone from the screen while the host works
            host.Release();
        });
    EXPECT_EQ(tkt::RunChecked(driver, [&] { return ui->ShowHistoryDialog(nullptr, &rows.params); }), 1);
    // Nothing was asked about the row selected after the end.
    EXPECT_EQ(std::count(host.asked.begin(), host.asked.end(), 102), 0);
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
        EXPECT_EQ(driver.Run([&] { return run.ui->ShowExploreDialog(nullptr, &run.model.params); }), asked);
        EXPECT_FALSE(driver.TimedOut());
        EXPECT_EQ(driver.LiveCreatedWindows(), 0);
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
