// What a screen reader hears: every field of every dialog is named by its own
// label through the platform's accessibility layer, a field with no label on
// screen has no name rather than another field's, and the tab order a keyboard
// user meets is the templates' own.
//
// Wine's accessibility layer names an edit after the nearest static text before it
// in z-order; combo boxes and lists it does not name so (a list view takes its own
// window text), where Windows applies the same label rule to them. Edits are asked
// through the layer itself; combo boxes and lists by the label rule, which the
// edits show to be the layer's.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "Samples.h"
#include "resource.h"

namespace {

// Defined here: linked from oleacc's import library it can resolve to a thunk and
// the query fails (docs/wine-notes.md).
const GUID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// The name a screen reader is given for `control`; empty when it has none.
std::string AccessibleName(HWND control) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                          reinterpret_cast<void**>(&accessible))) ||
        accessible == nullptr) {
        ADD_FAILURE() << "no accessible object for control " << GetDlgCtrlID(control);
        return "(none)";
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string text;
    if (accessible->get_accName(self, &name) == S_OK && name != nullptr) {
        char buffer[512] = {};
        WideCharToMultiByte(CP_ACP, 0, name, -1, buffer, sizeof(buffer) - 1, nullptr, nullptr);
        text = buffer;
    }
    if (name != nullptr) SysFreeString(name);
    accessible->Release();
    return text;
}

// The platform's label rule: the text of the nearest static control before
// `control` in z-order, hidden ones included; empty when there is none.
std::string LabelByZOrder(HWND control) {
    for (HWND before = GetWindow(control, GW_HWNDPREV); before != nullptr; before = GetWindow(before, GW_HWNDPREV))
        if (tkt::ClassOf(before) == "Static") return tkt::Text(before);
    return "";
}

enum class Kind { Edit, ComboOrList };

struct Field {
    int id;
    Kind kind;
    const char* name;  // "" for none
};

void ExpectNames(HWND dialog, const std::vector<Field>& fields) {
    for (const Field& field : fields) {
        SCOPED_TRACE("control " + std::to_string(field.id));
        HWND control = GetDlgItem(dialog, field.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(LabelByZOrder(control), field.name);
        if (field.kind == Kind::Edit) {
            EXPECT_EQ(AccessibleName(control), field.name);
        }
    }
}

// The enabled tab stops from the first, as Tab walks them.
std::vector<int> TabOrder(HWND dialog) {
    std::vector<int> ids;
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    for (HWND at = first; at != nullptr;) {
        ids.push_back(GetDlgCtrlID(at));
        at = GetNextDlgTabItem(dialog, at, FALSE);
        if (at == first) break;
    }
    return ids;
}

// No label is a tab stop, so where labels stand in creation order changes
// nothing a keyboard user meets.
void ExpectNoLabelIsATabStop(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (tkt::ClassOf(child) == "Static") {
            EXPECT_EQ(GetWindowLongPtrA(child, GWL_STYLE) & WS_TABSTOP, 0) << tkt::Text(child);
        }
}

using Ids = std::vector<int>;

struct Accessibility : testing::Test {
    tkt::SampleDialogs samples;
    tkt::Driver driver;
};

}  // namespace

TEST_F(Accessibility, SigninFieldsAndTheChooserList) {
    HWND chooser = nullptr;
    samples.Open(driver, tkt::Sample::Signin)
        .Do([&] {
            HWND dialog = samples.Window();
            ExpectNames(dialog, {{IDC_SIGNIN_USER, Kind::Edit, "User Name:"},
                                 {IDC_SIGNIN_PASSWORD, Kind::Edit, "Password:"},
                                 {IDC_SIGNIN_SERVER, Kind::ComboOrList, "Server:"},
                                 {IDC_SIGNIN_DATABASE, Kind::ComboOrList, "Database:"}});
            EXPECT_EQ(TabOrder(dialog), (Ids{IDOK, IDCANCEL, IDC_SIGNIN_USER, IDC_SIGNIN_PASSWORD, IDC_SIGNIN_SERVER,
                                             IDC_SIGNIN_DATABASE, IDC_SIGNIN_QUERY, IDC_SIGNIN_AUTO_LOGIN}));
            ExpectNoLabelIsATabStop(dialog);
            tkt::Click(dialog, IDC_SIGNIN_QUERY);
        })
        .WaitDialog("Databases")
        .Do([&] {
            chooser = driver.Dialog();
            // The chooser shows no label: its list has no name.
            ExpectNames(chooser, {{IDC_DATABASES_LIST, Kind::ComboOrList, ""}});
            EXPECT_EQ(TabOrder(chooser), (Ids{IDOK, IDCANCEL, IDC_DATABASES_LIST}));
            tkt::Click(chooser, IDCANCEL);
        })
        .Wait([&] { return !IsWindow(chooser); })
        .Do([&] { tkt::Click(samples.Window(), IDCANCEL); });
    EXPECT_EQ(samples.Show(driver, tkt::Sample::Signin), 0);
}

