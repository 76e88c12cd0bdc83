// The explore dialog's events. The dialog holds no tree: on each event the host
// refills the file list and the "Look in:" path from its repository, keeps the
// folder history for "back", applies the chosen file-type filter and ends the
// dialog when the user opens files.
#ifndef TAVROKESSA_DEMO_EXPLOREEVENTS_H
#define TAVROKESSA_DEMO_EXPLOREEVENTS_H

#include <tavrokessaui.h>

#include <vector>

#include "SampleServers.h"

namespace demo {

class ExploreEvents final : public ITavroKessaExploreDialogEvents {
public:
    ExploreEvents(const Repository& repository, int startFolder) : m_repository(repository), m_folder(startFolder) {}

    bool OnInitDialog(ITavroKessaExploreDialog* dialog) override;
    bool OnOpenEntry(ITavroKessaExploreDialog* dialog, int index) override;
    bool OnOpen(ITavroKessaExploreDialog* dialog, std::vector<int> selection) override;
    bool OnLookInSelected(ITavroKessaExploreDialog* dialog, int position, int count) override;
    bool OnUpOneLevel(ITavroKessaExploreDialog* dialog) override;
    bool OnGoToLastFolder(ITavroKessaExploreDialog* dialog) override;
    bool CanGoToLastFolder(ITavroKessaExploreDialog* dialog) override;
    bool GetSelectionText(ITavroKessaExploreDialog* dialog, std::vector<int> selection, std::string& text) override;

    // The folder shown last: the next explore starts there.
    int Folder() const { return m_folder; }

private:
    // Shows `folder`, remembering the one left for "back" when `remember` is set.
    void GoTo(ITavroKessaExploreDialog* dialog, int folder, bool remember);
    // Fills the list (filtered) and the "Look in:" path for the current folder.
    void Fill(ITavroKessaExploreDialog* dialog);
    bool IsFolder(int index) const { return m_repository.Contains(index) && m_repository.At(index).folder; }

    const Repository& m_repository;
    int m_folder;
    std::vector<int> m_back;  // folders visited before, the most recent last
};

}  // namespace demo

#endif
