#include "Kit.h"

#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <set>

#include "DialogDriver.h"
#include "Fixtures.h"
#include "Hosts.h"
#include "resource.h"
#include "service/Handles.h"
#include "tavrokessaui.h"

namespace tkr {

const Kind kAllKinds[6] = {Kind::Options, Kind::Signin, Kind::Properties, Kind::History, Kind::Progress, Kind::Explore};

const char* NameOf(Kind kind) {
    switch (kind) {
    case Kind::Options: return "options";
    case Kind::Signin: return "signin";
    case Kind::Properties: return "properties";
    case Kind::History: return "history";
    case Kind::Progress: return "progress";
    case Kind::Explore: return "explore";
    }
    return "?";
}

long long PrivateUsage() {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof(counters)))
        return 0;
    return static_cast<long long>(counters.PrivateUsage);
}

long long PrivateBytes() {
    // Wine 8 fills PrivateUsage from the swap in use (0 on these machines), so
    // the committed private pages are added up from the address space itself.
    long long total = 0;
    MEMORY_BASIC_INFORMATION region = {};
    for (const char* at = nullptr; VirtualQuery(at, &region, sizeof(region)) == sizeof(region);
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += static_cast<long long>(region.RegionSize);
        if (region.RegionSize == 0) break;
    }
    return total;
}

namespace {

using Rng = std::mt19937;

int Pick(Rng& rng, int count) { return static_cast<int>(rng() % static_cast<unsigned>(count)); }
bool Chance(Rng& rng, int percent) { return Pick(rng, 100) < percent; }

const char* TitleOf(Kind kind) {
    switch (kind) {
    case Kind::Options: return "Kessa Options";
    case Kind::Signin: return "Calvex Kessa Log In";
    case Kind::Properties: return "Properties";
    case Kind::History: return "History";
    case Kind::Progress: return "Dialog";
    case Kind::Explore: return "Explore Kessa";
    }
    return nullptr;
}

std::string Fault(Kind kind, const std::string& what) { return std::string(NameOf(kind)) + ": " + what; }

// --- Host side: records and events for every dialog -----------------------------

// The explore host is a tree of its own, listed afresh at every refill (with a
// random number of entries for the monkey): each folder holds folders and files;
// indices are unique per folder listing, and every index the dialog hands back
// must be one of them.
struct ExploreHost final : ITavroKessaExploreDialogEvents {
    bool OnInitDialog(ITavroKessaExploreDialog*) override { return true; }
    bool OnOpenEntry(ITavroKessaExploreDialog* dialog, int index) override {
        if (index >= 0) {
            if (!Given(index)) bad.push_back("OnOpenEntry index not given: " + std::to_string(index));
            if (index % 3 == 0 && depth < 6) ++depth;  // folders are every third entry
        }
        Fill(dialog);
        return true;
    }
    bool OnOpen(ITavroKessaExploreDialog* dialog, std::vector<int> selection) override {
        Check(selection, "OnOpen");
        if (refuse || (rng != nullptr && Chance(*rng, 50))) return false;
        return dialog->EndExplore(1);
    }
    bool OnLookInSelected(ITavroKessaExploreDialog* dialog, int position, int count) override {
        if (position < 0 || position >= count) bad.push_back("look-in position out of range");
        depth = std::max(0, std::min(position, depth));
        Fill(dialog);
        return true;
    }
    bool OnUpOneLevel(ITavroKessaExploreDialog* dialog) override {
        if (depth > 0) --depth;
        Fill(dialog);
        return true;
    }
    bool OnGoToLastFolder(ITavroKessaExploreDialog* dialog) override {
        depth = depth > 0 ? depth - 1 : 1;
        Fill(dialog);
        return true;
    }
    bool CanGoToLastFolder(ITavroKessaExploreDialog*) override { return depth > 0; }
    bool GetSelectionText(ITavroKessaExploreDialog*, std::vector<int> selection, std::string& text) override {
        Check(selection, "GetSelectionText");
        text.clear();
        for (int index : selection) text += "item" + std::to_string(index) + " ";
        return true;
    }

