#include "Tour.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <functional>

#include "DemoHost.h"
#include "DialogDriver.h"
#include "Gallery.h"
#include "MainWindow.h"
#include "Picture.h"
#include "resource.h"

namespace tour {
namespace {

using namespace tkt;

const char kSigninTitle[] = "Calvex Kessa 7.2 Log In";
const char kHostCaption[] = "Kessa";
const char kRefusalCaption[] = "Kessa Log In";
const char kAlpha[] = "alpha.kessa.example";
const char kBeta[] = "beta.kessa.example";
// How long one call's steps may take before its dialogs are ended.
constexpr DWORD kStepMs = 20000;

class Tour {
public:
    Tour(demo::DemoHost& host, demo::MainWindow& window, Gallery& gallery)
        : m_host(host), m_window(window), m_gallery(gallery) {}

    void RunScene(const std::string& name);
    const std::vector<std::string>& Failures() const { return m_failures; }

    void Messages();
    void Signin();
    void Options();
    void Explore();
    void Properties();
    void History();
    void Progress();
    void Enforced();
    void Folder();
    void Main();

private:
    HWND Owner() const { return m_window.Handle(); }
    void Expect(bool ok, const std::string& what);
    void RunScript(Driver& script, const std::function<void()>& call);
    Driver::Step Picture(std::string name, std::string caption, std::function<HWND()> window,
                         std::function<std::vector<HWND>()> also = nullptr, bool steady = true);
    // Signs in to `server`/`database` without pictures, unless already there.
    bool RequireSession(const std::string& server, const std::string& database);
    int FileId(const char* path) const;

