// The sign-in dialog driven as a user drives it: what it shows from the record,
// what it writes back on OK and on Cancel, how OnLogin can keep it open, the "..."
// query with its chooser, and hosts whose events show windows, end the dialog or
// throw. Every run also checks that the dialog gave back every handle and window.
#include <gtest/gtest.h>

#include <windows.h>
#include <malloc.h>

#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "Fixtures.h"
#include "Hosts.h"
#include "resource.h"
#include "tavrokessaui.h"

namespace {

constexpr const char* kTitle = "Calvex Kessa Log In";

using Strings = std::vector<std::string>;

struct Signin : testing::Test {
    // The record offers `servers` and `databases`, with `server` and `database` in its fields.
    void Offer(Strings& servers, const char* server, Strings& databases, const char* database) {
        record.SetServerList(&servers);
        record.SetServer(server);
        record.SetKessaList(&databases);
        record.SetKessa(database);
    }

    // Waits for the sign-in dialog and remembers it.
    tkt::Driver& Open(const char* title = kTitle) {
        return driver.WaitDialog(title).Do([this] { dialog = driver.Dialog(); });
    }

    // Runs the dialog through the service with the queued steps; every step must
    // have run, and nothing the dialog made may outlive it.
    INT_PTR Run(HWND parent = nullptr) {
        return tkt::RunChecked(driver, [&] { return ui->ShowSigninDialog(parent, &record); });
    }

    // Opens "..." and waits for the chooser.
    void QueryAndWaitForChooser() {
        driver.Do([this] { tkt::Click(dialog, IDC_SIGNIN_QUERY); })
            .WaitDialog("Databases")
            .Do([this] { chooser = driver.Dialog(); });
    }
    // Presses `button` in the chooser, after selecting `item` (-1: nothing), and
    // waits until the sign-in dialog has taken the answer.
    void AnswerChooser(int item, int button) {
        driver
            .Do([this, item, button] {
                if (item >= 0) SendDlgItemMessageA(chooser, IDC_DATABASES_LIST, LB_SETCURSEL, item, 0);
                tkt::Click(chooser, button);
            })
            .Wait([this] { return !IsWindow(chooser); });
    }

    // Dialogs made during the run that are still there (the combo boxes' drop-down
    // lists are top-level windows too, hence the class).
    size_t LiveDialogs() const {
        size_t count = 0;
        for (HWND window : driver.CreatedWindows())
            if (IsWindow(window) && tkt::ClassOf(window) == "#32770") ++count;
        return count;
    }
    std::string Text(int id) const { return tkt::Text(GetDlgItem(dialog, id)); }
    int Selected(int id) const { return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0)); }
    std::vector<std::string> Items(int id) const {
        std::vector<std::string> items;
        int count = static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[256] = {};
            SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        return items;
    }

    tkt::Service ui;
    TavroKessaSigninDialogParams record;
    tkt::SigninHost events;
    tkt::Driver driver;
    HWND dialog = nullptr;
    HWND chooser = nullptr;
};

}  // namespace

// --- Start-up and write-back -----------------------------------------------------

