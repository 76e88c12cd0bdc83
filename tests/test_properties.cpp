// The properties dialog: what each kind of record shows, the check-out line
// cut to its buffer, topmost, and every way of closing.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <functional>
#include <string>

#include "DialogDriver.h"
#include "Fixtures.h"
#include "Hosts.h"
#include "history/PropertyDialog.h"
#include "resource.h"
#include "tavrokessaui.h"

namespace {

struct PropertiesDialog : testing::Test {
    // The texts of the boxes from the server path down to the status, in the
    // order of the record's fields; then `close` ends the dialog.
    std::vector<std::string> Show(const std::function<void(HWND)>& close = [](HWND d) { tkt::Click(d, IDOK); }) {
        std::vector<std::string> texts;
        tkt::Driver driver;
        driver.WaitDialog("Properties").Do([&] {
            for (int id : {IDC_PROPERTIES_KESSA_PATH, IDC_PROPERTIES_LOCAL_PATH, IDC_PROPERTIES_LOCAL_VERSION,
                           IDC_PROPERTIES_LATEST_VERSION, IDC_PROPERTIES_LOCAL_DATE, IDC_PROPERTIES_LATEST_DATE,
                           IDC_PROPERTIES_STATUS})
                texts.push_back(tkt::Text(GetDlgItem(driver.Dialog(), id)));
            topmost = tkt::IsTopmost(driver.Dialog());
            close(driver.Dialog());
        });
        EXPECT_EQ(tkt::RunChecked(driver, [&] { return ui->ShowPropertyDialog(nullptr, &record); }), 1);
        return texts;
    }

    tkt::Service ui;
    bool topmost = false;
    TavroKessaPropertyDialogParams record;
};

const char* const kNotOut = "<file is not checked out>";
const char* const kNoDate = "<currently checked out>";

}  // namespace

TEST(CheckOutStatus, FormatsOnlyOneTextAndStaysInsideTheBuffer) {
    char buffer[tk::kPropertyTextSize];
    EXPECT_FALSE(tk::FormatCheckOutStatus(buffer, true, "", kNotOut, "to %s"));  // the box stays empty
    EXPECT_TRUE(tk::FormatCheckOutStatus(buffer, false, "alice", nullptr, "to %s"));
    EXPECT_STREQ(buffer, "");  // a missing string is empty text
    EXPECT_TRUE(tk::FormatCheckOutStatus(buffer, true, "%s%n", kNotOut, "to %s"));
    EXPECT_STREQ(buffer, "to %s%n");  // the name is never a format
    // A format that would take anything but one text is not used: the name alone.
    for (const char* format : {"%d by %s", "%s %s", "%-9s", "none", static_cast<const char*>(nullptr)}) {
        EXPECT_TRUE(tk::FormatCheckOutStatus(buffer, true, "alice", kNotOut, format));
        EXPECT_STREQ(buffer, "alice");
    }
    EXPECT_TRUE(tk::IsSingleTextFormat("100%% %s"));

    char guarded[tk::kPropertyTextSize + 8];
    std::memset(guarded, '#', sizeof(guarded));
    const std::string huge(100000, 'x');
    tk::FormatCheckOutStatus(*reinterpret_cast<char(*)[tk::kPropertyTextSize]>(guarded), true, huge.c_str(), kNotOut,
                             "File is checked out to %s");
    EXPECT_EQ(std::strlen(guarded), tk::kPropertyTextSize - 1);
    EXPECT_EQ(std::string(guarded + tk::kPropertyTextSize, 8), "########");
}

TEST_F(PropertiesDialog, ANewRecord) {
    EXPECT_EQ(Show(), (std::vector<std::string>{"", "", "0", "0", kNoDate, kNoDate, kNotOut}));
    EXPECT_FALSE(topmost);
}

TEST_F(PropertiesDialog, CheckedOutWithAndWithoutAUserAndNotCheckedOutWithOne) {
    record.SetKessaPath("$/project/engine.cpp");
    record.SetLocalPath("C:\\work\\engine.cpp");
    record.SetLocalVer(-1);
    record.SetLatestVer(-2147483647 - 1);
    record.SetLastModDateLatest("31/12/1999");  // the local date stays empty
    record.SetCheckedOut(true);
    record.SetUserName("alice");
    EXPECT_EQ(Show(), (std::vector<std::string>{"$/project/engine.cpp", "C:\\work\\engine.cpp", "-1", "-2147483648",
                                                kNoDate, "31/12/1999", "File is checked out to alice"}));
    record.SetUserName("");
    EXPECT_EQ(Show().back(), "");
    record.SetCheckedOut(false);
    record.SetUserName("bob");
    EXPECT_EQ(Show().back(), kNotOut);
    EXPECT_STREQ(record.GetUserNameA(), "bob");  // nothing is written back
}

TEST_F(PropertiesDialog, AnEnormousUserNameIsCutNeverOverrun) {
    record.SetCheckedOut(true);
    record.SetUserName(std::string(5000, 'u').c_str());
    const std::string status = Show().back();
    ASSERT_EQ(status.size(), tk::kPropertyTextSize - 1);
    EXPECT_EQ(status.find_first_not_of('u', 23), std::string::npos);
    EXPECT_EQ(status.substr(0, 23), "File is checked out to ");
}

TEST_F(PropertiesDialog, TopmostForTheHostAndEveryWayOfClosingGivesOne) {
    tkt::SettingsHost host(TAVROKESSA_DISPLAY_TOPMOST);
    ui->SetHost(&host);
    Show([](HWND dialog) { tkt::PressKey(dialog, VK_RETURN); });
    EXPECT_TRUE(topmost);
    Show([](HWND dialog) { tkt::PressKey(dialog, VK_ESCAPE); });
    Show([](HWND dialog) { tkt::CloseBox(dialog); });
    EXPECT_EQ(ui->ShowPropertyDialog(nullptr, nullptr), -1);
}