    demo::DemoHost& m_host;
    demo::MainWindow& m_window;
    Gallery& m_gallery;
    std::string m_scene;
    std::vector<std::string> m_failures;
};

struct SceneEntry {
    const char* name;
    void (Tour::*run)();
};

const SceneEntry kScenes[] = {
    {"messages", &Tour::Messages}, {"signin", &Tour::Signin},         {"options", &Tour::Options},
    {"explore", &Tour::Explore},   {"properties", &Tour::Properties}, {"history", &Tour::History},
    {"progress", &Tour::Progress}, {"enforced", &Tour::Enforced},     {"folder", &Tour::Folder},
    {"main", &Tour::Main},
};

// --- The frame ------------------------------------------------------------------

void Tour::RunScene(const std::string& name) {
    for (const SceneEntry& scene : kScenes) {
        if (name != scene.name) continue;
        m_scene = name;
        size_t failuresBefore = m_failures.size(), picturesBefore = m_gallery.Count();
        SetForegroundWindow(Owner());
        (this->*scene.run)();
        m_window.Refresh();
        std::printf("tour: %-10s %s (%zu picture%s)\n", scene.name,
                    m_failures.size() == failuresBefore ? "ok" : "FAILED", m_gallery.Count() - picturesBefore,
                    m_gallery.Count() - picturesBefore == 1 ? "" : "s");
        std::fflush(stdout);
        return;
    }
    m_failures.push_back(name + ": there is no such scene");
}

void Tour::Expect(bool ok, const std::string& what) {
    if (!ok) m_failures.push_back(m_scene + ": " + what);
}

void Tour::RunScript(Driver& script, const std::function<void()>& call) {
    script.Run([&] {
        call();
        return INT_PTR(0);
    });
    Expect(script.Problem().empty(), script.Problem() + " (" + m_host.LastCall() + ")");
    const int left = script.LiveCreatedWindows();
    Expect(left == 0, std::to_string(left) + " window(s) outlived the call (" + m_host.LastCall() + ")");
}

Driver::Step Tour::Picture(std::string name, std::string caption, std::function<HWND()> window,
                           std::function<std::vector<HWND>()> also, bool steady) {
    auto windows = [window, also] {
        std::vector<HWND> all = {window()};
        if (also) {
            std::vector<HWND> more = also();
            all.insert(all.end(), more.begin(), more.end());
        }
        return all;
    };
    auto take = [this, name, caption](const Image& image) {
        if (LooksBlank(image)) {
            Expect(false, name + ": the picture came out blank");
        } else if (!m_gallery.Add(name, caption, image)) {
            Expect(false, name + ": the picture could not be saved in " + m_gallery.Folder());
        }
    };
    return Photograph(windows, take, steady);
}

int Tour::FileId(const char* path) const {
    demo::Repository* repository = m_host.CurrentRepository();
    return repository != nullptr ? repository->Find(path) : -1;
}

bool Tour::RequireSession(const std::string& server, const std::string& database) {
    if (m_host.SignedIn() && m_host.CurrentServer()->name == server && m_host.CurrentDatabase()->name == database)
        return true;
    HWND dialog = nullptr;
    auto item = [&](int control) { return GetDlgItem(dialog, control); };
    Driver script(kStepMs);
    script.Wait("the sign-in dialog", [&] { return (dialog = FindDialog(kSigninTitle)) != nullptr; })
        .Do("fill in the entries",
            [&] {
                TypeKeys(item(IDC_SIGNIN_USER), "alice");
                TypeKeys(item(IDC_SIGNIN_PASSWORD), "alpine");
                TypeKeys(item(IDC_SIGNIN_SERVER), server);
                TypeKeys(item(IDC_SIGNIN_DATABASE), database);
            })
        .Wait("the entries typed",
              [&] {
                  return Text(item(IDC_SIGNIN_SERVER)) == server && Text(item(IDC_SIGNIN_DATABASE)) == database &&
                         GetWindowTextLengthA(item(IDC_SIGNIN_PASSWORD)) == 6;
              })
        .Do("press OK", [&] { PressButton(item(IDOK)); });
    INT_PTR result = -2;
    RunScript(script, [&] { result = m_host.SignIn(Owner()); });
    bool there = result == 1 && m_host.SignedIn() && m_host.CurrentDatabase()->name == database;
    Expect(there, "signing in to " + server + "/" + database + " gave " + std::to_string(result));
    return there;
}

// --- Message boxes -------------------------------------------------------------------

void Tour::Messages() {
    struct Case {
        demo::Notice notice;
        const char* name;
        const char* caption;
        int button;
        INT_PTR expected;
    };
    const Case cases[] = {
        {demo::Notice::Information, "message-information",
         "ShowMessage with TAVROKESSA_MSG_INFORMATION: the OK button alone; OK answers TAVROKESSA_ANSWER_OK.", IDOK,
         TAVROKESSA_ANSWER_OK},
        {demo::Notice::Warning, "message-warning",
         "TAVROKESSA_MSG_WARNING | TAVROKESSA_MSG_OKCANCEL; Cancel answers TAVROKESSA_ANSWER_CANCEL.", IDCANCEL,
         TAVROKESSA_ANSWER_CANCEL},
        {demo::Notice::Error, "message-error", "TAVROKESSA_MSG_ERROR; OK answers TAVROKESSA_ANSWER_OK.", IDOK,
         TAVROKESSA_ANSWER_OK},
        {demo::Notice::Question, "message-question",
         "TAVROKESSA_MSG_QUESTION | TAVROKESSA_MSG_YESNOCANCEL; No answers TAVROKESSA_ANSWER_NO.", IDNO,
         TAVROKESSA_ANSWER_NO},
        {demo::Notice::YesNo, "message-yesno",
         "TAVROKESSA_MSG_WARNING | TAVROKESSA_MSG_YESNO; Yes answers TAVROKESSA_ANSWER_YES.", IDYES,
         TAVROKESSA_ANSWER_YES},
    };
    for (const Case& test : cases) {
        HWND box = nullptr;
        Driver script(kStepMs);
        script.Wait("the message box", [&] { return (box = FindDialog(kHostCaption)) != nullptr; })
            .Wait("its picture", Picture(test.name, test.caption, [&] { return box; }))
            .Wait("its button", [&] { return GetDlgItem(box, test.button) != nullptr; })
            .Do("press the button", [&] { PressButton(GetDlgItem(box, test.button)); });
        INT_PTR answer = -2;
        RunScript(script, [&] { answer = m_host.Tell(Owner(), test.notice); });
        Expect(answer == test.expected, std::string(test.name) + " answered " + std::to_string(answer) + ", expected " +
                                            std::to_string(test.expected));
    }
}

// --- Sign-in -------------------------------------------------------------------------

void Tour::Signin() {
    HWND dialog = nullptr, box = nullptr, chooser = nullptr;
    auto item = [&](int control) { return GetDlgItem(dialog, control); };
    auto refusal = [&] { return (box = FindDialogOwnedBy(dialog)) != nullptr && Text(box) == kRefusalCaption; };
    Driver script(kStepMs);
    script.Wait("the sign-in dialog", [&] { return (dialog = FindDialog(kSigninTitle)) != nullptr; })
        .Wait("the saved entries",
              [&] {
                  return Text(item(IDC_SIGNIN_USER)) == "alice" && Text(item(IDC_SIGNIN_SERVER)) == kAlpha &&
                         Text(item(IDC_SIGNIN_DATABASE)) == "Tools";
              })
        .Wait("the dialog's picture",
              Picture("signin",
                      "ShowSigninDialog: the saved user, server and database filled in; the title carries "
                      "the version text.",
                      [&] { return dialog; }))
        // A wrong password: OnLogin refuses with the host's own message box.
        .Do("type a wrong password", [&] { TypeKeys(item(IDC_SIGNIN_PASSWORD), "wrong"); })
        .Wait("the password typed", [&] { return GetWindowTextLengthA(item(IDC_SIGNIN_PASSWORD)) == 5; })
        .Do("press OK", [&] { PressButton(item(IDOK)); })
        .Wait("the host's refusal", refusal)
        .Wait("the refusal's picture",
              Picture(
                  "signin-refused",
                  "OnLogin answers false for a wrong password and tells the user why; the dialog stays open.",
                  [&] { return box; }, [&] { return std::vector<HWND>{dialog}; }))
        .Do("close the refusal", [&] { PressButton(GetDlgItem(box, IDOK)); })
        .Wait("the refusal closed", [&] { return !IsWindow(box); })
        // A server that does not answer: the "..." listing fails.
        .Do("choose the offline server", [&] { TypeKeys(item(IDC_SIGNIN_SERVER), "gamma.kessa.example"); })
        .Wait("the server typed", [&] { return Text(item(IDC_SIGNIN_SERVER)) == "gamma.kessa.example"; })
        .Do("press ...", [&] { PressButton(item(IDC_SIGNIN_QUERY)); })
        .Wait("the host's warning", refusal)
        .Wait("the warning's picture",
              Picture(
                  "signin-offline", "OnQueryKessaList answers false for a server that does not answer: no chooser.",
                  [&] { return box; }, [&] { return std::vector<HWND>{dialog}; }))
        .Do("close the warning", [&] { PressButton(GetDlgItem(box, IDOK)); })
        .Wait("the warning closed", [&] { return !IsWindow(box); })
        // The right server and password, and a database from the chooser.
        .Do("type the right server and password",
            [&] {
                TypeKeys(item(IDC_SIGNIN_SERVER), kAlpha);
                TypeKeys(item(IDC_SIGNIN_PASSWORD), "alpine");
            })
        .Wait("the entries typed",
              [&] {
                  return Text(item(IDC_SIGNIN_SERVER)) == kAlpha &&
                         GetWindowTextLengthA(item(IDC_SIGNIN_PASSWORD)) == 6;
              })
        .Do("press ...", [&] { PressButton(item(IDC_SIGNIN_QUERY)); })
        .Wait("the database chooser", [&] { return (chooser = FindDialog("Databases")) != nullptr; })
        .Wait("the databases of alpha listed",
              [&] { return SendDlgItemMessageA(chooser, IDC_DATABASES_LIST, LB_GETCOUNT, 0, 0) == 3; })
        .Do("click Projects",
            [&] {
                HWND list = GetDlgItem(chooser, IDC_DATABASES_LIST);
                ClickAt(list, ListBoxItemCentre(list, ListBoxFind(list, "Projects")));
            })
        .Wait("Projects selected",
              [&] {
                  HWND list = GetDlgItem(chooser, IDC_DATABASES_LIST);
                  return SendMessageA(list, LB_GETCURSEL, 0, 0) == ListBoxFind(list, "Projects");
              })
        .Wait("the chooser's picture",
              Picture(
                  "signin-databases",
                  "\"...\" asks the host for the server's databases (OnQueryKessaList) and offers them in the "
                  "chooser.",
                  [&] { return chooser; }, [&] { return std::vector<HWND>{dialog}; }))
        .Do("press OK in the chooser", [&] { PressButton(GetDlgItem(chooser, IDOK)); })
        .Wait("Projects in the database field", [&] { return Text(item(IDC_SIGNIN_DATABASE)) == "Projects"; })
        .Do("tick \"Use these settings next session\"", [&] { PressButton(item(IDC_SIGNIN_AUTO_LOGIN)); })
        .Wait("the box ticked", [&] { return IsDlgButtonChecked(dialog, IDC_SIGNIN_AUTO_LOGIN) == BST_CHECKED; })
        .Do("press OK", [&] { PressButton(item(IDOK)); });
    INT_PTR result = -2;
    RunScript(script, [&] { result = m_host.SignIn(Owner()); });
    Expect(result == 1, "ShowSigninDialog returned " + std::to_string(result) + ", expected 1");
    Expect(m_host.SignedIn() && m_host.CurrentServer()->name == kAlpha && m_host.CurrentDatabase()->name == "Projects",
           "the session is not alpha/Projects");
    Expect(m_host.Settings().autoLogin && m_host.Settings().password == "alpine",
           "the record did not bring back the ticked auto-login and the password");
}

// --- Options and the folder picker -------------------------------------------------

// Selects the C: drive in the folder picker's tree: the levels below the desktop
// are opened one at a time and closed again unless the drive is among them.
bool SelectDriveC(HWND tree) {
    auto send = [tree](UINT message, WPARAM wParam, HTREEITEM item) {
        return SendMessageA(tree, message, wParam, reinterpret_cast<LPARAM>(item));
    };
    auto text = [tree](HTREEITEM item) {
        char buffer[260] = {};
        TVITEMA entry = {};
        entry.mask = TVIF_TEXT;
        entry.hItem = item;
        entry.pszText = buffer;
        entry.cchTextMax = sizeof(buffer);
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry));
        return std::string(buffer);
    };
    auto drive = [&](HTREEITEM parent) -> HTREEITEM {
        for (auto child = reinterpret_cast<HTREEITEM>(send(TVM_GETNEXTITEM, TVGN_CHILD, parent)); child != nullptr;
             child = reinterpret_cast<HTREEITEM>(send(TVM_GETNEXTITEM, TVGN_NEXT, child)))
            if (text(child).find("(C:)") != std::string::npos) return child;
        return nullptr;
    };
    auto desktop = reinterpret_cast<HTREEITEM>(send(TVM_GETNEXTITEM, TVGN_ROOT, nullptr));
    send(TVM_EXPAND, TVE_EXPAND, desktop);
    HTREEITEM found = drive(desktop);
    for (auto level = reinterpret_cast<HTREEITEM>(send(TVM_GETNEXTITEM, TVGN_CHILD, desktop));
         found == nullptr && level != nullptr;
         level = reinterpret_cast<HTREEITEM>(send(TVM_GETNEXTITEM, TVGN_NEXT, level))) {
        send(TVM_EXPAND, TVE_EXPAND, level);
        found = drive(level);
        if (found == nullptr) send(TVM_EXPAND, TVE_COLLAPSE, level);
    }
    if (found == nullptr) return false;
    // Selecting notifies the picker, as a click on the item does.
    PostMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(found));
    return true;
}

