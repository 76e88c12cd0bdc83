// What a host can do wrong, or at odd moments, and the defined outcome of each:
// a quit message during a dialog, dialogs opened from inside another's events,
// the host changed while a dialog is open, events that throw.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>

#include "DialogDriver.h"
#include "resource.h"
#include "service/Handles.h"
#include "tavrokessaui.h"

namespace {

struct Service {
    Service() : ui(GetITavroKessaUI()) {}
    ~Service() { ReleaseITavroKessaUI(ui); }
    ITavroKessaUI* operator->() const { return ui; }
    ITavroKessaUI* ui;
};

class Host final : public ITavroKessaUIHost {
public:
    explicit Host(unsigned value) : flags(value) {}
    COLORREF GetColor(int index) override { return GetSysColor(index); }
    unsigned int GetDisplayFlags() override { return flags; }
    unsigned flags;
};

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
    Service ui;
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
    Service ui;
    TavroKessaProgressDialogParams progress;
    ASSERT_EQ(ui->OpenProgressDialog(nullptr, &progress), 1);
    PostQuitMessage(0);
    EXPECT_EQ(ui->UpdateProgressDialog(&progress), 1);  // an update neither takes nor dispatches it
    EXPECT_TRUE(TakeQuit());
    EXPECT_EQ(ui->CloseProgressDialog(), 1);
}

TEST(Misuse, NestedServiceOperationsFromInsideSigninEvents) {
    Service ui;
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

TEST(Misuse, HostChangedWhileADialogIsOpenTakesEffectAtTheNextDialog) {
    Service ui;
    Host plain(0), topmost(1);
    ui->SetHost(&plain);
    SigninEvents events;
    TavroKessaSigninDialogParams signin;
    signin.SetITavroKessaSigninDialogEvents(&events);
    bool wasTopmost = true;
    events.onLogin = [&](HWND dialog) {
        wasTopmost = tkt::IsTopmost(dialog);
        ui->SetHost(&topmost);
        return true;
    };
    tkt::Driver driver;
    driver.WaitDialog("Calvex Kessa Log In").Do([&] { tkt::Click(driver.Dialog(), IDOK); });
    EXPECT_EQ(driver.Run([&] { return ui->ShowSigninDialog(nullptr, &signin); }), 1);
    EXPECT_FALSE(wasTopmost);

    bool nowTopmost = false;
    events.onLogin = [&](HWND dialog) {
        nowTopmost = tkt::IsTopmost(dialog);
        ui->SetHost(nullptr);
        return true;
    };
    tkt::Driver next;
    next.WaitDialog("Calvex Kessa Log In").Do([&] { tkt::Click(next.Dialog(), IDOK); });
    EXPECT_EQ(next.Run([&] { return ui->ShowSigninDialog(nullptr, &signin); }), 1);
    EXPECT_TRUE(nowTopmost);
}

TEST(Misuse, EventsThatThrowEndTheDialogWithFailureAndNothingLeaks) {
    Service ui;
    SigninEvents events;
    TavroKessaSigninDialogParams signin;
    signin.SetITavroKessaSigninDialogEvents(&events);
    events.onLogin = [](HWND) -> bool { throw std::runtime_error("host failure"); };
    int handles = tk::LiveHandlesTotal();
    tkt::Driver driver;
    driver.WaitDialog("Calvex Kessa Log In").Do([&] { tkt::Click(driver.Dialog(), IDOK); });
    EXPECT_EQ(driver.Run([&] { return ui->ShowSigninDialog(nullptr, &signin); }), -1);
    EXPECT_EQ(driver.LiveCreatedWindows(), 0);
    EXPECT_EQ(tk::LiveHandlesTotal(), handles);

    // The service is still usable afterwards.
    events.onLogin = nullptr;
    tkt::Driver again;
    again.WaitDialog("Calvex Kessa Log In").Do([&] { tkt::Click(again.Dialog(), IDOK); });
    EXPECT_EQ(again.Run([&] { return ui->ShowSigninDialog(nullptr, &signin); }), 1);
}
