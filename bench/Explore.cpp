// The explore dialog beside a bare list view: open to first paint, refill while
// visible, navigation through folders, and selection.
#include "Explore.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "Baselines.h"
#include "Bench.h"
#include "resource.h"

namespace bench {

const char* const kExploreTitle = "Bench Explore";

std::string SelectionText(size_t count, int first, int last) {
    char text[96];
    std::snprintf(text, sizeof(text), "%zu selected: %d to %d", count, first, last);
    return text;
}

ExploreHost::ExploreHost() {
    params.SetTitle(kExploreTitle);
    params.SetMultipleSelections(true);
    params.AddFilter("All files", "*.*");
    params.AddFilter("Text files", "*.txt");
    params.SetITavroKessaExploreDialogEvents(this);
}

std::vector<TavroKessaExploreDialogEntry*> ExploreHost::Pointers(
    const std::vector<std::unique_ptr<TavroKessaExploreDialogEntry>>& entries) {
    std::vector<TavroKessaExploreDialogEntry*> pointers;
    pointers.reserve(entries.size());
    for (const auto& entry : entries) pointers.push_back(entry.get());
    return pointers;
}

bool ExploreHost::OnInitDialog(ITavroKessaExploreDialog*) {
    sections.initAt = NowMs();
    return true;
}

bool ExploreHost::OnOpenEntry(ITavroKessaExploreDialog* dialog, int index) {
    sections.openEntryAt = NowMs();
    if (index == -1 || (open && open(index))) Fill(dialog);
    sections.openEntryDone = NowMs();
    return true;
}

void ExploreHost::Fill(ITavroKessaExploreDialog* dialog) {
    double start = NowMs();
    dialog->ClearEntries();
    double cleared = NowMs();
    for (TavroKessaExploreDialogEntry* entry : listing) dialog->AddListEntry(entry);
    double added = NowMs();
    dialog->ClearLookIn();
    double lookInCleared = NowMs();
    for (size_t i = 0; i < path.size(); ++i) dialog->AddLookInEntry(path[i], i + 1 == path.size());
    double done = NowMs();
    sections.clear += cleared - start;
    sections.add += added - cleared;
    sections.clearLookIn += lookInCleared - added;
    sections.addLookIn += done - lookInCleared;
    ++fills;
}

bool ExploreHost::OnOpen(ITavroKessaExploreDialog* dialog, std::vector<int>) {
    dialog->EndExplore(1);
    return true;
}

bool ExploreHost::GetSelectionText(ITavroKessaExploreDialog*, std::vector<int> selection, std::string& text) {
    ++selectionCalls;
    if (selection.empty()) return false;
    text = SelectionText(selection.size(), selection.front(), selection.back());
    return true;
}

FolderWalk::FolderWalk(int folders, long perFolder, bool deep)
    : m_folders(folders), m_perFolder(perFolder), m_deep(deep), m_top(MakeBigFolderPath()) {
    for (int k = 0; k <= folders; ++k) {
        m_items.push_back(MakeListing(perFolder, 100u + static_cast<unsigned>(k)));
        m_entries.push_back(MakeEntries(m_items.back(), k * static_cast<int>(perFolder)));
        m_levels.push_back(MakeEntry(m_items.back()[0].name, true, -100 - k));
    }
}

void FolderWalk::Attach(ExploreHost& host) {
    m_host = &host;
    host.open = [this](int index) {
        if (index != m_current * m_perFolder || m_current >= m_folders) return false;
        Show(m_current + 1);
        return true;
    };
    Show(0);
}

void FolderWalk::Show(int folder) {
    m_current = folder;
    if (m_host == nullptr) return;
    m_host->listing = ExploreHost::Pointers(m_entries[static_cast<size_t>(folder)]);
    m_host->path = ExploreHost::Pointers(m_top);
    for (int level = m_deep ? 0 : folder - folder % 5; level <= folder; ++level)
        m_host->path.push_back(m_levels[static_cast<size_t>(level)].get());
}

std::vector<std::unique_ptr<TavroKessaExploreDialogEntry>> MakeBigFolderPath() {
    std::vector<std::unique_ptr<TavroKessaExploreDialogEntry>> path;
    path.push_back(MakeEntry("kessa.example.com:4100", true, -10));
    path.push_back(MakeEntry("Projects", true, -11));
    path.push_back(MakeEntry("Big folder", true, -12));
    return path;
}

ExploreScene::ExploreScene(long n)
    : items(MakeListing(n, static_cast<unsigned>(n))), entries(MakeEntries(items, 0)), path(MakeBigFolderPath()) {
    host.listing = ExploreHost::Pointers(entries);
    host.path = ExploreHost::Pointers(path);
    bare.items = &items;
}

namespace {

bool OursListReady(HWND dialog, long n) { return ItemCount(GetDlgItem(dialog, IDC_EXPLORE_LIST)) == n; }

// Our dialog and the bare list open side by side, for the cases that act on an
// open dialog: the bare list at the top left, ours at the bottom right. `body`
// gets a null dialog when ours did not come up.
ModalResult SideBySide(ITavroKessaUI* ui, ExploreHost& host, BareList& bare, long n,
                       const std::function<void(HWND)>& body) {
    OpenBareList(bare);
    Settle();
    ModalRun run(kExploreTitle, ListHolds(IDC_EXPLORE_LIST, n));
    run.body = [&](HWND dialog) {
        MoveToCorner(dialog, 1);
        Settle();
        body(dialog);
    };
    ModalResult result = TimeModal(run, [&] { return ui->ShowExploreDialog(nullptr, &host.params); });
    // Without our dialog the baseline is still measured, with ours marked missing.
    if (!result.painted) body(nullptr);
    if (bare.dialog != nullptr) DestroyWindow(bare.dialog);
    Settle();
    return result;
}

// Measures a case on a big folder at each size, smallest first, until `measure`
// says the next size is not worth it: a run of ours was too slow, or our dialog
// could not be measured.
void ForEachScene(const std::vector<long>& sizes, const char* phase, unsigned seconds,
                  const std::function<bool(long n, ExploreHost& host, BareList& bare)>& measure) {
    for (long n : sizes) {
        SetDeadline(std::string(phase) + ", N=" + std::to_string(n), seconds);
        ExploreScene scene(n);
        if (!measure(n, scene.host, scene.bare)) break;
    }
}

// --- Open to first paint -----------------------------------------------------------------

void OpenCase(ITavroKessaUI* ui, const Options& options, Report& report, const std::vector<long>& sizes) {
    ForEachScene(sizes, "explore open", 1800, [&](long n, ExploreHost& host, BareList& bare) {

        Row row("explore: open to first paint", n,
                "LVS_LIST list view with the system small icons in a plain dialog, one fixed image",
                Target::RatioPlusMs, 1.3);
        row.plusMs = 20;
        row.scales = true;

        ModalRun ours(kExploreTitle, ListHolds(IDC_EXPLORE_LIST, n));
        ModalRun base("Bench Bare List", ListHolds(bare.list, n));
        ModalResult last;
        bool fast = Alternate(
            options, row,
            [&] {
                last = TimeModal(ours, [&] { return ui->ShowExploreDialog(nullptr, &host.params); });
                return last.painted ? last.ms : -1.0;
            },
            [&] { return TimeModal(base, [&] { return RunBareList(bare); }).ms; });
        if (row.oursMissing) row.note = NotOpened("ShowExploreDialog", last);
        bool missing = row.oursMissing;
        report.Add(std::move(row));
        return fast && !missing;
    });
}

// --- Refill while visible ----------------------------------------------------------------

void RefillCase(ITavroKessaUI* ui, const Options& options, Report& report, const std::vector<long>& sizes) {
    ForEachScene(sizes, "explore refill", 1800, [&](long n, ExploreHost& host, BareList& bare) {

        Row row("explore: refill while visible", n,
                "the bare list emptied and refilled with its redraw suspended", Target::Ratio, 1.3);
        row.scales = true;
        bool fast = true;
        std::vector<double> deferred;
        ModalResult opened = SideBySide(ui, host, bare, n, [&](HWND dialog) {
            HWND filter = GetDlgItem(dialog, IDC_EXPLORE_TYPES);
            int choice = 0;
            fast = Alternate(
                options, row,
                [&] {
                    if (dialog == nullptr) return -1.0;
                    int before = host.fills;
                    double ms = TimeAction(
                        [&] {
                            // Picking the other file type makes the dialog ask the host to refill.
                            choice ^= 1;
                            SendMessageA(filter, CB_SETCURSEL, static_cast<WPARAM>(choice), 0);
                            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_EXPLORE_TYPES, CBN_SELCHANGE),
                                         reinterpret_cast<LPARAM>(filter));
                        },
                        [&] { return host.fills > before && OursListReady(dialog, n); });
                    deferred.push_back(LastDeferredMs());
                    return ms;
                },
                [&] {
                    int before = bare.fills;
                    return TimeAction([&] { PostRefill(bare); }, [&] { return bare.fills > before; });
                });
        });
        if (!opened.painted) {
            row.oursMissing = true;
            row.note = NotOpened("ShowExploreDialog", opened);
        } else if (Median(deferred) >= 1) {
            char note[96];
            std::snprintf(note, sizeof(note), "then %.0f ms of work put off to idle time", Median(deferred));
            row.note += (row.note.empty() ? "" : "; ") + std::string(note);
        }
        bool missing = row.oursMissing;
        report.Add(std::move(row));
        return fast && !missing;
    });
}

