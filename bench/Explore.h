// The host the explore benchmarks give our dialog: it answers every event at
// once from data made in advance, and counts what the dialog asks of it.
#ifndef TK_BENCH_EXPLORE_H
#define TK_BENCH_EXPLORE_H

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Baselines.h"
#include "Data.h"
#include "tavrokessaui.h"

namespace bench {

extern const char* const kExploreTitle;

// What the host answers in GetSelectionText for `count` items from `first` to
// `last`: the benchmark waits for exactly this text in the file-name field.
std::string SelectionText(size_t count, int first, int last);

class ExploreHost final : public ITavroKessaExploreDialogEvents {
public:
    ExploreHost();

    // The folder on show and the look-in path down to it.
    std::vector<TavroKessaExploreDialogEntry*> listing;
    std::vector<TavroKessaExploreDialogEntry*> path;
    // Called for a double-clicked entry; true when it opened a folder (listing
    // and path then show it).
    std::function<bool(int index)> open;

    int fills = 0;
    int selectionCalls = 0;

    // Where the host's calls into the dialog spend their time, summed over fills.
    struct Sections {
        double clear = 0, add = 0, clearLookIn = 0, addLookIn = 0;
        double initAt = 0, openEntryAt = 0, openEntryDone = 0;  // clock readings of the last ones
    } sections;

    TavroKessaExploreDialogParams params;

    static std::vector<TavroKessaExploreDialogEntry*> Pointers(
        const std::vector<std::unique_ptr<TavroKessaExploreDialogEntry>>& entries);

    bool OnInitDialog(ITavroKessaExploreDialog*) override;
    bool OnOpenEntry(ITavroKessaExploreDialog* dialog, int index) override;
    bool OnOpen(ITavroKessaExploreDialog* dialog, std::vector<int>) override;
    bool OnLookInSelected(ITavroKessaExploreDialog*, int, int) override { return true; }
    bool OnUpOneLevel(ITavroKessaExploreDialog*) override { return true; }
    bool OnGoToLastFolder(ITavroKessaExploreDialog*) override { return true; }
    bool CanGoToLastFolder(ITavroKessaExploreDialog*) override { return path.size() > 1; }
    bool GetSelectionText(ITavroKessaExploreDialog*, std::vector<int> selection, std::string& text) override;

private:
    void Fill(ITavroKessaExploreDialog* dialog);
};

// The look-in path of the benchmark's big folder: a server and two folders.
std::vector<std::unique_ptr<TavroKessaExploreDialogEntry>> MakeBigFolderPath();

// One big folder of `n` entries, as our host hands it to the dialog and as the
// bare list shows it.
struct ExploreScene {
    explicit ExploreScene(long n);
    ExploreScene(const ExploreScene&) = delete;
    ExploreScene& operator=(const ExploreScene&) = delete;

    std::vector<Item> items;
    std::vector<std::unique_ptr<TavroKessaExploreDialogEntry>> entries;
    std::vector<std::unique_ptr<TavroKessaExploreDialogEntry>> path;
    ExploreHost host;
    BareList bare;
};

// Folders of `perFolder` entries, walked by double-clicking the first entry of
// each, which is the next folder. Normally the walk goes down five levels below
// the big folder and starts again one level below it, so that the look-in path
// is 4 to 8 levels deep, as in a real project tree; `deep` makes every folder one
// level deeper than the last instead.
class FolderWalk {
public:
    FolderWalk(int folders, long perFolder, bool deep = false);
    // Makes `host` show folder 0 and follow the walk on a double-click.
    void Attach(ExploreHost& host);
    void Show(int folder);
    int Current() const { return m_current; }
    const std::vector<Item>& Items(int folder) const { return m_items[static_cast<size_t>(folder)]; }

private:
    int m_folders;
    long m_perFolder;
    bool m_deep;
    int m_current = 0;
    ExploreHost* m_host = nullptr;
    std::vector<std::vector<Item>> m_items;
    std::vector<std::vector<std::unique_ptr<TavroKessaExploreDialogEntry>>> m_entries;
    std::vector<std::unique_ptr<TavroKessaExploreDialogEntry>> m_top;
    std::vector<std::unique_ptr<TavroKessaExploreDialogEntry>> m_levels;
};

}  // namespace bench

#endif
