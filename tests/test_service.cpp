// The service object: message boxes through their flag and answer mapping, the
// folder picker, and every modal operation refusing a null record.
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "Fixtures.h"
#include "service/TavroKessaUI.h"
#include "tavrokessaui.h"

namespace {

// Shows a box with `flags`, and when it is up checks it has `buttons` and
// presses `press` (a button id, or a key when pressKey is set).
INT_PTR Answer(ITavroKessaUI* ui, unsigned flags, std::vector<int> buttons, UINT press, bool pressKey = false) {
    tkt::Driver driver;
    driver.WaitDialog("Question")
        .Do([&] {
            for (int id : buttons) EXPECT_NE(GetDlgItem(driver.Dialog(), id), nullptr) << "button " << id;
            if (pressKey)
                tkt::PressKey(driver.Dialog(), press);
            else
                tkt::Click(driver.Dialog(), static_cast<int>(press));
        });
    return tkt::RunChecked(driver, [&] { return ui->ShowMessage(nullptr, "Really?", "Question", flags); });
}

}  // namespace

TEST(MessageBoxStyle, EachFlagBitAddsItsStyle) {
    using tk::MessageBoxStyle;
    EXPECT_EQ(MessageBoxStyle(0, false), static_cast<UINT>(MB_OK));
    EXPECT_EQ(MessageBoxStyle(0x01, false), static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(MessageBoxStyle(0x02, false), static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(MessageBoxStyle(0x04, false), static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(MessageBoxStyle(0x08, false), static_cast<UINT>(MB_ICONQUESTION));
    EXPECT_EQ(MessageBoxStyle(0x10, false), 0u);
    EXPECT_EQ(MessageBoxStyle(0x20, false), static_cast<UINT>(MB_OKCANCEL));
    EXPECT_EQ(MessageBoxStyle(0x40, false), static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(MessageBoxStyle(0x80, false), static_cast<UINT>(MB_YESNOCANCEL));
    // Combined without a check of their mix: OK/Cancel with Yes/No is Retry/Cancel.
    EXPECT_EQ(MessageBoxStyle(0x60, false), static_cast<UINT>(MB_RETRYCANCEL));
    // Bits above the low eight are ignored.
    EXPECT_EQ(MessageBoxStyle(0x100, false), 0u);
    EXPECT_EQ(MessageBoxStyle(0xFFFFFF00u | 0x88, false), static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(MessageBoxStyle(0x20, true), static_cast<UINT>(MB_OKCANCEL | MB_TOPMOST));
}

TEST(MessageBoxStyle, AnswersMapToSmallResults) {
    using tk::MessageBoxAnswer;
    EXPECT_EQ(MessageBoxAnswer(IDOK), 1);
    EXPECT_EQ(MessageBoxAnswer(IDYES), 2);
    EXPECT_EQ(MessageBoxAnswer(IDNO), 3);
    for (int other : {0, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDTRYAGAIN, IDCONTINUE}) EXPECT_EQ(MessageBoxAnswer(other), 0);
}

TEST(ShowMessage, RealBoxesGiveTheMappedAnswers) {
    tkt::Service ui;
    EXPECT_EQ(Answer(ui.Get(), 0, {IDOK}, IDOK), 1);
    EXPECT_EQ(Answer(ui.Get(), 0x100, {IDOK}, IDOK), 1);
    EXPECT_EQ(Answer(ui.Get(), 0x10, {IDOK}, IDOK), 1);
    EXPECT_EQ(Answer(ui.Get(), 0x80 | 0x08, {IDYES, IDNO, IDCANCEL}, IDYES), 2);
    EXPECT_EQ(Answer(ui.Get(), 0x80, {IDYES, IDNO, IDCANCEL}, IDNO), 3);
    EXPECT_EQ(Answer(ui.Get(), 0x80, {IDYES, IDNO, IDCANCEL}, IDCANCEL), 0);
    EXPECT_EQ(Answer(ui.Get(), 0x80, {IDYES, IDNO, IDCANCEL}, VK_ESCAPE, true), 0);
    EXPECT_EQ(Answer(ui.Get(), 0x20, {IDOK, IDCANCEL}, IDOK), 1);
    EXPECT_EQ(Answer(ui.Get(), 0x20, {IDOK, IDCANCEL}, IDCANCEL), 0);
    EXPECT_EQ(Answer(ui.Get(), 0x40, {IDYES, IDNO}, IDYES), 2);
    EXPECT_EQ(Answer(ui.Get(), 0x60, {IDRETRY, IDCANCEL}, IDRETRY), 0);
    EXPECT_EQ(Answer(ui.Get(), 0x60, {IDRETRY, IDCANCEL}, IDCANCEL), 0);
}

TEST(ShowMessage, AsksTheHostOncePerBox) {
    tkt::Service ui;
    tkt::SettingsHost topmost(0x01 | 0x40);
    ui->SetHost(&topmost);
    EXPECT_EQ(Answer(ui.Get(), 0, {IDOK}, IDOK), 1);
    EXPECT_EQ(Answer(ui.Get(), 0, {IDOK}, IDOK), 1);
    EXPECT_EQ(topmost.Count("GetDisplayFlags"), 2);  // never cached
    ui->SetHost(nullptr);
    EXPECT_EQ(Answer(ui.Get(), 0, {IDOK}, IDOK), 1);
    EXPECT_EQ(topmost.Count("GetDisplayFlags"), 2);
}

TEST(BrowseForFolder, CancelLeavesTheBufferUntouched) {
    tkt::Service ui;
    char path[MAX_PATH];
    memset(path, 'k', sizeof(path));
    path[MAX_PATH - 1] = '\0';
    tkt::Driver driver;
    driver.WaitDialog().Do([&] { tkt::Click(driver.Dialog(), IDCANCEL); });
    EXPECT_EQ(tkt::RunChecked(driver, [&] { return ui->BrowseForFolder(nullptr, "Pick one", path); }), 0);
    EXPECT_EQ(std::string(path), std::string(MAX_PATH - 1, 'k'));
    EXPECT_EQ(ui->BrowseForFolder(nullptr, "no buffer", nullptr), 0);
}

TEST(Service, NullRecordsShowNothing) {
    tkt::Service ui;
    tkt::Driver driver(2000);
    INT_PTR results[5];
    tkt::RunChecked(driver, [&] {
        results[0] = ui->ShowOptionsDialog(nullptr, nullptr);
        results[1] = ui->ShowSigninDialog(nullptr, nullptr);
        results[2] = ui->ShowPropertyDialog(nullptr, nullptr);
        results[3] = ui->ShowHistoryDialog(nullptr, nullptr);
        results[4] = ui->ShowExploreDialog(nullptr, nullptr);
        return 0;
    });
    for (INT_PTR result : results) EXPECT_EQ(result, -1);
    EXPECT_TRUE(driver.CreatedWindows().empty());
    EXPECT_EQ(ui->OpenProgressDialog(nullptr, nullptr), 0);
    EXPECT_EQ(ui->UpdateProgressDialog(nullptr), 0);
}