// --- Navigation ------------------------------------------------------------------------

void NavigationCase(ITavroKessaUI* ui, const Options& options, Report& report, int folders) {
    const long perFolder = 1000;
    SetDeadline("explore navigation", 1800);
    FolderWalk walk(folders, perFolder);
    ExploreHost host;
    walk.Attach(host);
    std::vector<std::vector<Item>> items;
    for (int k = 0; k <= folders; ++k) items.push_back(walk.Items(k));

    BareList bare;
    int bareCurrent = 0;
    bare.items = &items[0];
    bare.next = [&]() -> const std::vector<Item>* {
        if (bareCurrent >= folders) return nullptr;
        return &items[static_cast<size_t>(++bareCurrent)];
    };

    Row row("explore: navigate " + std::to_string(folders) + " folders of 1,000, path 4-8 deep", perFolder,
            "the bare list refilled on each double-click, redraw suspended", Target::Ratio, 1.3);
    ModalResult opened = SideBySide(ui, host, bare, perFolder, [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_EXPLORE_LIST);
        HWND filter = GetDlgItem(dialog, IDC_EXPLORE_TYPES);
        Alternate(
            options, row,
            [&] {
                if (dialog == nullptr) return -1.0;
                // Back to the first folder, untimed.
                walk.Show(0);
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_EXPLORE_TYPES, CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(filter));
                Settle();
                double total = 0;
                for (int k = 0; k < folders; ++k) {
                    POINT at = ItemCentre(list, 0);
                    double ms = TimeAction(
                        [&] { PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y)); },
                        [&] { return walk.Current() == k + 1; });
                    if (ms < 0) return -1.0;
                    total += ms;
                }
                return total;
            },
            [&] {
                bareCurrent = 0;
                bare.items = &items[0];
                PostRefill(bare);
                Settle();
                double total = 0;
                for (int k = 0; k < folders; ++k) {
                    POINT at = ItemCentre(bare.list, 0);
                    total += TimeAction(
                        [&] { PostMessageA(bare.list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y)); },
                        [&] { return bareCurrent == k + 1; });
                }
                return total;
            });
    });
    if (!opened.painted) {
        row.oursMissing = true;
        row.note = NotOpened("ShowExploreDialog", opened);
    }
    report.Add(std::move(row));
}

