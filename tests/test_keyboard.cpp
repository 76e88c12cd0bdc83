// Every dialog from open to close without a mouse, one scenario each, with real
// key presses through the X server: they reach the dialog through the window
// system, Wine's input handling, the dialog manager and the controls' own keyboard
// interfaces, as a user's keys do. Each step presses keys, then waits for what
// they do: where the focus went, what the host heard, what the dialog ended with.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "Pump.h"
#include "Samples.h"
#include "resource.h"

namespace {

// The dialog's own control that holds the focus (an editable combo box for its
// edit), or 0.
int FocusedId(HWND dialog) {
    HWND focus = GetFocus();
    while (focus != nullptr && GetParent(focus) != dialog) focus = GetParent(focus);
    return focus != nullptr ? GetDlgCtrlID(focus) : 0;
}

bool Dropped(HWND dialog, int id) { return SendDlgItemMessageA(dialog, id, CB_GETDROPPEDSTATE, 0, 0) != 0; }

struct Keyboard : testing::Test {
    // Presses `keys` for real, then waits until `done` holds.
    tkt::Driver& Keys(const std::string& keys, const std::string& what, std::function<bool()> done) {
        return driver.Do("press " + keys, [keys] { ASSERT_TRUE(tkt::PressRealKeys(keys)) << "xdotool " << keys; })
            .Wait(keys + ": " + what, std::move(done));
    }
    // Presses `keys` and waits until the focus is on control `id` of `dialog`.
    tkt::Driver& KeysTo(const std::string& keys, const HWND& window, int id) {
        return Keys(keys, "focus on " + std::to_string(id), [&window, id] { return FocusedId(window) == id; });
    }
    // Tab through `ids` one by one from where the focus is.
    void TabThrough(const HWND& window, const std::vector<int>& ids, const char* key = "Tab") {
        for (int id : ids) KeysTo(key, window, id);
    }

    tkt::SampleDialogs samples;
    tkt::Driver driver;
    HWND dialog = nullptr;
};

}  // namespace

TEST_F(Keyboard, Signin) {
    HWND chooser = nullptr;
    samples.Open(driver, tkt::Sample::Signin).Do([&] { dialog = samples.Window(); })
        .Wait("the focus on OK", [&] { return FocusedId(dialog) == IDOK; });
    TabThrough(dialog, {IDCANCEL, IDC_SIGNIN_USER, IDC_SIGNIN_PASSWORD, IDC_SIGNIN_SERVER, IDC_SIGNIN_DATABASE,
                        IDC_SIGNIN_QUERY, IDC_SIGNIN_AUTO_LOGIN, IDOK});
    TabThrough(dialog, {IDC_SIGNIN_AUTO_LOGIN, IDC_SIGNIN_QUERY}, "shift+Tab");
    // Enter on the focused "..." presses it; Escape leaves the chooser with nothing.
    Keys("Return", "the chooser", [&] { return (chooser = tkt::FindDialog("Databases")) != nullptr; });
    KeysTo("Escape", dialog, IDC_SIGNIN_QUERY)
        .Do([&] {
            EXPECT_FALSE(IsWindow(chooser));
            EXPECT_EQ(tkt::ComboCount(dialog, IDC_SIGNIN_DATABASE), 2);
        });
    // The space bar presses it too; in the chooser the arrows pick and Enter takes.
    Keys("space", "the chooser again", [&] { return (chooser = tkt::FindDialog("Databases")) != nullptr; });
    KeysTo("Tab", chooser, IDCANCEL);
    KeysTo("Tab", chooser, IDC_DATABASES_LIST);
    // Under Wine the first key in a list box with nothing selected picks the first
    // item, whichever key it is.
    auto chosenName = [&] { return SendDlgItemMessageA(chooser, IDC_DATABASES_LIST, LB_GETCURSEL, 0, 0); };
    Keys("Home", "the first name chosen", [&] { return chosenName() == 0; });
    Keys("End", "the last name chosen", [&] { return chosenName() == 2; });
    Keys("Return", "the chosen name in the field", [&] {
        return !IsWindow(chooser) && tkt::Text(samples.Item(IDC_SIGNIN_DATABASE)) == "Archive";
    });
    KeysTo("Tab", dialog, IDC_SIGNIN_AUTO_LOGIN);
    Keys("space", "the box ticked", [&] { return tkt::IsChecked(dialog, IDC_SIGNIN_AUTO_LOGIN); });
    // Enter anywhere but on a push button is OK.
    driver.Do("press Return", [] { ASSERT_TRUE(tkt::PressRealKeys("Return")); });
    EXPECT_EQ(samples.Show(driver, tkt::Sample::Signin), 1);
    EXPECT_EQ(samples.signinEvents.logins, (std::vector<std::string>{"alice||alpha.kessa.example|Archive|auto"}));
}