    void Fill(ITavroKessaExploreDialog* dialog) {
        dialog->ClearEntries();
        given.clear();
        const int count = rng != nullptr ? 1 + Pick(*rng, 30) : 5;
        const int base = depth * 1000;
        for (int i = 0; i < count; ++i) {
            TavroKessaExploreDialogEntry entry;
            entry.SetDisplayName(("item" + std::to_string(base + i) + (i % 3 == 0 ? "" : ".txt")).c_str());
            entry.SetFolder(i % 3 == 0);
            entry.SetIndex(base + i);
            if (dialog->AddListEntry(&entry)) given.insert(base + i);
        }
        dialog->ClearLookIn();
        for (int level = 0; level <= depth; ++level) {
            TavroKessaExploreDialogEntry entry;
            entry.SetDisplayName(level == 0 ? "$/" : ("level" + std::to_string(level)).c_str());
            dialog->AddLookInEntry(&entry, level == depth);
        }
    }
    bool Given(int index) const { return given.count(index) != 0; }
    void Check(const std::vector<int>& selection, const char* where) {
        for (int index : selection)
            if (!Given(index)) bad.push_back(std::string(where) + " index not given: " + std::to_string(index));
    }

    Rng* rng = nullptr;
    bool refuse = false;
    int depth = 0;
    std::set<int> given;
    std::vector<std::string> bad;
};

// Everything one kind of dialog needs, made once and reused by every cycle.
struct Bench {
    explicit Bench(Kind k) : kind(k), ui(GetITavroKessaUI()) {
        // Thousands of dialogs with their memory measured: the hosts keep no log.
        tkt::ScriptedEvents* const hosts[] = {&uiHost, &signinHost, &historyHost, &progressHost};
        for (tkt::ScriptedEvents* host : hosts) host->keepLog = false;
        // The hosts answer at random for the monkey (rng set); in the cycles they
        // accept, unless the closing path is a refusal.
        signinHost.onQuery = [this](TavroKessaSigninDialogParams*, HWND, std::vector<std::string>& names) {
            const int count = rng != nullptr ? Pick(*rng, 6) : 2;
            for (int i = 0; i < count; ++i) names.push_back("db" + std::to_string(i));
            return rng == nullptr || Chance(*rng, 80);
        };
        signinHost.onLogin = [this](TavroKessaSigninDialogParams*, HWND) {
            if (refuse) return false;
            return rng == nullptr || Chance(*rng, 50);
        };
        historyHost.onAsk = [this](int, HWND) { return rng == nullptr ? !refuse : Chance(*rng, 70); };
        historyHost.onFetch = [this](int, HWND) { return rng == nullptr || Chance(*rng, 70); };
        ui->SetHost(&uiHost);
        options.SetWorkingFolder("C:\\work");
        signin.SetUser("user");
        signin.SetServer("server");
        servers = {"server", "other"};
        signin.SetServerList(&servers);
        signin.SetITavroKessaSigninDialogEvents(&signinHost);
        properties.SetKessaPath("$/project/file.txt");
        properties.SetCheckedOut(true);
        properties.SetUserName("someone");
        for (int i = 0; i < 8; ++i) {
            auto entry = std::make_unique<TavroKessaFileHistoryEntry>();
            entry->SetEntry(i);
            entry->SetLatestVer(i + 1);
            entry->SetLastModDateLatestSortVal(1000 - i);
            entry->SetComment(("comment " + std::to_string(i) + "\r\nmore").c_str());
            history.AddEntry(entry.get());
            historyEntries.push_back(std::move(entry));
        }
        history.SetLocalVer(3);
        history.SetITavroKessaHistoryDialogEvents(&historyHost);
        progress.SetITavroKessaProgressDialogEvents(&progressHost);
        explore.SetTitle("Explore Kessa");
        explore.SetITavroKessaExploreDialogEvents(&exploreHost);
        explore.SetMultipleSelections(true);
        explore.AddFilter("All files", "*.*");
        explore.AddFilter("Text", "*.txt");
    }
    ~Bench() { ReleaseITavroKessaUI(ui); }