void Tour::Options() {
    if (!RequireSession(kAlpha, "Projects")) return;
    HWND dialog = nullptr, picker = nullptr;
    std::string before;
    Driver script(kStepMs);
    script.Wait("the options dialog", [&] { return (dialog = FindDialog("Kessa Options")) != nullptr; })
        .Wait("the working folder shown",
              [&] {
                  before = Text(GetDlgItem(dialog, IDC_OPTIONS_FOLDER));
                  return before == "C:\\Kessa\\Projects";
              })
        .Wait("the dialog's picture",
              Picture("options",
                      "ShowOptionsDialog: the working folder and the saved-settings box as the record holds them; "
                      "\"Working Folder Set by Server\" is hidden.",
                      [&] { return dialog; }))
        .Do("press Browse...", [&] { PressButton(GetDlgItem(dialog, IDC_OPTIONS_BROWSE)); })
        .Wait("the folder picker",
              [&] {
                  picker = FindDialogOwnedBy(dialog);
                  HWND tree = picker != nullptr ? FindChildOfClass(picker, WC_TREEVIEWA) : nullptr;
                  return tree != nullptr && SendMessageA(tree, TVM_GETCOUNT, 0, 0) > 0;
              })
        .Wait("drive C: selected", [&] { return SelectDriveC(FindChildOfClass(picker, WC_TREEVIEWA)); })
        .Wait("the picker's picture",
              Picture("folder-picker",
                      "\"Browse...\" opens the shell's folder picker through BrowseForFolder, titled with the "
                      "library's \"Select working folder:\".",
                      [&] { return picker; }))
        .Do("press OK in the picker", [&] { PressButton(GetDlgItem(picker, IDOK)); })
        .Wait("the chosen folder in the field",
              [&] { return Text(GetDlgItem(dialog, IDC_OPTIONS_FOLDER)) == "C:\\"; })
        .Do("press OK", [&] { PressButton(GetDlgItem(dialog, IDOK)); });
    INT_PTR result = -2;
    RunScript(script, [&] { result = m_host.EditOptions(Owner()); });
    Expect(result == 1, "ShowOptionsDialog returned " + std::to_string(result) + ", expected 1");
    Expect(m_host.WorkingFolder() == "C:\\", "the working folder is " + m_host.WorkingFolder() + ", expected C:\\");
}