TEST_F(Keyboard, OptionsAndTheFolderSetByTheServer) {
    HWND picker = nullptr;
    samples.Open(driver, tkt::Sample::Options).Do([&] { dialog = samples.Window(); })
        .Wait("the focus on OK", [&] { return FocusedId(dialog) == IDOK; });
    TabThrough(dialog, {IDC_OPTIONS_BROWSE, IDC_OPTIONS_AUTO_LOGIN, IDCANCEL, IDC_OPTIONS_FOLDER, IDOK});
    TabThrough(dialog, {IDC_OPTIONS_FOLDER, IDCANCEL, IDC_OPTIONS_AUTO_LOGIN}, "shift+Tab");
    Keys("space", "the box ticked", [&] { return tkt::IsChecked(dialog, IDC_OPTIONS_AUTO_LOGIN); });
    KeysTo("shift+Tab", dialog, IDC_OPTIONS_BROWSE);
    // The shell's picker is the system's own; Escape leaves it with nothing chosen.
    Keys("Return", "the folder picker", [&] { return (picker = tkt::FindDialogOwnedBy(dialog)) != nullptr; });
    KeysTo("Escape", dialog, IDC_OPTIONS_BROWSE).Do([&] { EXPECT_FALSE(IsWindow(picker)); });
    driver.Do("press Escape", [] { ASSERT_TRUE(tkt::PressRealKeys("Escape")); });
    EXPECT_EQ(samples.Show(driver, tkt::Sample::Options), 0);
    // Cancel writes back as well.
    EXPECT_TRUE(samples.options.GetAutoLogin());
    EXPECT_STREQ(samples.options.GetWorkingFolder(), "C:\\Kessa\\Projects");

    // Set by the server: Tab passes the disabled field and button by.
    tkt::Driver enforced;
    samples.Open(enforced, tkt::Sample::OptionsEnforced)
        .Do([&] { dialog = samples.Window(); })
        .Wait("the focus on OK", [&] { return FocusedId(dialog) == IDOK; });
    for (int id : {IDC_OPTIONS_AUTO_LOGIN, IDCANCEL, IDOK})
        enforced.Do([] { ASSERT_TRUE(tkt::PressRealKeys("Tab")); }).Wait([&, id] { return FocusedId(dialog) == id; });
    enforced.Do([] { ASSERT_TRUE(tkt::PressRealKeys("Return")); });
    EXPECT_EQ(samples.Show(enforced, tkt::Sample::OptionsEnforced), 1);
}

TEST_F(Keyboard, Properties) {
    samples.Open(driver, tkt::Sample::Properties).Do([&] { dialog = samples.Window(); })
        .Wait("the focus on Close", [&] { return FocusedId(dialog) == IDOK; });
    TabThrough(dialog, {IDC_PROPERTIES_KESSA_PATH, IDC_PROPERTIES_LOCAL_PATH, IDC_PROPERTIES_LOCAL_VERSION,
                        IDC_PROPERTIES_LATEST_VERSION, IDC_PROPERTIES_LOCAL_DATE, IDC_PROPERTIES_STATUS,
                        IDC_PROPERTIES_LATEST_DATE, IDOK});
    TabThrough(dialog, {IDC_PROPERTIES_LATEST_DATE, IDC_PROPERTIES_STATUS}, "shift+Tab");
    // Enter in a read-only box closes, as Close does.
    driver.Do("press Return", [] { ASSERT_TRUE(tkt::PressRealKeys("Return")); });
    EXPECT_EQ(samples.Show(driver, tkt::Sample::Properties), 1);

    tkt::Driver escape;
    samples.Open(escape, tkt::Sample::Properties).Do([] { ASSERT_TRUE(tkt::PressRealKeys("Escape")); });
    EXPECT_EQ(samples.Show(escape, tkt::Sample::Properties), 1);
}