    INT_PTR Show(HWND parent) {
        switch (kind) {
        case Kind::Options: return ui->ShowOptionsDialog(parent, &options);
        case Kind::Signin: return ui->ShowSigninDialog(parent, &signin);
        case Kind::Properties: return ui->ShowPropertyDialog(parent, &properties);
        case Kind::History: return ui->ShowHistoryDialog(parent, &history);
        case Kind::Explore: return ui->ShowExploreDialog(parent, &explore);
        case Kind::Progress: break;
        }
        return -2;
    }

    Kind kind;
    ITavroKessaUI* ui;
    Rng* rng = nullptr;
    bool refuse = false;
    tkt::SettingsHost uiHost;
    TavroKessaOptionsDialogParams options;
    TavroKessaSigninDialogParams signin;
    std::vector<std::string> servers;
    tkt::SigninHost signinHost;
    TavroKessaPropertyDialogParams properties;
    TavroKessaHistoryDialogParams history;
    std::vector<std::unique_ptr<TavroKessaFileHistoryEntry>> historyEntries;
    tkt::HistoryHost historyHost;
    TavroKessaProgressDialogParams progress;
    tkt::ProgressHost progressHost;
    TavroKessaExploreDialogParams explore;
    ExploreHost exploreHost;
};

HWND BogusWindow() { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x7ff0bad0)); }

void SelectListRow(HWND list, int row, bool only = true) {
    if (only) {
        LVITEMA none = {};
        none.stateMask = LVIS_SELECTED;
        SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    }
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// --- Closing paths ------------------------------------------------------------------

enum class Path { Ok, Cancel, Escape, CloseBox, Refused, NotCreated };

std::vector<Path> PathsOf(Kind kind) {
    switch (kind) {
    case Kind::Properties: return {Path::Ok, Path::Escape, Path::CloseBox, Path::NotCreated};
    case Kind::Options: return {Path::Ok, Path::Cancel, Path::Escape, Path::CloseBox, Path::NotCreated};
    case Kind::Progress: return {Path::Ok, Path::Cancel, Path::NotCreated};
    default: return {Path::Ok, Path::Cancel, Path::Escape, Path::CloseBox, Path::Refused, Path::NotCreated};
    }
}

INT_PTR Expected(Kind kind, Path path) {
    if (path == Path::NotCreated) return kind == Kind::Progress ? 0 : -1;
    if (kind == Kind::Properties || kind == Kind::History || kind == Kind::Progress) return 1;
    return path == Path::Ok ? 1 : 0;
}

// One cycle: open, close by `path`, and check that all it made is gone.
INT_PTR OneCycle(Bench& bench, Path path, tkt::Driver& driver) {
    Kind kind = bench.kind;
    if (kind == Kind::Progress) {
        INT_PTR opened = 0;
        driver.Run([&] {
            opened = bench.ui->OpenProgressDialog(path == Path::NotCreated ? BogusWindow() : nullptr, &bench.progress);
            if (opened == 0) return INT_PTR(0);
            HWND window = bench.ui->UpdateProgressDialog(&bench.progress) ? tkt::FindDialog("Dialog") : nullptr;
            if (path == Path::Cancel && window != nullptr)
                SendMessageA(window, WM_COMMAND, IDC_PROGRESS_CANCEL, 0);
            return bench.ui->CloseProgressDialog();
        });
        return opened;
    }
    if (path == Path::NotCreated) return driver.Run([&] { return bench.Show(BogusWindow()); });
    bench.refuse = path == Path::Refused;
    bench.exploreHost.refuse = path == Path::Refused;
    driver.WaitDialog(TitleOf(kind)).Do([&driver, kind, path] {
        HWND dialog = driver.Dialog();
        switch (path) {
        case Path::Ok:
            if (kind == Kind::Explore) {
                SelectListRow(GetDlgItem(dialog, IDC_EXPLORE_LIST), 1);
                tkt::Click(dialog, IDC_EXPLORE_OPEN);
            } else {
                tkt::Click(dialog, IDOK);
            }
            break;
        case Path::Cancel: tkt::Click(dialog, IDCANCEL); break;
        case Path::Escape: tkt::PressKey(dialog, VK_ESCAPE); break;
        case Path::CloseBox: tkt::CloseBox(dialog); break;
        case Path::Refused:
            // The event says no; the dialog stays, and is cancelled after.
            if (kind == Kind::Signin) tkt::Click(dialog, IDOK);
            if (kind == Kind::History) SelectListRow(GetDlgItem(dialog, IDC_HISTORY_LIST), 2);
            if (kind == Kind::Explore) {
                SelectListRow(GetDlgItem(dialog, IDC_EXPLORE_LIST), 1);
                tkt::Click(dialog, IDC_EXPLORE_OPEN);
            }
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            break;
        default: break;
        }
    });
    return driver.Run([&] { return bench.Show(nullptr); });
}

}  // namespace