TEST_F(Accessibility, ExploreFieldsTheNamelessListAndTheNavigationButtons) {
    samples.Open(driver, tkt::Sample::Explore)
        .Do([&] {
            HWND dialog = samples.Window();
            ExpectNames(dialog, {{IDC_EXPLORE_LOOK_IN, Kind::ComboOrList, "Look in:"},
                                 {IDC_EXPLORE_FILE_NAME, Kind::Edit, "File name:"},
                                 {IDC_EXPLORE_TYPES, Kind::ComboOrList, "Files of type:"},
                                 {IDC_EXPLORE_LIST, Kind::ComboOrList, ""}});
            // Wine names a list view by its own text: it has none either.
            EXPECT_EQ(AccessibleName(samples.Item(IDC_EXPLORE_LIST)), "");
            // The buttons show pictures only: they are announced by their tooltips' words.
            EXPECT_EQ(AccessibleName(samples.Item(IDC_EXPLORE_BACK)), "Go To Last Folder Visited");
            EXPECT_EQ(AccessibleName(samples.Item(IDC_EXPLORE_UP)), "Up One Level");
            // Both are off at the root, and Tab passes them by.
            EXPECT_EQ(TabOrder(dialog), (Ids{IDC_EXPLORE_OPEN, IDCANCEL, IDC_EXPLORE_LOOK_IN, IDC_EXPLORE_FILE_NAME,
                                             IDC_EXPLORE_TYPES, IDC_EXPLORE_LIST}));
            ExpectNoLabelIsATabStop(dialog);
            samples.explore.Show(samples.explore.dialog, samples.explore.Find("lib"));
        })
        .Wait([&] { return tkt::IsEnabled(samples.Window(), IDC_EXPLORE_UP); })
        .Do([&] {
            EXPECT_EQ(TabOrder(samples.Window()),
                      (Ids{IDC_EXPLORE_OPEN, IDCANCEL, IDC_EXPLORE_LOOK_IN, IDC_EXPLORE_UP, IDC_EXPLORE_FILE_NAME,
                           IDC_EXPLORE_TYPES, IDC_EXPLORE_LIST}));
            tkt::Click(samples.Window(), IDCANCEL);
        });
    EXPECT_EQ(samples.Show(driver, tkt::Sample::Explore), 0);
}

TEST_F(Accessibility, OptionsPropertiesAndHistory) {
    const struct {
        tkt::Sample sample;
        std::vector<Field> fields;
        Ids tabs;
    } kDialogs[] = {
        // The folder's only label is its group box, which the label rule passes by.
        {tkt::Sample::Options,
         {{IDC_OPTIONS_FOLDER, Kind::Edit, ""}},
         {IDOK, IDC_OPTIONS_BROWSE, IDC_OPTIONS_AUTO_LOGIN, IDCANCEL, IDC_OPTIONS_FOLDER}},
        {tkt::Sample::Properties,
         {{IDC_PROPERTIES_KESSA_PATH, Kind::Edit, "Kessa Location:"},
          {IDC_PROPERTIES_LOCAL_PATH, Kind::Edit, "Local Location:"},
          {IDC_PROPERTIES_LOCAL_VERSION, Kind::Edit, "Local Version:"},
          {IDC_PROPERTIES_LATEST_VERSION, Kind::Edit, "Latest Version:"},
          {IDC_PROPERTIES_LOCAL_DATE, Kind::Edit, "Last Modified:"},
          {IDC_PROPERTIES_STATUS, Kind::Edit, "Check Out Status:"},
          {IDC_PROPERTIES_LATEST_DATE, Kind::Edit, "Last Modified:"}},
         {IDOK, IDC_PROPERTIES_KESSA_PATH, IDC_PROPERTIES_LOCAL_PATH, IDC_PROPERTIES_LOCAL_VERSION,
          IDC_PROPERTIES_LATEST_VERSION, IDC_PROPERTIES_LOCAL_DATE, IDC_PROPERTIES_STATUS,
          IDC_PROPERTIES_LATEST_DATE}},
        // History shows no labels at all; Get Version is off until a row is chosen.
        {tkt::Sample::History,
         {{IDC_HISTORY_PATH, Kind::Edit, ""},
          {IDC_HISTORY_LIST, Kind::ComboOrList, ""},
          {IDC_HISTORY_COMMENT, Kind::Edit, ""}},
         {IDC_HISTORY_PATH, IDC_HISTORY_LIST, IDC_HISTORY_COMMENT, IDCANCEL}},
    };
    for (const auto& expected : kDialogs) {
        SCOPED_TRACE(tkt::SampleName(expected.sample));
        tkt::Driver run;
        samples.Open(run, expected.sample).Do([&] {
            ExpectNames(samples.Window(), expected.fields);
            EXPECT_EQ(TabOrder(samples.Window()), expected.tabs);
            ExpectNoLabelIsATabStop(samples.Window());
            tkt::Click(samples.Window(), IDCANCEL);
        });
        samples.Show(run, expected.sample);
    }
}