TEST_F(Keyboard, HistoryArrowsAndTheContextMenuAtTheRow) {
    HWND list = nullptr;
    RECT menu = {}, row = {};
    auto comment = [&] { return tkt::Text(samples.Item(IDC_HISTORY_COMMENT)); };
    auto menuBesideRow = [&](int position) {
        GetWindowRect(tkt::PopupMenu(), &menu);
        row.left = LVIR_BOUNDS;
        SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&row));
        MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&row), 2);
        EXPECT_EQ(menu.top, row.bottom);
        EXPECT_GT(menu.left, row.left);
        EXPECT_LT(menu.left, row.right);
    };
    samples.Open(driver, tkt::Sample::History)
        .Do([&] {
            dialog = samples.Window();
            list = samples.Item(IDC_HISTORY_LIST);
        })
        .Wait("the focus on the path", [&] { return FocusedId(dialog) == IDC_HISTORY_PATH; });
    KeysTo("Tab", dialog, IDC_HISTORY_LIST);
    // The arrows move the selection; the comment and Get Version follow it.
    Keys("Home", "the first row chosen", [&] {
        return tkt::FirstSelectedItem(list) == 0 && tkt::IsEnabled(dialog, IDC_HISTORY_GET_VERSION) &&
               comment() == "Rename members to match the style guide";
    });
    Keys("Down Down", "the third row chosen", [&] {
        return tkt::FirstSelectedItem(list) == 2 &&
               comment() == "Show progress while saving\r\n\r\nMeasured on 10,000 entries.";
    });
    Keys("Up", "the second row chosen",
         [&] { return tkt::FirstSelectedItem(list) == 1 && comment() == "Speed up the first load"; });
    // The menu key opens the menu beside the selected row; Escape closes it.
    Keys("Menu", "the menu", [] { return tkt::PopupMenu() != nullptr; }).Do([&] { menuBesideRow(1); });
    Keys("Escape", "the menu closed", [] { return tkt::PopupMenu() == nullptr; });
    Keys("Down", "the third row chosen", [&] { return tkt::FirstSelectedItem(list) == 2; });
    Keys("shift+F10", "the menu", [] { return tkt::PopupMenu() != nullptr; }).Do([&] { menuBesideRow(2); });
    Keys("Down Return", "the version fetched from the menu",
         [&] { return tkt::PopupMenu() == nullptr && samples.historyEvents.fetched == std::vector<int>{102}; });
    TabThrough(dialog, {IDC_HISTORY_COMMENT, IDC_HISTORY_GET_VERSION});
    Keys("space", "the version fetched by the button",
         [&] { return samples.historyEvents.fetched == std::vector<int>{102, 102}; });
    TabThrough(dialog, {IDCANCEL, IDC_HISTORY_PATH});
    TabThrough(dialog, {IDCANCEL}, "shift+Tab");
    driver.Do("press Return", [] { ASSERT_TRUE(tkt::PressRealKeys("Return")); });
    EXPECT_EQ(samples.Show(driver, tkt::Sample::History), 1);
    EXPECT_EQ(samples.historyEvents.flags, (std::vector<bool>{false, false}));
}