Tally CycleDialog(Kind kind, int cycles, int measured) {
    Tally tally;
    Bench bench(kind);
    const std::vector<Path> paths = PathsOf(kind);
    long long memoryAtMark = 0;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        if (cycle == cycles - measured) memoryAtMark = PrivateBytes();
        const Path path = paths[static_cast<size_t>(cycle) % paths.size()];
        const int handles = tk::LiveHandlesTotal();
        tkt::Driver driver(10000);
        const INT_PTR result = OneCycle(bench, path, driver);
        ++tally.cycles;
        const int left = driver.LiveCreatedWindows();
        const int drift = tk::LiveHandlesTotal() - handles;
        tally.windowsLeft += left;
        tally.handleDrift += drift > 0 ? drift : -drift;
        if (result != Expected(kind, path) || left != 0 || drift != 0 || driver.TimedOut() || !driver.AllStepsDone()) {
            char line[200];
            std::snprintf(line, sizeof(line), "cycle %d path %d: result %lld (expected %lld), %d windows left, %d handles%s",
                          cycle, static_cast<int>(path), static_cast<long long>(result),
                          static_cast<long long>(Expected(kind, path)), left, drift, driver.TimedOut() ? ", timed out" : "");
            if (tally.faults.size() < 20) tally.faults.push_back(Fault(kind, line));
        }
    }
    tally.privateGrowth = PrivateBytes() - memoryAtMark;
    for (const std::string& bad : bench.exploreHost.bad)
        if (tally.faults.size() < 40) tally.faults.push_back(Fault(kind, bad));
    return tally;
}

// --- Monkey ----------------------------------------------------------------------------

namespace {

struct FieldSnapshot {
    std::vector<std::string> texts;
    std::vector<bool> checks;
};

// The fields a dialog writes back, as the user sees them now.
FieldSnapshot Snapshot(Kind kind, HWND dialog) {
    FieldSnapshot shot;
    if (kind == Kind::Signin) {
        for (int id : {IDC_SIGNIN_USER, IDC_SIGNIN_PASSWORD, IDC_SIGNIN_SERVER, IDC_SIGNIN_DATABASE})
            shot.texts.push_back(tkt::Text(GetDlgItem(dialog, id)));
        shot.checks.push_back(tkt::IsChecked(dialog, IDC_SIGNIN_AUTO_LOGIN));
    } else if (kind == Kind::Options) {
        shot.texts.push_back(tkt::Text(GetDlgItem(dialog, IDC_OPTIONS_FOLDER)));
        shot.checks.push_back(tkt::IsChecked(dialog, IDC_OPTIONS_AUTO_LOGIN));
    }
    return shot;
}

const int kSigninControls[] = {IDOK, IDCANCEL, IDC_SIGNIN_QUERY, IDC_SIGNIN_AUTO_LOGIN, IDC_SIGNIN_USER, IDC_SIGNIN_SERVER};
const int kOptionsControls[] = {IDOK, IDCANCEL, IDC_OPTIONS_AUTO_LOGIN, IDC_OPTIONS_FOLDER};
const int kHistoryControls[] = {IDCANCEL, IDC_HISTORY_GET_VERSION, IDC_HISTORY_LIST, IDC_HISTORY_COMMENT};
const int kExploreControls[] = {IDCANCEL, IDC_EXPLORE_OPEN, IDC_EXPLORE_BACK, IDC_EXPLORE_UP, IDC_EXPLORE_LIST};
const UINT kKeys[] = {VK_TAB, VK_DOWN, VK_UP, VK_HOME, VK_END, VK_SPACE, 'A', VK_F4, VK_APPS, VK_RETURN, VK_ESCAPE};

std::string RandomText(Rng& rng) {
    static const char* const kTexts[] = {"", "a", "%s%n%d", "\r\n", "\xff\x80\xe9", "long long long long text"};
    return kTexts[Pick(rng, 6)];
}

// Closes whatever the last step opened on top of the dialog (a menu, the chooser,
// the folder picker, a box), shown yet or not: a session never ends while a
// nested dialog still waits to appear. True when there was something.
bool DismissForeign(HWND dialog, Rng& rng) {
    for (HWND window : tkt::ThreadWindows(false)) {
        if (window == dialog) continue;
        const std::string cls = tkt::ClassOf(window);
        if (cls == "#32768" && IsWindowVisible(window)) {
            EndMenu();
            return true;
        }
        if (cls != "#32770") continue;
        HWND list = GetDlgItem(window, IDC_DATABASES_LIST);
        if (list != nullptr && Chance(rng, 50)) {
            int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
            if (count > 0) SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(Pick(rng, count)), 0);
            PostMessageA(window, WM_COMMAND, IDOK, 0);
        } else {
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        }
        return true;
    }
    return false;
}