void Tour::Enforced() {
    if (!RequireSession(kBeta, "Web")) return;
    HWND dialog = nullptr;
    Driver script(kStepMs);
    script.Wait("the options dialog", [&] { return (dialog = FindDialog("Kessa Options")) != nullptr; })
        .Wait("the server's folder, locked",
              [&] {
                  return Text(GetDlgItem(dialog, IDC_OPTIONS_FOLDER)) == "C:\\Kessa\\Web" &&
                         !IsEnabled(GetDlgItem(dialog, IDC_OPTIONS_FOLDER)) &&
                         !IsEnabled(GetDlgItem(dialog, IDC_OPTIONS_BROWSE)) &&
                         IsWindowVisible(GetDlgItem(dialog, IDC_OPTIONS_ENFORCED_NOTE));
              })
        .Wait("the dialog's picture",
              Picture("options-enforced",
                      "The server sets the working folder (SetEnforceWorkingFolder): the folder and \"Browse...\" "
                      "are disabled and \"Working Folder Set by Server\" shows.",
                      [&] { return dialog; }))
        .Do("press Escape", [&] { PressKey(GetDlgItem(dialog, IDOK), VK_ESCAPE); });
    INT_PTR result = -2;
    RunScript(script, [&] { result = m_host.EditOptions(Owner()); });
    Expect(result == 0, "ShowOptionsDialog returned " + std::to_string(result) + " for Escape, expected 0");
}

