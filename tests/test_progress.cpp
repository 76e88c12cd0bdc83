// The modeless progress window: its lifecycle through the service, what an
// update shows, and how Cancel reaches the host.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "DialogDriver.h"
#include "Fixtures.h"
#include "Hosts.h"
#include "resource.h"
#include "tavrokessaui.h"

namespace {

struct Fixture : testing::Test {
    Fixture() : ui(GetITavroKessaUI()) { record.SetITavroKessaProgressDialogEvents(&events); }
    ~Fixture() override { ReleaseITavroKessaUI(ui); }
    HWND Window() const { return tkt::FindDialog(nullptr); }
    int BarPosition() const { return static_cast<int>(SendDlgItemMessageA(Window(), IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0)); }

    ITavroKessaUI* ui;
    tkt::ProgressHost events;
    TavroKessaProgressDialogParams record;
};

using Progress = Fixture;

}  // namespace

TEST_F(Progress, NothingToUpdateOrCloseBeforeOpen) {
    EXPECT_EQ(ui->UpdateProgressDialog(&record), 0);
    EXPECT_EQ(ui->CloseProgressDialog(), 0);
    EXPECT_EQ(Window(), nullptr);
}

TEST_F(Progress, OpenShowsTheRecordAndTemplateTextsStayForEmptyFields) {
    ASSERT_EQ(ui->OpenProgressDialog(nullptr, &record), 1);
    HWND window = Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(tkt::Text(window), "Dialog");
    EXPECT_EQ(tkt::Text(GetDlgItem(window, IDC_PROGRESS_MESSAGE)), "File transfer in progress. Please wait...");
    EXPECT_EQ(tkt::Text(GetDlgItem(window, IDC_PROGRESS_FILE)), "File");
    EXPECT_EQ(GetWindowLongPtrA(window, GWL_STYLE) & WS_SYSMENU, 0);  // no close box

    record.SetCaption("Getting files");
    record.SetMessage("Fetching from the server");
    record.SetFile("$/project/src/main.cpp");
    record.SetProgress(40);
    EXPECT_EQ(ui->UpdateProgressDialog(&record), 1);
    EXPECT_EQ(tkt::Text(window), "Getting files");
    EXPECT_EQ(tkt::Text(GetDlgItem(window, IDC_PROGRESS_MESSAGE)), "Fetching from the server");
    EXPECT_EQ(tkt::Text(GetDlgItem(window, IDC_PROGRESS_FILE)), "$/project/src/main.cpp");
    EXPECT_EQ(BarPosition(), 40);

    // An empty field keeps what is shown: a text can be replaced, never cleared.
    TavroKessaProgressDialogParams empty;
    EXPECT_EQ(ui->UpdateProgressDialog(&empty), 1);
    EXPECT_EQ(tkt::Text(window), "Getting files");
    EXPECT_EQ(tkt::Text(GetDlgItem(window, IDC_PROGRESS_FILE)), "$/project/src/main.cpp");
    EXPECT_EQ(BarPosition(), 0);

    record.SetProgress(150);
    ui->UpdateProgressDialog(&record);
    EXPECT_EQ(BarPosition(), 100);
    record.SetProgress(-5);
    ui->UpdateProgressDialog(&record);
    EXPECT_EQ(BarPosition(), 0);
}

TEST_F(Progress, CloseTwiceReopenAndOpenOverAnOpenWindow) {
    ASSERT_EQ(ui->OpenProgressDialog(nullptr, &record), 1);
    HWND first = Window();
    EXPECT_EQ(ui->CloseProgressDialog(), 1);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(ui->CloseProgressDialog(), 0);
    EXPECT_EQ(ui->UpdateProgressDialog(&record), 0);

    ASSERT_EQ(ui->OpenProgressDialog(nullptr, &record), 1);
    HWND second = Window();
    ASSERT_NE(second, nullptr);
    // Opening again closes the earlier window first: the service never loses one.
    ASSERT_EQ(ui->OpenProgressDialog(nullptr, &record), 1);
    HWND third = Window();
    EXPECT_FALSE(IsWindow(second));
    EXPECT_TRUE(IsWindow(third));
    EXPECT_EQ(tkt::ThreadWindows().size(), 1u);
    EXPECT_EQ(ui->CloseProgressDialog(), 1);
    EXPECT_FALSE(IsWindow(third));
}