void RandomStep(Kind kind, HWND dialog, Rng& rng) {
    const int roll = Pick(rng, 100);
    if (roll < 4) {
        tkt::CloseBox(dialog);
    } else if (roll < 14) {
        RECT rect = {};
        GetWindowRect(dialog, &rect);
        SetWindowPos(dialog, nullptr, 0, 0, 100 + Pick(rng, 900), 80 + Pick(rng, 700), SWP_NOMOVE | SWP_NOZORDER);
    } else if (roll < 40) {
        UINT key = kKeys[Pick(rng, static_cast<int>(std::size(kKeys)))];
        // Enter and Escape end most dialogs: rarer, so that sessions last.
        if ((key == VK_RETURN || key == VK_ESCAPE) && !Chance(rng, 25)) key = VK_TAB;
        tkt::PressKey(dialog, key);
    } else if (roll < 60 && (kind == Kind::Signin || kind == Kind::Options)) {
        const int id = kind == Kind::Signin ? (Chance(rng, 50) ? IDC_SIGNIN_USER : IDC_SIGNIN_SERVER) : IDC_OPTIONS_FOLDER;
        tkt::TypeText(dialog, id, RandomText(rng).c_str());
    } else if (roll < 75 && (kind == Kind::History || kind == Kind::Explore)) {
        HWND list = GetDlgItem(dialog, kind == Kind::History ? IDC_HISTORY_LIST : IDC_EXPLORE_LIST);
        const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        if (count > 0) {
            const int row = Pick(rng, count);
            if (Chance(rng, 15)) {
                // A double click on the row, where the list shows it.
                SelectListRow(list, row);
                RECT where = {};
                where.left = LVIR_LABEL;
                SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&where));
                const LPARAM point = MAKELPARAM(where.left + 2, where.top + 2);
                PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
                PostMessageA(list, WM_LBUTTONUP, 0, point);
                PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
                PostMessageA(list, WM_LBUTTONUP, 0, point);
            } else {
                SelectListRow(list, row, !Chance(rng, 30));
            }
        }
        if (kind == Kind::History && Chance(rng, 20)) {
            NMLISTVIEW click = {};
            click.hdr = {list, IDC_HISTORY_LIST, LVN_COLUMNCLICK};
            click.iSubItem = 1 + Pick(rng, 4);
            SendMessageA(dialog, WM_NOTIFY, IDC_HISTORY_LIST, reinterpret_cast<LPARAM>(&click));
        }
        if (kind == Kind::History && Chance(rng, 5)) PostMessageA(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
        if (kind == Kind::Explore && Chance(rng, 20)) {
            int combo = Chance(rng, 50) ? IDC_EXPLORE_LOOK_IN : IDC_EXPLORE_TYPES;
            HWND box = GetDlgItem(dialog, combo);
            int items = static_cast<int>(SendMessageA(box, CB_GETCOUNT, 0, 0));
            if (items > 0) {
                SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(Pick(rng, items)), 0);
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
            }
        }
    } else {
        const int* ids = kSigninControls;
        int count = static_cast<int>(std::size(kSigninControls));
        switch (kind) {
        case Kind::Options: ids = kOptionsControls; count = static_cast<int>(std::size(kOptionsControls)); break;
        case Kind::History: ids = kHistoryControls; count = static_cast<int>(std::size(kHistoryControls)); break;
        case Kind::Explore: ids = kExploreControls; count = static_cast<int>(std::size(kExploreControls)); break;
        case Kind::Properties: ids = kOptionsControls; count = 2; break;
        default: break;
        }
        int id = ids[Pick(rng, count)];
        if ((id == IDOK || id == IDCANCEL) && !Chance(rng, 30)) id = ids[count - 1];
        tkt::Click(dialog, id);
    }
}