void Tour::Folder() {
    HWND picker = nullptr;
    Driver script(kStepMs);
    script.Wait("the folder picker", [&] { return (picker = FindDialogOwnedBy(Owner())) != nullptr; })
        .Do("press Cancel", [&] { PressButton(GetDlgItem(picker, IDCANCEL)); });
    INT_PTR result = -2;
    RunScript(script, [&] { result = m_host.ChooseLocalFolder(Owner()); });
    Expect(result == 0, "BrowseForFolder returned " + std::to_string(result) + " for Cancel, expected 0");
    Expect(m_host.LocalFolder().empty(), "a cancelled folder picker changed the folder");
}

// --- Explore -------------------------------------------------------------------------

void Tour::Explore() {
    if (!RequireSession(kAlpha, "Projects")) return;
    const demo::Repository& repository = *m_host.CurrentRepository();
    HWND dialog = nullptr;
    auto item = [&](int control) { return GetDlgItem(dialog, control); };
    auto list = [&] { return item(IDC_EXPLORE_LIST); };
    auto levels = [&] { return ComboCount(item(IDC_EXPLORE_LOOK_IN)); };
    auto openFolder = [&](const char* name) {
        return [&, name] { DoubleClickAt(list(), ItemCentre(list(), FindItem(list(), name), LVIR_ICON)); };
    };
    auto showing = [&](const char* path) {
        return [&, path] {
            int folder = repository.Find(path);
            return levels() == static_cast<int>(repository.Lineage(folder).size()) && ItemCount(list()) > 0 &&
                   ItemText(list(), 0) == repository.At(repository.At(folder).children.front()).name;
        };
    };
    const char* const chosenNames[] = {"Document.cpp", "Engine.cpp", "Engine.h"};

    Driver script(kStepMs);
    script.Wait("the explore dialog", [&] { return (dialog = FindDialog("Open from Kessa")) != nullptr; })
        .Wait("the root listed", showing("$/"))
        .Wait("the root's picture",
              Picture("explore-root",
                      "ShowExploreDialog: the host fills the list and the \"Look in:\" path from OnOpenEntry(-1).",
                      [&] { return dialog; }))
        .Do("double-click src", openFolder("src"))
        .Wait("src listed", showing("$/src"))
        .Do("double-click ui", openFolder("ui"))
        .Wait("src/ui listed", showing("$/src/ui"))
        .Wait("the subfolder's picture",
              Picture("explore-subfolder",
                      "Two double-clicks later (OnOpenEntry with a folder's index): back and up are enabled.",
                      [&] { return dialog; }))
        .Do("open \"Look in:\" (F4)", [&] { PressKey(item(IDC_EXPLORE_LOOK_IN), VK_F4); })
        .Wait("the levels dropped down", [&] { return ComboDroppedList(item(IDC_EXPLORE_LOOK_IN)) != nullptr; })
        .Wait(
            "the drop-down's picture",
            Picture(
                "explore-lookin",
                "\"Look in:\" open: each level of the path indented under the server's root, with its picture.",
                [&] { return dialog; }, [&] { return std::vector<HWND>{ComboDroppedList(item(IDC_EXPLORE_LOOK_IN))}; }))
        .Do("click the root level",
            [&] {
                HWND dropped = ComboDroppedList(item(IDC_EXPLORE_LOOK_IN));
                ClickAt(dropped, ListBoxItemCentre(dropped, 0));
            })
        .Wait("the root listed again", showing("$/"))
        .Do("press Go To Last Folder Visited", [&] { PressButton(item(IDC_EXPLORE_BACK)); })
        .Wait("back in src/ui", showing("$/src/ui"))
        .Do("press Up One Level", [&] { PressButton(item(IDC_EXPLORE_UP)); })
        .Wait("up in src", showing("$/src"))
        .Do("double-click core", openFolder("core"))
        .Wait("src/core listed", showing("$/src/core"))
        .Do("choose C++ files in \"Files of type:\"", [&] { PressKey(item(IDC_EXPLORE_TYPES), VK_DOWN); })
        .Wait("only C++ files and folders listed",
              [&] {
                  if (ComboSelection(item(IDC_EXPLORE_TYPES)) != 1 || FindItem(list(), "Engine.cpp") < 0) return false;
                  for (int i = 0; i < ItemCount(list()); ++i)
                      if (!demo::MatchesPatterns(ItemText(list(), i), "*.cpp;*.h")) return false;
                  return true;
              })
        .Do("click Document.cpp, then Ctrl+click Engine.cpp and Engine.h",
            [&] {
                ClickAt(list(), ItemCentre(list(), FindItem(list(), chosenNames[0]), LVIR_ICON));
                ClickAt(list(), ItemCentre(list(), FindItem(list(), chosenNames[1]), LVIR_ICON), MK_CONTROL);
                ClickAt(list(), ItemCentre(list(), FindItem(list(), chosenNames[2]), LVIR_ICON), MK_CONTROL);
            })
        .Wait("three files selected and named",
              [&] {
                  return SelectedItems(list()).size() == 3 &&
                         Text(item(IDC_EXPLORE_FILE_NAME)) == "\"Document.cpp\" \"Engine.cpp\" \"Engine.h\"";
              })
        .Wait("the selection's picture",
              Picture("explore-multiple",
                      "\"C++ files\" chosen and three files selected: GetSelectionText names them in the file-name "
                      "field.",
                      [&] { return dialog; }))
        .Do("press Open", [&] { PressButton(item(IDC_EXPLORE_OPEN)); });
    INT_PTR result = -2;
    RunScript(script, [&] { result = m_host.Explore(Owner()); });
    Expect(result == 1, "ShowExploreDialog returned " + std::to_string(result) + ", expected 1");
    std::vector<int> expected;
    for (const char* name : chosenNames) expected.push_back(FileId(("$/src/core/" + std::string(name)).c_str()));
    Expect(m_host.Chosen() == expected, "the chosen files are not Document.cpp, Engine.cpp and Engine.h");
}