TEST_F(Signin, StartsFromAFullRecordAndCancelGivesItBackUnchanged) {
    Strings servers = {"alpha", "Beta", "gamma"};
    Strings databases = {"abcd", "abc"};
    record.SetUser("ann");
    record.SetPassword("s3cret");
    // The server equal to an item but for case; the database equal to the second
    // item, the beginning of the first.
    Offer(servers, "beta", databases, "abc");
    record.SetAutoLogin(true);
    record.SetKessaVersion("7");
    record.SetITavroKessaSigninDialogEvents(&events);

    Open("Calvex Kessa 7 Log In").Do([&] {
        EXPECT_EQ(Text(IDC_SIGNIN_USER), "ann");
        EXPECT_EQ(Text(IDC_SIGNIN_PASSWORD), "s3cret");
        EXPECT_EQ(Items(IDC_SIGNIN_SERVER), servers);
        EXPECT_EQ(Selected(IDC_SIGNIN_SERVER), 1);
        EXPECT_EQ(Text(IDC_SIGNIN_SERVER), "Beta");
        EXPECT_EQ(Items(IDC_SIGNIN_DATABASE), databases);
        EXPECT_EQ(Selected(IDC_SIGNIN_DATABASE), 1);
        EXPECT_EQ(Text(IDC_SIGNIN_DATABASE), "abc");
        EXPECT_TRUE(tkt::IsChecked(dialog, IDC_SIGNIN_AUTO_LOGIN));
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
        tkt::Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(events.Count("OnLogin"), 0);
    EXPECT_STREQ(record.GetUser(), "ann");
    EXPECT_STREQ(record.GetPassword(), "s3cret");
    EXPECT_STREQ(record.GetServer(), "Beta");  // the item's own spelling
    EXPECT_STREQ(record.GetKessa(), "abc");
    EXPECT_TRUE(record.GetAutoLogin());
    // The lists and the version are only read.
    EXPECT_EQ(record.GetServerList(), &servers);
    EXPECT_EQ(servers, (Strings{"alpha", "Beta", "gamma"}));
    EXPECT_STREQ(record.GetKessaVersion(), "7");
}

TEST_F(Signin, OkWritesEverythingBackBeforeOnLogin) {
    Strings servers = {"alpha", "beta"};
    record.SetServerList(&servers);
    record.SetITavroKessaSigninDialogEvents(&events);
    Open().Do([&] {
        tkt::TypeText(dialog, IDC_SIGNIN_USER, "bob");
        tkt::TypeText(dialog, IDC_SIGNIN_PASSWORD, "pw");
        tkt::TypeText(dialog, IDC_SIGNIN_SERVER, "typed-server");  // typed, not in the list
        tkt::TypeText(dialog, IDC_SIGNIN_DATABASE, "db");
        CheckDlgButton(dialog, IDC_SIGNIN_AUTO_LOGIN, BST_CHECKED);
        tkt::Click(dialog, IDOK);
    });
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(events.Count("OnLogin"), 1);
    EXPECT_EQ(events.logins, Strings{"bob|pw|typed-server|db|auto"});
    ASSERT_EQ(events.dialogs.size(), 1u);
    EXPECT_EQ(events.dialogs[0], dialog);
    EXPECT_EQ(events.records[0], &record);
}

TEST_F(Signin, CancelEscapeAndCloseBoxWriteBackWithoutOnLogin) {
    record.SetITavroKessaSigninDialogEvents(&events);
    for (int way = 0; way < tkt::kDismissWays; ++way) {
        record.SetUser("before");
        record.SetAutoLogin(true);
        tkt::Driver run;
        run.WaitDialog(kTitle).Do([&] {
            HWND window = run.Dialog();
            tkt::TypeText(window, IDC_SIGNIN_USER, "edited");
            tkt::TypeText(window, IDC_SIGNIN_SERVER, "srv");
            CheckDlgButton(window, IDC_SIGNIN_AUTO_LOGIN, BST_UNCHECKED);
            tkt::Dismiss(window, way);
        });
        EXPECT_EQ(tkt::RunChecked(run, [&] { return ui->ShowSigninDialog(nullptr, &record); }), 0) << way;
        EXPECT_STREQ(record.GetUser(), "edited") << way;
        EXPECT_STREQ(record.GetServer(), "srv") << way;
        EXPECT_FALSE(record.GetAutoLogin()) << way;
    }
    EXPECT_EQ(events.Count("OnLogin"), 0);
}

TEST_F(Signin, RefusedLoginKeepsTheDialogOpenWithTheRecordWritten) {
    // The host refuses a wrong password with a message box of its own over the
    // dialog, then accepts the right one.
    record.SetITavroKessaSigninDialogEvents(&events);
    events.onLogin = [&](TavroKessaSigninDialogParams* signin, HWND window) {
        if (std::string(signin->GetPassword()) == "right") return true;
        ui->ShowMessage(window, "Wrong password.", "Sign-in failed", TAVROKESSA_MSG_ERROR);
        return false;
    };
    HWND box = nullptr;
    Open()
        .Do([&] {
            tkt::TypeText(dialog, IDC_SIGNIN_PASSWORD, "wrong");
            tkt::Click(dialog, IDOK);
        })
        .WaitDialog("Sign-in failed")
        .Do([&] {
            box = driver.Dialog();
            EXPECT_EQ(GetWindow(box, GW_OWNER), dialog);
            tkt::Click(box, IDOK);
        })
        .Wait([&] { return !IsWindow(box); })
        .Do([&] {
            EXPECT_TRUE(IsWindowVisible(dialog));
            EXPECT_STREQ(record.GetPassword(), "wrong");  // already written
            tkt::TypeText(dialog, IDC_SIGNIN_PASSWORD, "right");
            tkt::Click(dialog, IDOK);
        });
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(events.Count("OnLogin"), 2);
    EXPECT_STREQ(record.GetPassword(), "right");
}

// --- The "..." query and the chooser ---------------------------------------------

TEST_F(Signin, QueryPassesTheCurrentServerTextAndAnEmptyList) {
    Strings servers = {"saved", "other"};
    Strings databases = {"main"};
    Offer(servers, "saved", databases, "main");
    record.SetITavroKessaSigninDialogEvents(&events);
    std::vector<bool> namesEmpty;
    Strings recordServers;
    events.onQuery = [&](TavroKessaSigninDialogParams* asked, HWND, Strings& names) {
        namesEmpty.push_back(names.empty());
        recordServers.push_back(asked->GetServer());
        names = {"left", "over"};
        return false;  // nothing to choose from
    };
    Open()
        .Do([&] {
            tkt::TypeText(dialog, IDC_SIGNIN_SERVER, "typed");
            tkt::Click(dialog, IDC_SIGNIN_QUERY);
        })
        .Do([&] {
            tkt::TypeText(dialog, IDC_SIGNIN_SERVER, "");
            tkt::Click(dialog, IDC_SIGNIN_QUERY);
        })
        .Do([&] {
            EXPECT_EQ(LiveDialogs(), 1u);  // a refusal opens no chooser
            EXPECT_EQ(Items(IDC_SIGNIN_DATABASE), Strings{"main"});
            EXPECT_EQ(Text(IDC_SIGNIN_DATABASE), "main");
            tkt::Click(dialog, IDCANCEL);
        });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(events.servers, (Strings{"typed", ""}));
    EXPECT_EQ(namesEmpty, (std::vector<bool>{true, true}));
    // The record is not updated before a query: it still held the saved server.
    EXPECT_EQ(recordServers, (Strings{"saved", "saved"}));
    EXPECT_EQ(events.dialogs, (std::vector<HWND>{dialog, dialog}));
}

TEST_F(Signin, ChosenNamesAreAppendedAndSelectedEvenTwice) {
    Strings servers = {"alpha"};
    Strings databases = {"main"};
    Offer(servers, "alpha", databases, "main");
    record.SetITavroKessaSigninDialogEvents(&events);
    events.onQuery = [](TavroKessaSigninDialogParams*, HWND, Strings& names) {
        names = {"alpha-db", "beta-db", "gamma-db"};
        return true;
    };
    Open();
    QueryAndWaitForChooser();
    driver.Do([&] {
        HWND list = GetDlgItem(chooser, IDC_DATABASES_LIST);
        ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
        char text[64] = {};
        SendMessageA(list, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, "gamma-db");
        EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
        EXPECT_EQ(GetWindow(chooser, GW_OWNER), dialog);
        // Centred over the sign-in dialog.
        RECT outer, inner;
        GetWindowRect(dialog, &outer);
        GetWindowRect(chooser, &inner);
        EXPECT_LE(abs((outer.left + outer.right) - (inner.left + inner.right)), 1);
        EXPECT_LE(abs((outer.top + outer.bottom) - (inner.top + inner.bottom)), 1);
        // A double click chooses nothing: only OK does.
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDC_DATABASES_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    });
    driver.Do([&] { EXPECT_TRUE(IsWindowVisible(chooser)); });
    AnswerChooser(1, IDOK);
    driver.Do([&] {
        EXPECT_EQ(Items(IDC_SIGNIN_DATABASE), (Strings{"main", "beta-db"}));
        EXPECT_EQ(Selected(IDC_SIGNIN_DATABASE), 1);
        EXPECT_EQ(Text(IDC_SIGNIN_DATABASE), "beta-db");
        EXPECT_EQ(Text(IDC_SIGNIN_SERVER), "alpha");
        EXPECT_STREQ(record.GetKessa(), "main");  // only OK or Cancel write the record
    });
    QueryAndWaitForChooser();
    AnswerChooser(1, IDOK);
    driver.Do([&] {
        EXPECT_EQ(Items(IDC_SIGNIN_DATABASE), (Strings{"main", "beta-db", "beta-db"}));
        EXPECT_EQ(Selected(IDC_SIGNIN_DATABASE), 2);
        tkt::Click(dialog, IDOK);
    });
    EXPECT_EQ(Run(), 1);
    EXPECT_STREQ(record.GetKessa(), "beta-db");
    EXPECT_STREQ(record.GetServer(), "alpha");
    EXPECT_EQ(databases, Strings{"main"});  // the host's list is never changed
    EXPECT_EQ(events.servers, (Strings{"alpha", "alpha"}));
}

TEST_F(Signin, NamesTheHostAllocatedAreFreedByTheLibrary) {
    // The host fills the library's vector with strings from its own allocations
    // (long enough to live on the heap, with the vector's buffer grown by the
    // host); the library clears them before each query and frees them with the
    // controller. One C runtime heap makes that safe.
    record.SetITavroKessaSigninDialogEvents(&events);
    events.onQuery = [](TavroKessaSigninDialogParams*, HWND, Strings& names) {
        names.reserve(500);
        for (int i = 0; i < 300; ++i) names.push_back("database-with-a-long-name-" + std::to_string(i) + std::string(64, 'x'));
        Strings replacement(names.begin(), names.begin() + 200);
        names.swap(replacement);  // the vector's buffer now is one the host made
        return true;
    };
    Open();
    for (int round = 0; round < 3; ++round) {
        QueryAndWaitForChooser();
        AnswerChooser(150, IDOK);
    }
    driver.Do([&] {
        EXPECT_EQ(Items(IDC_SIGNIN_DATABASE).size(), 3u);
        EXPECT_EQ(Text(IDC_SIGNIN_DATABASE), "database-with-a-long-name-150" + std::string(64, 'x'));
        tkt::Click(dialog, IDOK);
    });
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(_heapchk(), _HEAPOK);
}

// --- Hosts that end the dialog, throw or ask for topmost ---------------------------

TEST_F(Signin, HostEndingTheDialogInsideTheQueryGetsNoChooser) {
    record.SetITavroKessaSigninDialogEvents(&events);
    events.onQuery = [](TavroKessaSigninDialogParams*, HWND window, Strings& names) {
        names = {"never shown"};
        EndDialog(window, 7);
        return true;
    };
    size_t windowsBeforeQuery = 0;
    Open().Do([&] {
        windowsBeforeQuery = driver.CreatedWindows().size();
        tkt::Click(dialog, IDC_SIGNIN_QUERY);
    });
    EXPECT_EQ(Run(), 7);
    EXPECT_EQ(driver.CreatedWindows().size(), windowsBeforeQuery);  // no chooser was made
}

TEST_F(Signin, ThrowingEventsEndTheDialogWithFailure) {
    record.SetITavroKessaSigninDialogEvents(&events);
    events.onLogin = [](TavroKessaSigninDialogParams*, HWND) -> bool { throw std::runtime_error("host failure"); };
    Open().Do([&] { tkt::Click(dialog, IDOK); });
    EXPECT_EQ(Run(), -1);
    EXPECT_EQ(events.Count("OnLogin"), 1);

    tkt::Driver again;
    events.onQuery = [](TavroKessaSigninDialogParams*, HWND, Strings&) -> bool { throw std::bad_alloc(); };
    again.WaitDialog(kTitle).Do([&] { tkt::Click(again.Dialog(), IDC_SIGNIN_QUERY); });
    EXPECT_EQ(tkt::RunChecked(again, [&] { return ui->ShowSigninDialog(nullptr, &record); }), -1);
}

TEST_F(Signin, HostFlagsMakeItTopmostAndTheParentGivesItsIcon) {
    tkt::SettingsHost topmost(TAVROKESSA_DISPLAY_TOPMOST);
    ui->SetHost(&topmost);
    WNDCLASSEXA cls = {};
    cls.cbSize = sizeof(cls);
    cls.lpfnWndProc = DefWindowProcA;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "SigninTestParent";
    cls.hIconSm = LoadIconA(nullptr, MAKEINTRESOURCEA(32516));  // IDI_INFORMATION, shared
    ASSERT_NE(RegisterClassExA(&cls), 0);
    HWND parent = CreateWindowExA(0, cls.lpszClassName, "parent", WS_POPUP | WS_VISIBLE, 50, 60, 700, 500, nullptr,
                                  nullptr, cls.hInstance, nullptr);
    Open().Do([&] {
        EXPECT_TRUE(tkt::IsTopmost(dialog));
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), parent);
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0)), cls.hIconSm);
        tkt::ExpectCentredOver(dialog, parent);
        tkt::Click(dialog, IDOK);
    });
    EXPECT_EQ(Run(parent), 1);
    EXPECT_EQ(topmost.Count("GetDisplayFlags"), 1);

    // Bit 0 clear: not topmost, whatever the other bits.
    tkt::SettingsHost plain(0xFE);
    ui->SetHost(&plain);
    tkt::Driver again;
    again.WaitDialog(kTitle).Do([&] {
        EXPECT_FALSE(tkt::IsTopmost(again.Dialog()));
        tkt::Click(again.Dialog(), IDOK);
    });
    EXPECT_EQ(tkt::RunChecked(again, [&] { return ui->ShowSigninDialog(nullptr, &record); }), 1);
    EXPECT_EQ(plain.Count("GetDisplayFlags"), 1);
    DestroyWindow(parent);
    UnregisterClassA(cls.lpszClassName, cls.hInstance);
}