TEST_F(Progress, CancelTellsTheHostWithTheCurrentRecordAndEscapeDoesNothing) {
    ASSERT_EQ(ui->OpenProgressDialog(nullptr, &record), 1);
    HWND window = Window();
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_CANCEL, BN_CLICKED), 0);
    EXPECT_EQ(events.Count("OnCancel"), 1);
    EXPECT_EQ(events.last, &record);
    EXPECT_TRUE(IsWindow(window));  // the host decides when to close

    TavroKessaProgressDialogParams next;
    next.SetITavroKessaProgressDialogEvents(&events);
    ui->UpdateProgressDialog(&next);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_CANCEL, BN_CLICKED), 0);
    EXPECT_EQ(events.Count("OnCancel"), 2);
    EXPECT_EQ(events.last, &next);

    // Escape arrives as IDCANCEL: neither closes nor reports.
    SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    MSG key = {window, WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
    IsDialogMessageA(window, &key);
    EXPECT_EQ(events.Count("OnCancel"), 2);
    EXPECT_TRUE(IsWindow(window));

    // Without an events object a press is ignored.
    TavroKessaProgressDialogParams silent;
    ui->UpdateProgressDialog(&silent);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_CANCEL, BN_CLICKED), 0);
    EXPECT_EQ(events.Count("OnCancel"), 2);
}

TEST_F(Progress, AWaitingButtonReleaseIsReportedByEachUpdate) {
    ASSERT_EQ(ui->OpenProgressDialog(nullptr, &record), 1);
    HWND cancel = GetDlgItem(Window(), IDC_PROGRESS_CANCEL);
    PostMessageA(cancel, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ui->UpdateProgressDialog(&record);
    ui->UpdateProgressDialog(&record);
    EXPECT_EQ(events.Count("OnCancel"), 2);  // the host handles repeats as one request
    MSG waiting;
    // The update only looked: the release is still there for the host's loop.
    EXPECT_TRUE(PeekMessageA(&waiting, cancel, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE));
    ui->UpdateProgressDialog(&record);
    EXPECT_EQ(events.Count("OnCancel"), 2);
}

TEST_F(Progress, HostMayCloseAndReopenFromInsideOnCancel) {
    ASSERT_EQ(ui->OpenProgressDialog(nullptr, &record), 1);
    HWND first = Window();
    events.onCancel = [&](TavroKessaProgressDialogParams*) {
        EXPECT_EQ(ui->CloseProgressDialog(), 1);
        EXPECT_EQ(ui->OpenProgressDialog(nullptr, &record), 1);
        EXPECT_EQ(ui->UpdateProgressDialog(&record), 1);
    };
    SendMessageA(first, WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_CANCEL, BN_CLICKED), 0);
    EXPECT_EQ(events.Count("OnCancel"), 1);
    EXPECT_FALSE(IsWindow(first));
    ASSERT_NE(Window(), nullptr);
    EXPECT_EQ(ui->CloseProgressDialog(), 1);
}

TEST_F(Progress, NeverTopmostCentredOverItsOwnerAndClosedOnRelease) {
    tkt::SettingsHost host(TAVROKESSA_DISPLAY_TOPMOST);
    ui->SetHost(&host);
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 100, 100, 800, 600, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_EQ(ui->OpenProgressDialog(owner, &record), 1);
    HWND window = Window();
    EXPECT_FALSE(tkt::IsTopmost(window));
    EXPECT_EQ(GetWindow(window, GW_OWNER), owner);
    tkt::ExpectCentredOver(window, owner);

    ReleaseITavroKessaUI(ui);  // with the window still open
    ui = nullptr;
    EXPECT_FALSE(IsWindow(window));
    DestroyWindow(owner);
}

TEST_F(Progress, AmpersandsInTheHostsTextsAreShownAsTheyAre) {
    record.SetMessage("Getting R&D plans");
    record.SetFile("C:\\Q&A\\Tom&Jerry.txt");
    ASSERT_EQ(ui->OpenProgressDialog(nullptr, &record), 1);
    HWND window = Window();
    for (int id : {IDC_PROGRESS_MESSAGE, IDC_PROGRESS_FILE}) {
        HWND line = GetDlgItem(window, id);
        // Without it "R&D" shows as "RD" with the D underlined.
        EXPECT_NE(GetWindowLongPtrA(line, GWL_STYLE) & SS_NOPREFIX, 0) << id;
    }
    EXPECT_EQ(tkt::Text(GetDlgItem(window, IDC_PROGRESS_MESSAGE)), "Getting R&D plans");
    EXPECT_EQ(ui->CloseProgressDialog(), 1);
}