// --- Properties and history ---------------------------------------------------------

void Tour::Properties() {
    if (!RequireSession(kAlpha, "Projects")) return;
    struct Case {
        const char* path;
        const char* status;
        const char* name;
        const char* caption;
        bool byCloseBox;
    };
    const Case cases[] = {
        {"$/src/core/Engine.cpp", "File is checked out to bob", "properties-checked-out",
         "ShowPropertyDialog for a file checked out to bob, two versions behind.", false},
        {"$/src/core/Engine.h", "<file is not checked out>", "properties-free",
         "ShowPropertyDialog for a file nobody has checked out.", true},
    };
    for (const Case& test : cases) {
        HWND dialog = nullptr;
        Driver script(kStepMs);
        script.Wait("the properties dialog", [&] { return (dialog = FindDialog("Properties")) != nullptr; })
            .Wait("the check-out status",
                  [&] { return Text(GetDlgItem(dialog, IDC_PROPERTIES_STATUS)) == test.status; })
            .Wait("the dialog's picture", Picture(test.name, test.caption, [&] { return dialog; }))
            .Do("close it", [&] {
                if (test.byCloseBox) {
                    CloseBox(dialog);
                } else {
                    PressKey(GetDlgItem(dialog, IDOK), VK_RETURN);
                }
            });
        INT_PTR result = -2;
        RunScript(script, [&] { result = m_host.ShowProperties(Owner(), FileId(test.path)); });
        Expect(result == 1, std::string("ShowPropertyDialog returned ") + std::to_string(result) + ", expected 1");
    }
}

