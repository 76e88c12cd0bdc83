// Leaks over many open/close cycles through every closing path, and hostile
// input in every field a dialog shows or formats: each text shown or cut, never
// written past a buffer (the guard bytes around the formatting buffers stay
// whole).
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <climits>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "ExploreModel.h"
#include "Fixtures.h"
#include "Hosts.h"
#include "Kit.h"
#include "resource.h"
#include "service/FixedText.h"
#include "tavrokessaui.h"

namespace {

class Leaks : public testing::TestWithParam<tkr::Kind> {};

// Texts no host should send, and some will.
std::vector<std::string> HostileTexts() {
    std::string high;
    for (int byte = 0x80; byte <= 0xFF; ++byte) high += static_cast<char>(byte);
    std::string megabyte(1 << 20, 'm');
    for (size_t i = 0; i < megabyte.size(); i += 997) megabyte[i] = '%';
    return {"", "%s%n%d%s%n", high, "\r\n\r\n\n\r", std::string(1 << 20, 'x'), megabyte};
}

// Shown whole, or cut: never anything that was not given.
void ExpectShownOrCut(const std::string& shown, const std::string& given, const char* field) {
    EXPECT_LE(shown.size(), given.size()) << field;
    EXPECT_EQ(given.compare(0, shown.size(), shown), 0)
        << field << ": shows what it was not given: " << shown.size() << " characters, '" << shown.substr(0, 40) << "'";
}

std::string TextOf(HWND dialog, int id) { return tkt::Text(GetDlgItem(dialog, id)); }

std::string ListText(HWND list, int row, int column) {
    // One spare zero: a cut text may come back without its terminator.
    std::vector<char> text(4097, '\0');
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = 4096;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text.data();
}

}  // namespace

// 200 cycles per dialog here, private bytes over the last 150; tavrokessasoak runs
// 1,000 with the last 900.
TEST_P(Leaks, EveryClosingPathGivesBackAllItTook) {
    const tkr::Tally tally = tkr::CycleDialog(GetParam(), 200, 150);
    EXPECT_EQ(tally.cycles, 200);
    EXPECT_EQ(tally.windowsLeft, 0);
    EXPECT_EQ(tally.handleDrift, 0);
    EXPECT_LE(tally.privateGrowth, 64 * 1024);
    for (const std::string& fault : tally.faults) ADD_FAILURE() << fault;
}

INSTANTIATE_TEST_SUITE_P(EveryDialog, Leaks, testing::ValuesIn(tkr::kAllKinds),
                         [](const testing::TestParamInfo<tkr::Kind>& param) { return std::string(tkr::NameOf(param.param)); });