TEST_F(Keyboard, ExploreFromTheLookInLevelsToTheListAndOpen) {
    tkt::ExploreModel& model = samples.explore;
    // A folder opened with Open (Enter in the list) is entered, as a host would.
    model.intercept = [&](const std::string& event, ITavroKessaExploreDialog* d) {
        if (event != "OnOpen" || model.opens.back().size() != 1) return false;
        const int chosen = model.opens.back()[0];
        if (!model.nodes[static_cast<size_t>(chosen)].folder) return false;
        model.history.push_back(model.current);
        model.Show(d, chosen);
        return true;
    };
    HWND list = nullptr;
    auto showing = [&](const char* folder) { return model.current == model.Find(folder); };
    auto levelChoices = [&] { return model.Count("OnLookInSelected"); };
    samples.Open(driver, tkt::Sample::Explore)
        .Do([&] {
            dialog = samples.Window();
            list = samples.Item(IDC_EXPLORE_LIST);
        })
        .Wait("the focus on Open", [&] { return FocusedId(dialog) == IDC_EXPLORE_OPEN; });
    // At the root both navigation buttons are off, and Tab passes them by to the list.
    TabThrough(dialog, {IDCANCEL, IDC_EXPLORE_LOOK_IN, IDC_EXPLORE_FILE_NAME, IDC_EXPLORE_TYPES, IDC_EXPLORE_LIST,
                        IDC_EXPLORE_OPEN});
    TabThrough(dialog, {IDC_EXPLORE_LIST}, "shift+Tab");
    // Enter in the list presses Open: src, then lib, are entered.
    Keys("Home", "src chosen", [&] { return tkt::Text(samples.Item(IDC_EXPLORE_FILE_NAME)) == "src"; });
    Keys("Return", "src entered", [&] { return showing("src") && tkt::IsEnabled(dialog, IDC_EXPLORE_UP); });
    Keys("End", "lib chosen", [&] { return tkt::Text(samples.Item(IDC_EXPLORE_FILE_NAME)) == "lib"; });
    Keys("Return", "lib entered", [&] { return showing("lib") && tkt::ComboCount(dialog, IDC_EXPLORE_LOOK_IN) == 3; });
    // Back and Up are tab stops now.
    TabThrough(dialog, {IDC_EXPLORE_TYPES, IDC_EXPLORE_FILE_NAME, IDC_EXPLORE_UP, IDC_EXPLORE_BACK,
                        IDC_EXPLORE_LOOK_IN},
               "shift+Tab");
    // F4 opens the levels; the arrows only browse them, and Escape leaves the level in force.
    Keys("F4", "the levels dropped", [&] { return Dropped(dialog, IDC_EXPLORE_LOOK_IN); });
    Keys("Up", "a level highlighted", [&] { return tkt::ComboSelection(dialog, IDC_EXPLORE_LOOK_IN) == 1; })
        .Do([&] { EXPECT_EQ(levelChoices(), 0); });
    Keys("Escape", "the levels closed, lib still in force", [&] {
        return !Dropped(dialog, IDC_EXPLORE_LOOK_IN) && tkt::ComboSelection(dialog, IDC_EXPLORE_LOOK_IN) == 2;
    }).Do([&] { EXPECT_EQ(levelChoices(), 0); });
    // Alt+Down opens them; Enter chooses the highlighted level, once, as a click does.
    Keys("alt+Down", "the levels dropped", [&] { return Dropped(dialog, IDC_EXPLORE_LOOK_IN); });
    Keys("Up Up", "the root highlighted", [&] { return tkt::ComboSelection(dialog, IDC_EXPLORE_LOOK_IN) == 0; })
        .Do([&] { EXPECT_EQ(levelChoices(), 0); });
    Keys("Return", "the root entered", [&] { return showing("kessa.example.com"); }).Do([&] {
        EXPECT_EQ(model.events.back(), "CanGoToLastFolder");
        EXPECT_EQ(levelChoices(), 1);
        EXPECT_EQ(model.Count("OnLookInSelected(0,3)"), 1);
        EXPECT_FALSE(tkt::IsEnabled(dialog, IDC_EXPLORE_UP));
    });
    // Back, pressed until there is nowhere left to go: the button goes off under
    // the focus, which moves to the list rather than nowhere.
    KeysTo("Tab", dialog, IDC_EXPLORE_BACK);
    Keys("space", "back in lib", [&] { return showing("lib"); });
    Keys("space", "back in src", [&] { return showing("src"); });
    Keys("space", "back at the root", [&] { return showing("kessa.example.com"); }).Do([&] {
        EXPECT_FALSE(tkt::IsEnabled(dialog, IDC_EXPLORE_BACK));
        EXPECT_EQ(GetFocus(), list);
    });
    // The file types: the arrows in the open list browse, Enter chooses once.
    int fills = 0;
    driver.Do([&] { fills = model.Count("OnOpenEntry(-1)"); });
    KeysTo("shift+Tab", dialog, IDC_EXPLORE_TYPES);
    Keys("alt+Down", "the types dropped", [&] { return Dropped(dialog, IDC_EXPLORE_TYPES); });
    Keys("Down Down", "All files highlighted", [&] { return tkt::ComboSelection(dialog, IDC_EXPLORE_TYPES) == 2; })
        .Do([&] { EXPECT_EQ(model.Count("OnOpenEntry(-1)"), fills); });
    Keys("Return", "every file listed", [&] { return model.Count("OnOpenEntry(-1)") == fills + 1; }).Do([&] {
        EXPECT_STREQ(model.lastExtensions, "*");
    });
    KeysTo("Tab", dialog, IDC_EXPLORE_LIST);
    Keys("End", "logo.ico chosen", [&] { return tkt::Text(samples.Item(IDC_EXPLORE_FILE_NAME)) == "logo.ico"; });
    driver.Do("press Return", [] { ASSERT_TRUE(tkt::PressRealKeys("Return")); });
    EXPECT_EQ(samples.Show(driver, tkt::Sample::Explore), 1);
    EXPECT_EQ(model.params.GetSelections(), (std::vector<int>{model.Find("logo.ico")}));

    // Escape is Cancel.
    tkt::Driver escape;
    samples.Open(escape, tkt::Sample::Explore).Do([] { ASSERT_TRUE(tkt::PressRealKeys("Escape")); });
    EXPECT_EQ(samples.Show(escape, tkt::Sample::Explore), 0);
}