void Tour::History() {
    if (!RequireSession(kAlpha, "Projects")) return;
    const int file = FileId("$/src/core/Engine.cpp");
    const demo::Node& engine = m_host.CurrentRepository()->At(file);
    HWND dialog = nullptr;
    auto list = [&] { return GetDlgItem(dialog, IDC_HISTORY_LIST); };
    auto getVersion = [&] { return GetDlgItem(dialog, IDC_HISTORY_GET_VERSION); };
    auto row = [&](int version) { return FindItem(list(), std::to_string(version), 1); };
    auto selected = [&](int rowIndex) { return SelectedItems(list()) == std::vector<int>{rowIndex}; };
    auto sortedByAuthor = [&] {
        for (int i = 1; i < ItemCount(list()); ++i)
            if (std::strcmp(ItemText(list(), i - 1, 3).c_str(), ItemText(list(), i, 3).c_str()) > 0) return false;
        return true;
    };
    auto headerImage = [&](int column) {
        HDITEMA header = {};
        header.mask = HDI_IMAGE | HDI_FORMAT;
        SendMessageA(ListView_GetHeader(list()), HDM_GETITEMA, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&header));
        return (header.fmt & HDF_IMAGE) != 0 ? header.iImage : -1;
    };
    const int count = static_cast<int>(engine.versions.size());
    int arrowAfterSort = -2;

    Driver script(kStepMs);
    script.Wait("the history dialog", [&] { return (dialog = FindDialog("History")) != nullptr; })
        .Wait("every version listed, the marker on version 34",
              [&] { return ItemCount(list()) == count && ItemImage(list(), row(34)) == 3; })
        .Wait("the dialog's picture",
              Picture("history",
                      "ShowHistoryDialog: the versions newest first; the pennant marks the local version (34).",
                      [&] { return dialog; }))
        // Versions 1 and 2 are purged: CanGetVersion answers false for them.
        .Do("press End", [&] { PressKey(list(), VK_END); })
        .Wait("version 1 selected, Get Version disabled", [&] { return selected(row(1)) && !IsEnabled(getVersion()); })
        .Do("press Home", [&] { PressKey(list(), VK_HOME); })
        .Wait("version 36 selected, Get Version enabled", [&] { return selected(row(36)) && IsEnabled(getVersion()); })
        .Do("click version 31", [&] { ClickAt(list(), ItemCentre(list(), row(31), LVIR_ICON)); })
        .Wait("version 31 selected, its whole comment shown",
              [&] {
                  return selected(row(31)) && IsEnabled(getVersion()) &&
                         Text(GetDlgItem(dialog, IDC_HISTORY_COMMENT)) == engine.versions[30].comment;
              })
        .Do("press Get Version", [&] { PressButton(getVersion()); })
        .Wait("the marker moved to version 31",
              [&] { return ItemImage(list(), row(31)) == 3 && ItemImage(list(), row(34)) == 0; })
        .Do("click the Created By header",
            [&] {
                HWND header = ListView_GetHeader(list());
                RECT rect = {};
                SendMessageA(header, HDM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&rect));
                ClickAt(header, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
            })
        .Wait("sorted by author", sortedByAuthor)
        .Do("scroll to the selected row",
            [&] {
                arrowAfterSort = headerImage(3);
                PostMessageA(list(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row(31)), FALSE);
            })
        .Wait("the sorted picture",
              Picture("history-sorted",
                      "Sorted by \"Created By\" (the header's arrow) after Get Version fetched version 31 through the "
                      "progress window: the pennant moved with it.",
                      [&] { return dialog; }))
        .Do("press Close", [&] { PressButton(GetDlgItem(dialog, IDCANCEL)); });
    INT_PTR result = -2;
    RunScript(script, [&] { result = m_host.ShowHistory(Owner(), file); });
    Expect(result == 1, "ShowHistoryDialog returned " + std::to_string(result) + ", expected 1");
    Expect(engine.localVersion == 31, "the local version is " + std::to_string(engine.localVersion) + ", expected 31");
    Expect(arrowAfterSort == 1, "the sorted column's header shows image " + std::to_string(arrowAfterSort) +
                                    ", expected the ascending arrow (1)");
}

