// A model host for the explore dialog: an in-memory tree with folders and files of
// several extensions, file-type filters, and a history of folders for "back". It
// answers every event as a real host would (refilling the dialog through its
// operations) and records what it was asked, so tests can drive the real dialog
// and check both what it shows and what reached the host. Like every scripted
// host, an event may be made to run its own message loop (LoopIn) or throw.
#ifndef TK_TESTS_EXPLOREMODEL_H
#define TK_TESTS_EXPLOREMODEL_H

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "Controls.h"
#include "Hosts.h"
#include "tavrokessaui.h"

namespace tkt {

class ExploreModel final : public ITavroKessaExploreDialogEvents, public ScriptedEvents {
public:
    struct Node {
        std::string name;
        bool folder;
        int parent;
        std::vector<int> children;
    };

    // The default tree (indices are node numbers):
    //   0 kessa.example.com
    //     1 src/            main.cpp util.cpp util.h notes.txt  3 lib/ (lib.cpp)
    //     2 docs/           readme.txt guide.txt
    //     README.txt project.cpp setup.exe logo.ico
    // Filters: "C++ files" *.cpp;*.h, "Text files" *.txt, "All files" *.
    ExploreModel();
    // A tree of one folder, `root`, and a record with nothing but the events set:
    // the test builds the rest.
    explicit ExploreModel(const char* root);

    int Add(int parent, const char* name, bool folder);
    int Find(const char* name) const;  // first node with that name, or -1
    // The nodes the current folder shows under `extensions` (folders always, and
    // every file with ignoreFilters).
    std::vector<int> Listing(const char* extensions) const;
    std::vector<int> PathTo(int folder) const;  // root first
    // Refills the dialog with `folder`, as every navigation does.
    void Show(ITavroKessaExploreDialog* dialog, int folder);

    // Called at the start of every event with its name; returning true skips the
    // model's own answer (and gives `handledResult` where the event has a result).
    std::function<bool(const std::string& event, ITavroKessaExploreDialog* dialog)> intercept;
    bool handledResult = false;
    // GetSelectionText's answer; the text is the names, space-separated, unless
    // `selectionText` gives it.
    bool selectionTextAnswer = true;
    std::function<std::string(const std::vector<int>& selection)> selectionText;
    // True: every file is listed whatever the filter (a host that only hands the
    // filter's text back).
    bool ignoreFilters = false;
    // OnOpen with a non-empty selection ends the dialog with EndExplore(openResult).
    INT_PTR openResult = 1;

    std::vector<Node> nodes;
    TavroKessaExploreDialogParams params;
    int current = 0;
    // The folders "back" returns to, the last one last; CanGoToLastFolder answers
    // whether there is one.
    std::vector<int> history;
    // "OnOpenEntry(-1)", "OnLookInSelected(1,3)", ... in the order they came.
    // These records, like `calls`, are kept only with the log.
    std::vector<std::string> events;
    std::vector<std::vector<int>> selectionRequests;
    std::vector<std::vector<int>> opens;
    ITavroKessaExploreDialog* dialog = nullptr;  // as last handed to an event
    const char* lastExtensions = nullptr;        // GetCurrentFilterExtensions at the last fill

    // Calls of `event`, with any arguments where it names none ("OnOpenEntry"
    // counts "OnOpenEntry(-1)" and "OnOpenEntry(4)"); counted with or without the log.
    int Count(const std::string& event) const;

    bool OnInitDialog(ITavroKessaExploreDialog* d) override;
    bool OnOpenEntry(ITavroKessaExploreDialog* d, int index) override;
    bool OnOpen(ITavroKessaExploreDialog* d, std::vector<int> selection) override;
    bool OnLookInSelected(ITavroKessaExploreDialog* d, int position, int count) override;
    bool OnUpOneLevel(ITavroKessaExploreDialog* d) override;
    bool OnGoToLastFolder(ITavroKessaExploreDialog* d) override;
    bool CanGoToLastFolder(ITavroKessaExploreDialog* d) override;
    bool GetSelectionText(ITavroKessaExploreDialog* d, std::vector<int> selection, std::string& text) override;

private:
    bool Enter(const std::string& event, ITavroKessaExploreDialog* d);
    std::map<std::string, int> m_eventCounts;
    void GoTo(ITavroKessaExploreDialog* d, int folder);
};

// --- The dialog's own controls -------------------------------------------------------

HWND ExploreList(HWND dialog);
// The picture the library gives a navigation button.
HICON LibraryIcon(int id);

}  // namespace tkt

#endif