// What the dialog shows must stay inside what the host gave it.
void CheckShown(Kind kind, HWND dialog, Bench& bench, Tally& tally) {
    if (kind == Kind::History) {
        HWND list = GetDlgItem(dialog, IDC_HISTORY_LIST);
        const int selected = tkt::FirstSelectedItem(list);
        if (selected >= 0) {
            LVITEMA item = {};
            item.mask = LVIF_PARAM;
            item.iItem = selected;
            SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            if (item.lParam < 0 || item.lParam >= static_cast<LPARAM>(bench.history.NumEntries()))
                tally.faults.push_back(Fault(kind, "a selected row holds no entry the host gave"));
        }
    }
    if (kind == Kind::Signin) {
        HWND combo = GetDlgItem(dialog, IDC_SIGNIN_DATABASE);
        const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char name[64] = {};
            if (SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) >= 64) continue;
            SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(name));
            if (std::string(name).rfind("db", 0) != 0)
                tally.faults.push_back(Fault(kind, std::string("a database the host never named: ") + name));
        }
    }
}

void CheckWrittenBack(Kind kind, Bench& bench, const FieldSnapshot& shown, const std::string& folderBefore,
                      INT_PTR result, Tally& tally) {
    if (result == -1) tally.faults.push_back(Fault(kind, "ended with -1"));
    if (shown.texts.empty()) return;
    if (kind == Kind::Signin) {
        TavroKessaSigninDialogParams& r = bench.signin;
        const std::string back[] = {r.GetUser(), r.GetPassword(), r.GetServer(), r.GetKessa()};
        for (size_t i = 0; i < 4; ++i)
            if (back[i] != shown.texts[i])
                tally.faults.push_back(Fault(kind, "field " + std::to_string(i) + " written back as '" + back[i] +
                                                       "', shown as '" + shown.texts[i] + "'"));
        if (r.GetAutoLogin() != shown.checks[0]) tally.faults.push_back(Fault(kind, "auto login written back wrong"));
    } else if (kind == Kind::Options) {
        const std::string expected = shown.texts[0].empty() ? folderBefore : shown.texts[0];
        if (bench.options.GetWorkingFolder() != expected)
            tally.faults.push_back(Fault(kind, "working folder written back wrong"));
        if (bench.options.GetAutoLogin() != shown.checks[0]) tally.faults.push_back(Fault(kind, "auto login written back wrong"));
    }
}