TEST_F(Keyboard, ProgressCancelWithTheKeysWhetherTheHostPumpsOrNot) {
    // The host's loop handles the window's keys through the dialog manager: Tab
    // stays on Cancel, Escape does nothing, Enter and the space bar press Cancel.
    samples.Open(driver, tkt::Sample::Progress).Do([&] { dialog = samples.Window(); })
        .Wait("the focus on Cancel", [&] { return FocusedId(dialog) == IDC_PROGRESS_CANCEL; });
    KeysTo("Tab", dialog, IDC_PROGRESS_CANCEL);
    Keys("Escape Return", "Cancel pressed", [&] { return samples.progressEvents.Count("OnCancel") == 1; });
    Keys("space", "Cancel pressed again", [&] { return samples.progressEvents.Count("OnCancel") == 2; })
        .Do([&] { EXPECT_TRUE(IsWindow(dialog)); });
    EXPECT_EQ(samples.Show(driver, tkt::Sample::Progress), 1);

    // A host busy transferring reads no messages, only updates the window: the
    // space bar waiting for Cancel reaches it through the update.
    tkt::ProgressHost busy;
    samples.progress.SetITavroKessaProgressDialogEvents(&busy);
    ASSERT_EQ(samples.ui->OpenProgressDialog(nullptr, &samples.progress), 1);
    HWND window = tkt::FindThreadDialog("Get Latest");
    ASSERT_TRUE(tkt::PumpUntilIdle([&] { return FocusedId(window) == IDC_PROGRESS_CANCEL; }, 5000));
    ASSERT_TRUE(tkt::PressRealKeys("space"));
    const ULONGLONG until = GetTickCount64() + 5000;
    while (busy.Count("OnCancel") == 0 && GetTickCount64() < until) samples.ui->UpdateProgressDialog(&samples.progress);
    EXPECT_GE(busy.Count("OnCancel"), 1);
    samples.ui->CloseProgressDialog();
}