// --- Selection -------------------------------------------------------------------------

// One user action on a list and the selection it leaves.
struct Action {
    enum Kind { SelectAll, Click, ShiftClick } kind;
    int item;
    size_t count;
    int first, last;
};

std::vector<Action> SelectionActions(long n) {
    int last = static_cast<int>(n - 1), half = static_cast<int>(n / 2);
    return {
        {Action::SelectAll, -1, static_cast<size_t>(n), 0, last},
        {Action::Click, 0, 1, 0, 0},
        {Action::ShiftClick, last, static_cast<size_t>(n), 0, last},
        {Action::ShiftClick, half, static_cast<size_t>(half + 1), 0, half},
    };
}

// Brings the action's item into view (untimed), then returns what posts the action.
std::function<void()> Prepare(HWND list, const Action& action) {
    if (action.kind == Action::SelectAll) {
        return [list] {
            static LVITEMA all;
            all = LVITEMA{};
            all.stateMask = LVIS_SELECTED;
            all.state = LVIS_SELECTED;
            PostMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&all));
        };
    }
    SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(action.item), FALSE);
    Settle();
    POINT at = ItemCentre(list, action.item);
    WPARAM keys = action.kind == Action::ShiftClick ? MK_SHIFT : 0;
    return [list, at, keys] { ClickAt(list, at, keys); };
}