void ProgressMonkey(Bench& bench, Rng& rng, int steps, Tally& tally) {
    tkt::Driver driver(static_cast<DWORD>(60000 + steps * 200));
    driver.Wait([&] {
        HWND window = tkt::FindDialog("Dialog");
        if (window == nullptr) {
            bench.progress.SetProgress(0);
            if (bench.ui->OpenProgressDialog(nullptr, &bench.progress) != 1) tally.faults.push_back("progress: no window");
            ++tally.cycles;
        } else {
            if (SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 2000, nullptr) == 0)
                tally.faults.push_back("progress: stopped answering");
            const int roll = Pick(rng, 100);
            if (roll < 50) {
                static const int kValues[] = {-5, 0, 1, 50, 99, 100, 101, INT_MAX, INT_MIN};
                bench.progress.SetProgress(kValues[Pick(rng, 9)]);
                bench.progress.SetMessage(RandomText(rng).c_str());
                bench.ui->UpdateProgressDialog(&bench.progress);
                const int percent = bench.progress.GetProgress();
                const int expected = percent < 0 ? 0 : (percent > 100 ? 100 : percent);
                const int shown = static_cast<int>(SendDlgItemMessageA(window, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0));
                // A value outside 0..100 may leave the bar where it was or clamp it.
                if (percent >= 0 && percent <= 100 && shown != expected)
                    tally.faults.push_back("progress: bar shows " + std::to_string(shown) + " for " + std::to_string(percent));
            } else if (roll < 70) {
                tkt::Click(window, IDC_PROGRESS_CANCEL);
            } else if (roll < 90) {
                tkt::PressKey(window, kKeys[Pick(rng, static_cast<int>(std::size(kKeys)))]);
            } else {
                if (bench.ui->CloseProgressDialog() != 1) tally.faults.push_back("progress: close refused");
            }
        }
        return ++tally.steps >= steps;
    });
    driver.Run([&] {
        MSG message;
        while (!driver.AllStepsDone() && !driver.TimedOut() && GetMessageA(&message, nullptr, 0, 0) > 0) {
            if (!IsDialogMessageA(tkt::FindDialog("Dialog"), &message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
        return INT_PTR(0);
    });
    bench.ui->CloseProgressDialog();
    if (driver.TimedOut()) tally.faults.push_back("progress: timed out");
}

}  // namespace

Tally Monkey(Kind kind, std::uint32_t seed, int steps) {
    Tally tally;
    Rng rng(seed);
    Bench bench(kind);
    bench.rng = &rng;
    bench.exploreHost.rng = &rng;
    if (kind == Kind::Progress) {
        ProgressMonkey(bench, rng, steps, tally);
        return tally;
    }
    while (tally.steps < steps && tally.faults.size() < 20) {
        FieldSnapshot shown;
        const std::string folderBefore = bench.options.GetWorkingFolder();
        bench.explore.GetSelections().clear();
        tkt::Driver driver(static_cast<DWORD>(60000 + steps * 200));
        driver.WaitDialog(TitleOf(kind)).Wait([&] {
            HWND dialog = driver.Dialog();
            if (!IsWindow(dialog)) return true;
            // A step that closed what the last one opened never ends the session:
            // the dialog itself is still to be cancelled at the next tick.
            if (DismissForeign(dialog, rng)) {
                ++tally.steps;
                return false;
            }
            DWORD_PTR answer = 0;
            if (SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &answer) == 0)
                tally.faults.push_back(Fault(kind, "stopped answering"));
            shown = Snapshot(kind, dialog);
            CheckShown(kind, dialog, bench, tally);
            if (++tally.steps >= steps) {
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                return true;
            }
            RandomStep(kind, dialog, rng);
            return false;
        });
        const INT_PTR result = driver.Run([&] { return bench.Show(nullptr); });
        ++tally.cycles;
        if (driver.TimedOut()) tally.faults.push_back(Fault(kind, "timed out"));
        if (driver.LiveCreatedWindows() != 0) tally.faults.push_back(Fault(kind, "windows left after the dialog"));
        CheckWrittenBack(kind, bench, shown, folderBefore, result, tally);
        if (kind == Kind::Explore) {
            for (int index : bench.explore.GetSelections())
                if (!bench.exploreHost.Given(index))
                    tally.faults.push_back(Fault(kind, "selection holds an index never given: " + std::to_string(index)));
            for (const std::string& bad : bench.exploreHost.bad) tally.faults.push_back(Fault(kind, bad));
            bench.exploreHost.bad.clear();
        }
    }
    if (tally.faults.size() > 20) tally.faults.resize(20);
    return tally;
}

}  // namespace tkr
