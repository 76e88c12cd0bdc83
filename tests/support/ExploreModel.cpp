#include "ExploreModel.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include "resource.h"
#include "explore/TavroKessaExplore.h"
#include "service/Internal.h"

namespace tkt {
namespace {

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
    if (suffix.size() > text.size()) return false;
    return lstrcmpiA(text.c_str() + text.size() - suffix.size(), suffix.c_str()) == 0;
}

}  // namespace

ExploreModel::ExploreModel(const char* root) {
    nodes.push_back(Node{root, true, -1, {}});
    params.SetITavroKessaExploreDialogEvents(this);
}

ExploreModel::ExploreModel() : ExploreModel("kessa.example.com") {
    int src = Add(0, "src", true);
    int docs = Add(0, "docs", true);
    Add(src, "main.cpp", false);
    Add(src, "util.cpp", false);
    Add(src, "util.h", false);
    Add(src, "notes.txt", false);
    int lib = Add(src, "lib", true);
    Add(lib, "lib.cpp", false);
    Add(docs, "readme.txt", false);
    Add(docs, "guide.txt", false);
    Add(0, "README.txt", false);
    Add(0, "project.cpp", false);
    Add(0, "setup.exe", false);
    Add(0, "logo.ico", false);

    params.SetTitle("Choose Files");
    params.AddFilter("C++ files", "*.cpp;*.h");
    params.AddFilter("Text files", "*.txt");
    params.AddFilter("All files", "*");
}

int ExploreModel::Add(int parent, const char* name, bool folder) {
    int index = static_cast<int>(nodes.size());
    nodes.push_back(Node{name, folder, parent, {}});
    nodes[static_cast<size_t>(parent)].children.push_back(index);
    return index;
}

int ExploreModel::Find(const char* name) const {
    for (size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i].name == name) return static_cast<int>(i);
    return -1;
}

std::vector<int> ExploreModel::Listing(const char* extensions) const {
    std::vector<std::string> patterns;
    std::string text = extensions != nullptr ? extensions : "*";
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(';', start);
        if (end == std::string::npos) end = text.size();
        patterns.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    std::vector<int> shown;
    for (int child : nodes[static_cast<size_t>(current)].children) {
        const Node& node = nodes[static_cast<size_t>(child)];
        bool match = node.folder || ignoreFilters;
        for (const std::string& pattern : patterns)
            if (pattern == "*" || (pattern.size() > 1 && EndsWithNoCase(node.name, pattern.substr(1)))) match = true;
        if (match) shown.push_back(child);
    }
    return shown;
}

std::vector<int> ExploreModel::PathTo(int folder) const {
    std::vector<int> path;
    for (int at = folder; at != -1; at = nodes[static_cast<size_t>(at)].parent) path.insert(path.begin(), at);
    return path;
}

void ExploreModel::Show(ITavroKessaExploreDialog* d, int folder) {
    current = folder;
    lastExtensions = d->GetCurrentFilterExtensions();
    d->ClearEntries();
    for (int index : Listing(lastExtensions)) {
        TavroKessaExploreDialogEntry entry;
        const Node& node = nodes[static_cast<size_t>(index)];
        entry.SetDisplayName(node.name.c_str());
        entry.SetFolder(node.folder);
        entry.SetIndex(index);
        d->AddListEntry(&entry);
    }
    d->ClearLookIn();
    std::vector<int> path = PathTo(folder);
    for (size_t i = 0; i < path.size(); ++i) {
        TavroKessaExploreDialogEntry level;
        level.SetDisplayName(nodes[static_cast<size_t>(path[i])].name.c_str());
        d->AddLookInEntry(&level, i + 1 == path.size());
    }
}

void ExploreModel::GoTo(ITavroKessaExploreDialog* d, int folder) {
    history.push_back(current);
    Show(d, folder);
}

int ExploreModel::Count(const std::string& event) const {
    int count = 0;
    for (const auto& [seen, times] : m_eventCounts)
        if (seen == event || seen.compare(0, event.size() + 1, event + "(") == 0) count += times;
    return count;
}

bool ExploreModel::Enter(const std::string& event, ITavroKessaExploreDialog* d) {
    Record(events, event);
    ++m_eventCounts[event];
    dialog = d;
    return intercept && intercept(event, d);
}

bool ExploreModel::OnInitDialog(ITavroKessaExploreDialog* d) {
    Event scope(*this, "OnInitDialog");
    Enter("OnInitDialog", d);
    return true;
}

bool ExploreModel::OnOpenEntry(ITavroKessaExploreDialog* d, int index) {
    Event scope(*this, "OnOpenEntry");
    if (Enter("OnOpenEntry(" + std::to_string(index) + ")", d)) return true;
    if (index == -1)
        Show(d, current);
    else if (index >= 0 && index < static_cast<int>(nodes.size()) && nodes[static_cast<size_t>(index)].folder)
        GoTo(d, index);
    return true;
}

bool ExploreModel::OnOpen(ITavroKessaExploreDialog* d, std::vector<int> selection) {
    Event scope(*this, "OnOpen");
    Record(opens, selection);
    if (Enter("OnOpen", d)) return true;
    if (!selection.empty()) d->EndExplore(openResult);
    return true;
}

bool ExploreModel::OnLookInSelected(ITavroKessaExploreDialog* d, int position, int count) {
    Event scope(*this, "OnLookInSelected");
    if (Enter("OnLookInSelected(" + std::to_string(position) + "," + std::to_string(count) + ")", d)) return true;
    std::vector<int> path = PathTo(current);
    if (position >= 0 && position < static_cast<int>(path.size())) GoTo(d, path[static_cast<size_t>(position)]);
    return true;
}

bool ExploreModel::OnUpOneLevel(ITavroKessaExploreDialog* d) {
    Event scope(*this, "OnUpOneLevel");
    if (Enter("OnUpOneLevel", d)) return true;
    int parent = nodes[static_cast<size_t>(current)].parent;
    if (parent != -1) GoTo(d, parent);
    return true;
}

bool ExploreModel::OnGoToLastFolder(ITavroKessaExploreDialog* d) {
    Event scope(*this, "OnGoToLastFolder");
    if (Enter("OnGoToLastFolder", d)) return true;
    if (history.empty()) return true;
    int last = history.back();
    history.pop_back();
    Show(d, last);
    return true;
}

bool ExploreModel::CanGoToLastFolder(ITavroKessaExploreDialog* d) {
    Event scope(*this, "CanGoToLastFolder");
    if (Enter("CanGoToLastFolder", d)) return handledResult;
    return !history.empty();
}

bool ExploreModel::GetSelectionText(ITavroKessaExploreDialog* d, std::vector<int> selection, std::string& text) {
    Event scope(*this, "GetSelectionText");
    Record(selectionRequests, selection);
    // The text arrives empty; a host may rely on that.
    EXPECT_TRUE(text.empty()) << "GetSelectionText: text not empty on entry";
    if (Enter("GetSelectionText", d)) return handledResult;
    if (selectionText) {
        text = selectionText(selection);
        return selectionTextAnswer;
    }
    for (int index : selection) {
        if (!text.empty()) text += ' ';
        text += index >= 0 && index < static_cast<int>(nodes.size()) ? nodes[static_cast<size_t>(index)].name : "?";
    }
    return selectionTextAnswer;
}

// ---------------------------------------------------------------------------

HWND ExploreList(HWND dialog) { return GetDlgItem(dialog, IDC_EXPLORE_LIST); }

HICON LibraryIcon(int id) { return tk::ExploreButtonIcon(id); }

}  // namespace tkt