// --- Progress --------------------------------------------------------------------------

void Tour::Progress() {
    if (!RequireSession(kAlpha, "Projects")) return;
    HWND window = nullptr;
    Driver script(kStepMs);
    script
        .Wait("the progress window a third of the way",
              [&] {
                  window = FindDialog("Get Latest");
                  return window != nullptr && SendDlgItemMessageA(window, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0) >= 30;
              })
        .Wait("its picture",
              Picture(
                  "progress",
                  "OpenProgressDialog during Get Latest of $/src: the host updates it between files and pumps "
                  "messages, so Cancel works.",
                  [&] { return window; }, nullptr, false))
        .Do("press Cancel", [&] { PressButton(GetDlgItem(window, IDC_PROGRESS_CANCEL)); });
    demo::TransferOutcome outcome;
    RunScript(script, [&] { outcome = m_host.GetLatest(Owner(), FileId("$/src")); });
    Expect(outcome.shown, "the progress window did not open");
    Expect(window != nullptr && !IsWindow(window), "the progress window is still there");
    Expect(outcome.cancelled && outcome.arrived > 0 && outcome.arrived < outcome.total,
           "Cancel did not stop the transfer part of the way (" + std::to_string(outcome.arrived) + " of " +
               std::to_string(outcome.total) + " files)");
}

// --- The main window -------------------------------------------------------------------

void Tour::Main() {
    m_window.Refresh();
    Driver script(kStepMs);
    script.Wait("the main window's picture",
                Picture("main-window",
                        "The demo host's main window: a button per dialog, the records as the dialogs left them and "
                        "what the last one returned.",
                        [&] { return Owner(); }));
    // No dialog runs here: the application's own message loop carries the ticks.
    RunScript(script, [&] {
        MSG message;
        while (!script.Over()) {
            if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    });
}

}  // namespace

std::vector<std::string> SceneNames() {
    std::vector<std::string> names;
    for (const SceneEntry& scene : kScenes) names.push_back(scene.name);
    return names;
}

int RunTour(demo::DemoHost& host, demo::MainWindow& window, const TourOptions& options) {
    Gallery gallery(options.folder);
    if (!gallery.Prepare()) {
        std::fprintf(stderr, "tour: cannot make the folder %s\n", options.folder.c_str());
        return 2;
    }
    // The pointer rests in a corner, so that no tooltip or hot item appears in a picture.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);

    Tour tour(host, window, gallery);
    for (const std::string& name : options.only.empty() ? SceneNames() : options.only) tour.RunScene(name);
    if (!gallery.Finish()) std::fprintf(stderr, "tour: the index could not be written\n");

    std::printf("tour: %zu pictures, index.html and contact-sheet.png in %s\n", gallery.Count(),
                gallery.Folder().c_str());
    for (const std::string& failure : tour.Failures()) std::printf("tour: FAILED %s\n", failure.c_str());
    std::fflush(stdout);
    return tour.Failures().empty() ? 0 : 1;
}

}  // namespace tour
