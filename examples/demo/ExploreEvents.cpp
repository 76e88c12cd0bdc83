#include "ExploreEvents.h"

namespace demo {

bool ExploreEvents::OnInitDialog(ITavroKessaExploreDialog*) {
    // The list does not exist yet: the first fill comes with OnOpenEntry(-1).
    return true;
}

bool ExploreEvents::OnOpenEntry(ITavroKessaExploreDialog* dialog, int index) {
    if (index == -1) {
        // First fill, or a different file type chosen.
        Fill(dialog);
    } else if (IsFolder(index)) {
        GoTo(dialog, index, true);
    } else if (m_repository.Contains(index)) {
        // A double-clicked file is opened at once, as in any open-file dialog.
        dialog->EndExplore(1);
    }
    return true;
}

bool ExploreEvents::OnOpen(ITavroKessaExploreDialog* dialog, std::vector<int> selection) {
    if (selection.size() == 1 && IsFolder(selection[0])) {
        GoTo(dialog, selection[0], true);
        return true;
    }
    for (int index : selection) {
        if (m_repository.Contains(index) && !IsFolder(index)) {
            dialog->EndExplore(1);
            return true;
        }
    }
    // Nothing to open: the dialog stays as it is.
    return true;
}

bool ExploreEvents::OnLookInSelected(ITavroKessaExploreDialog* dialog, int position, int) {
    std::vector<int> lineage = m_repository.Lineage(m_folder);
    if (position >= 0 && static_cast<size_t>(position) < lineage.size())
        GoTo(dialog, lineage[static_cast<size_t>(position)], true);
    return true;
}

bool ExploreEvents::OnUpOneLevel(ITavroKessaExploreDialog* dialog) {
    int parent = m_repository.At(m_folder).parent;
    if (parent >= 0) GoTo(dialog, parent, true);
    return true;
}

bool ExploreEvents::OnGoToLastFolder(ITavroKessaExploreDialog* dialog) {
    if (m_back.empty()) return true;
    int folder = m_back.back();
    m_back.pop_back();
    GoTo(dialog, folder, false);
    return true;
}

bool ExploreEvents::CanGoToLastFolder(ITavroKessaExploreDialog*) { return !m_back.empty(); }

bool ExploreEvents::GetSelectionText(ITavroKessaExploreDialog*, std::vector<int> selection, std::string& text) {
    // One entry shows its name; several show the quoted names of the files among them.
    if (selection.size() == 1 && m_repository.Contains(selection[0])) {
        text = m_repository.At(selection[0]).name;
        return true;
    }
    for (int index : selection) {
        if (!m_repository.Contains(index) || IsFolder(index)) continue;
        if (!text.empty()) text += ' ';
        text += '"' + m_repository.At(index).name + '"';
    }
    return !text.empty();
}

void ExploreEvents::GoTo(ITavroKessaExploreDialog* dialog, int folder, bool remember) {
    if (folder == m_folder) return;
    if (remember) m_back.push_back(m_folder);
    m_folder = folder;
    Fill(dialog);
}

void ExploreEvents::Fill(ITavroKessaExploreDialog* dialog) {
    const char* patterns = dialog->GetCurrentFilterExtensions();
    dialog->ClearEntries();
    for (int child : m_repository.At(m_folder).children) {
        const Node& node = m_repository.At(child);
        if (!node.folder && !MatchesPatterns(node.name, patterns)) continue;
        // The dialog copies what it needs during the call: one entry serves all.
        TavroKessaExploreDialogEntry entry;
        entry.SetDisplayName(node.name.c_str());
        entry.SetFolder(node.folder);
        entry.SetIndex(node.id);
        dialog->AddListEntry(&entry);
    }

    // ClearLookIn asks CanGoToLastFolder, so the history is already up to date.
    dialog->ClearLookIn();
    std::vector<int> lineage = m_repository.Lineage(m_folder);
    for (size_t level = 0; level < lineage.size(); ++level) {
        TavroKessaExploreDialogEntry entry;
        entry.SetDisplayName(m_repository.At(lineage[level]).name.c_str());
        entry.SetFolder(true);
        entry.SetIndex(lineage[level]);
        dialog->AddLookInEntry(&entry, level + 1 == lineage.size());
    }
}

}  // namespace demo