void SelectionCase(ITavroKessaUI* ui, const Options& options, Report& report, const std::vector<long>& sizes) {
    ForEachScene(sizes, "explore selection", 2400, [&](long n, ExploreHost& host, BareList& bare) {
        const std::vector<Action> actions = SelectionActions(n);

        Row row("explore: select all, click, 2 shift-click ranges", n,
                "the same selection on the bare list with no handler", Target::Ratio, 1.3);
        row.scales = true;
        Row calls;
        calls.name = "explore: GetSelectionText calls per action";
        calls.n = n;
        calls.unit = "calls";
        calls.target = Target::Exactly;
        calls.limit = 1;
        bool fast = true;
        std::vector<std::vector<double>> oursEach(actions.size()), baseEach(actions.size());
        ModalResult opened = SideBySide(ui, host, bare, n, [&](HWND dialog) {
            HWND list = GetDlgItem(dialog, IDC_EXPLORE_LIST);
            HWND field = GetDlgItem(dialog, IDC_EXPLORE_FILE_NAME);
            fast = Alternate(
                options, row,
                [&] {
                    if (dialog == nullptr) return -1.0;
                    Activate(dialog, list);
                    double total = 0;
                    for (size_t a = 0; a < actions.size(); ++a) {
                        const Action& action = actions[a];
                        auto act = Prepare(list, action);
                        std::string expected = SelectionText(action.count, action.first, action.last);
                        int before = host.selectionCalls;
                        double ms = TimeAction(act, [&] { return Text(field) == expected; });
                        if (ms < 0) return -1.0;
                        total += ms;
                        oursEach[a].push_back(ms);
                        calls.ours.push_back(host.selectionCalls - before);
                    }
                    return total;
                },
                [&] {
                    Activate(bare.dialog, bare.list);
                    double total = 0;
                    for (size_t a = 0; a < actions.size(); ++a) {
                        double ms = TimeAction(Prepare(bare.list, actions[a]));
                        baseEach[a].push_back(ms);
                        total += ms;
                    }
                    return total;
                });
        });
        if (!opened.painted) {
            row.oursMissing = true;
            row.note = NotOpened("ShowExploreDialog", opened);
        } else {
            char note[160];
            std::snprintf(note, sizeof(note), "each action, ours/baseline: %.0f/%.0f, %.0f/%.0f, %.0f/%.0f, %.0f/%.0f ms",
                          Median(oursEach[0]), Median(baseEach[0]), Median(oursEach[1]), Median(baseEach[1]),
                          Median(oursEach[2]), Median(baseEach[2]), Median(oursEach[3]), Median(baseEach[3]));
            row.note = note;
        }
        bool missing = row.oursMissing;
        report.Add(std::move(row));
        if (!missing) report.Add(std::move(calls));
        return fast && !missing;
    });
}

}  // namespace

void BenchExplore(ITavroKessaUI* ui, const Options& options, Report& report) {
    const std::vector<long> sizes = options.Sizes({1000, 10000, 50000});
    std::fprintf(stderr, "bench: explore open\n");
    OpenCase(ui, options, report, sizes);
    std::fprintf(stderr, "bench: explore refill\n");
    RefillCase(ui, options, report, sizes);
    std::fprintf(stderr, "bench: explore navigation\n");
    NavigationCase(ui, options, report, options.smoke ? 10 : 100);
    std::fprintf(stderr, "bench: explore selection\n");
    SelectionCase(ui, options, report, sizes);
    SetDeadline("", 0);
}

}  // namespace bench