TEST(HostileInput, EveryShownFieldOfTheModalDialogs) {
    const int guardFailures = tk::GuardFailures();
    tkt::Service ui;
    for (const std::string& text : HostileTexts()) {
        SCOPED_TRACE(text.size() > 40 ? std::to_string(text.size()) + " characters" : "'" + text + "'");
        const char* t = text.c_str();

        std::vector<std::string> list(3, text);
        TavroKessaSigninDialogParams signin;
        for (auto set : {&TavroKessaSigninDialogParams::SetKessaVersion, &TavroKessaSigninDialogParams::SetUser,
                         &TavroKessaSigninDialogParams::SetPassword, &TavroKessaSigninDialogParams::SetServer,
                         &TavroKessaSigninDialogParams::SetKessa})
            (signin.*set)(t);
        signin.SetServerList(&list);
        signin.SetKessaList(&list);
        tkt::Driver login;
        login.WaitDialog().Do([&] {
            HWND dialog = login.Dialog();
            for (int id : {IDC_SIGNIN_USER, IDC_SIGNIN_SERVER, IDC_SIGNIN_DATABASE})
                ExpectShownOrCut(TextOf(dialog, id), text, "sign-in field");
            EXPECT_LT(tkt::Text(dialog).size(), 256u);
            tkt::Click(dialog, IDOK);
        });
        EXPECT_EQ(tkt::RunChecked(login, [&] { return ui->ShowSigninDialog(nullptr, &signin); }), 1);
        ExpectShownOrCut(signin.GetUser(), text, "user written back");

        TavroKessaOptionsDialogParams options;
        options.SetWorkingFolder(t);
        tkt::Driver opts;
        opts.WaitDialog("Kessa Options").Do([&] {
            ExpectShownOrCut(TextOf(opts.Dialog(), IDC_OPTIONS_FOLDER), text, "working folder");
            tkt::Click(opts.Dialog(), IDOK);
        });
        EXPECT_EQ(tkt::RunChecked(opts, [&] { return ui->ShowOptionsDialog(nullptr, &options); }), 1);

        TavroKessaPropertyDialogParams properties;
        for (auto set : {&TavroKessaPropertyDialogParams::SetKessaPath, &TavroKessaPropertyDialogParams::SetLocalPath,
                         &TavroKessaPropertyDialogParams::SetLastModDateLocal,
                         &TavroKessaPropertyDialogParams::SetLastModDateLatest, &TavroKessaPropertyDialogParams::SetUserName})
            (properties.*set)(t);
        properties.SetCheckedOut(true);
        properties.SetLocalVer(INT_MIN);
        properties.SetLatestVer(INT_MAX);
        tkt::Driver props;
        props.WaitDialog("Properties").Do([&] {
            HWND dialog = props.Dialog();
            EXPECT_EQ(TextOf(dialog, IDC_PROPERTIES_LOCAL_VERSION), "-2147483648");
            EXPECT_EQ(TextOf(dialog, IDC_PROPERTIES_LATEST_VERSION), "2147483647");
            if (!text.empty()) ExpectShownOrCut(TextOf(dialog, IDC_PROPERTIES_KESSA_PATH), text, "server path");
            EXPECT_LT(TextOf(dialog, IDC_PROPERTIES_STATUS).size(), 1024u);
            tkt::Click(dialog, IDOK);
        });
        EXPECT_EQ(tkt::RunChecked(props, [&] { return ui->ShowPropertyDialog(nullptr, &properties); }), 1);

        // History: three rows at the ends of every number, sorted by date both ways.
        TavroKessaFileHistoryEntry entries[3];
        TavroKessaHistoryDialogParams history;
        history.SetKessaPath(t);
        const int versions[3] = {INT_MIN, 0, INT_MAX};
        const long long keys[3] = {LLONG_MAX, 0, LLONG_MIN};
        for (int i = 0; i < 3; ++i) {
            entries[i].SetLatestVer(versions[i]);
            entries[i].SetLastModDateLatestSortVal(keys[i]);
            entries[i].SetLastModDateLatest(t);
            entries[i].SetUserName(t);
            entries[i].SetComment(t);
            history.AddEntry(&entries[i]);
        }
        std::vector<LPARAM> order;
        tkt::Driver hist;
        hist.WaitDialog("History").Do([&] {
            HWND rows = hist.Item(IDC_HISTORY_LIST);
            EXPECT_EQ(ListText(rows, 0, 1), "-2147483648");
            EXPECT_EQ(ListText(rows, 2, 1), "2147483647");
            ExpectShownOrCut(ListText(rows, 0, 4), text, "comment's first line");
            NMLISTVIEW click = {};
            click.hdr = {rows, IDC_HISTORY_LIST, LVN_COLUMNCLICK};
            click.iSubItem = 2;
            SendMessageA(hist.Dialog(), WM_NOTIFY, IDC_HISTORY_LIST, reinterpret_cast<LPARAM>(&click));
            for (int row = 0; row < 3; ++row) {
                LVITEMA item = {};
                item.mask = LVIF_PARAM;
                item.iItem = row;
                SendMessageA(rows, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
                order.push_back(item.lParam);
            }
            tkt::Click(hist.Dialog(), IDCANCEL);
        });
        EXPECT_EQ(tkt::RunChecked(hist, [&] { return ui->ShowHistoryDialog(nullptr, &history); }), 1);
        EXPECT_EQ(order, (std::vector<LPARAM>{2, 1, 0}));  // ascending keys: LLONG_MIN first

        TavroKessaProgressDialogParams progress;
        progress.SetCaption(t);
        progress.SetMessage(t);
        progress.SetFile(t);
        progress.SetProgress(INT_MAX);
        ASSERT_EQ(ui->OpenProgressDialog(nullptr, &progress), 1);
        progress.SetProgress(INT_MIN);
        EXPECT_EQ(ui->UpdateProgressDialog(&progress), 1);
        EXPECT_EQ(ui->CloseProgressDialog(), 1);
    }
    EXPECT_EQ(tk::GuardFailures(), guardFailures);
}

TEST(HostileInput, TenThousandDatabaseNamesInTheChooser) {
    tkt::SigninHost events;
    for (int i = 0; i < 10000; ++i) events.names.push_back("database " + std::to_string(i));
    tkt::Service ui;
    TavroKessaSigninDialogParams signin;
    signin.SetITavroKessaSigninDialogEvents(&events);
    LRESULT listed = 0;
    tkt::Driver driver(60000);
    driver.WaitDialog("Calvex Kessa Log In")
        .Do([&] { tkt::Click(driver.Dialog(), IDC_SIGNIN_QUERY); })
        .Wait([&] {
            // The chooser's list shares its id with the sign-in's database field.
            HWND chooser = driver.CreatedWindows().back();
            if (chooser == driver.Dialog() || !IsWindowVisible(chooser)) return false;
            HWND list = GetDlgItem(chooser, IDC_DATABASES_LIST);
            listed = SendMessageA(list, LB_GETCOUNT, 0, 0);
            SendMessageA(list, LB_SETCURSEL, 9999, 0);
            tkt::Click(chooser, IDOK);
            return true;
        })
        .Wait([&] { return tkt::FindDialog() == driver.Dialog(); })
        .Do([&] { tkt::Click(driver.Dialog(), IDOK); });
    EXPECT_EQ(tkt::RunChecked(driver, [&] { return ui->ShowSigninDialog(nullptr, &signin); }), 1);
    EXPECT_EQ(listed, 10000);
    EXPECT_STREQ(signin.GetKessa(), "database 9999");
}

namespace {

// Makes `model` (whose root is named `text`) show three entries named `text`, a
// folder and two files, at the end of a path of `levels` levels, the first three
// named `text` too. Every filter lists them, any selection's text is `text`, and
// Go To Last Folder is enabled.
void MakeHostileFolder(tkt::ExploreModel& model, const std::string& text, int levels) {
    int folder = 0;
    for (int level = 1; level < levels; ++level)
        folder = model.Add(folder, level < 3 ? text.c_str() : ("level " + std::to_string(level)).c_str(), true);
    for (int i = 0; i < 3; ++i) model.Add(folder, text.c_str(), i == 0);
    model.current = folder;
    model.history = {0};
    model.ignoreFilters = true;
    model.selectionText = [text](const std::vector<int>&) { return text; };
}

}  // namespace

TEST(HostileInput, EveryShownFieldOfTheExploreDialog) {
    const int guardFailures = tk::GuardFailures();
    tkt::Service ui;
    tkt::SettingsHost host;
    ui->SetHost(&host);
    for (const std::string& text : HostileTexts()) {
        SCOPED_TRACE(text.size() > 40 ? std::to_string(text.size()) + " characters" : "'" + text + "'");
        tkt::ExploreModel model(text.c_str());
        MakeHostileFolder(model, text, 3);
        TavroKessaExploreDialogParams& params = model.params;
        params.SetTitle(text.c_str());
        params.AddFilter(text.c_str(), text.c_str());
        tkt::Driver driver(30000);
        driver.WaitDialog()
            .Do([&] {
                HWND dialog = driver.Dialog();
                ExpectShownOrCut(tkt::Text(dialog), text, "title");
                ExpectShownOrCut(ListText(GetDlgItem(dialog, IDC_EXPLORE_LIST), 1, 0), text, "entry");
                SendDlgItemMessageA(dialog, IDC_EXPLORE_LOOK_IN, CB_SHOWDROPDOWN, TRUE, 0);
                UpdateWindow(dialog);
                LVITEMA item = {};
                item.stateMask = LVIS_SELECTED;
                item.state = LVIS_SELECTED;
                SendDlgItemMessageA(dialog, IDC_EXPLORE_LIST, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&item));
            })
            .Wait([&] { return model.Count("GetSelectionText") > 0; })
            .Do([&] {
                ExpectShownOrCut(TextOf(driver.Dialog(), IDC_EXPLORE_FILE_NAME), text, "file name");
                tkt::Click(driver.Dialog(), IDCANCEL);
            });
        EXPECT_EQ(tkt::RunChecked(driver, [&] { return ui->ShowExploreDialog(nullptr, &params); }), 0);
        EXPECT_STREQ(model.lastExtensions, text.c_str());
    }
    EXPECT_EQ(tk::GuardFailures(), guardFailures);
}

TEST(HostileInput, AHundredThousandFiltersAndAPathAThousandLevelsDeep) {
    tkt::Service ui;
    tkt::SettingsHost host;
    ui->SetHost(&host);
    tkt::ExploreModel model("deep");
    MakeHostileFolder(model, "deep", 1000);
    TavroKessaExploreDialogParams& params = model.params;
    params.SetTitle("Explore Kessa");
    for (int i = 0; i < 100000; ++i) params.AddFilter(("type " + std::to_string(i)).c_str(), ("*." + std::to_string(i)).c_str());
    LRESULT filters = 0, levels = 0;
    tkt::Driver driver(120000);
    driver.WaitDialog("Explore Kessa")
        .Do([&] {
            HWND dialog = driver.Dialog();
            filters = SendDlgItemMessageA(dialog, IDC_EXPLORE_TYPES, CB_GETCOUNT, 0, 0);
            levels = SendDlgItemMessageA(dialog, IDC_EXPLORE_LOOK_IN, CB_GETCOUNT, 0, 0);
            HWND types = GetDlgItem(dialog, IDC_EXPLORE_TYPES);
            SendMessageA(types, CB_SETCURSEL, 99999, 0);
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_EXPLORE_TYPES, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
        })
        .Wait([&] { return model.lastExtensions != nullptr && std::string(model.lastExtensions) == "*.99999"; })
        .Do([&] { tkt::Click(driver.Dialog(), IDCANCEL); });
    EXPECT_EQ(tkt::RunChecked(driver, [&] { return ui->ShowExploreDialog(nullptr, &params); }), 0);
    EXPECT_EQ(filters, 100000);
    EXPECT_EQ(levels, 1000);
    EXPECT_STREQ(model.lastExtensions, "*.99999");
}
