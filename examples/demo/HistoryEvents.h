// The history dialog's events: whether a version can be fetched, and fetching it
// (through the progress window, over the history dialog) into the working folder.
#ifndef TAVROKESSA_DEMO_HISTORYEVENTS_H
#define TAVROKESSA_DEMO_HISTORYEVENTS_H

#include <tavrokessaui.h>

#include <string>

#include "SampleServers.h"
#include "Transfer.h"

namespace demo {

class HistoryEvents final : public ITavroKessaHistoryDialogEvents {
public:
    // Entry identifiers are positions in `file.versions`.
    HistoryEvents(Transfer& transfer, Node& file, std::string localPath)
        : m_transfer(transfer), m_file(file), m_localPath(std::move(localPath)) {}

    bool CanGetVersion(int entry, HWND dialog) override;
    bool OnGetVersion(int entry, bool flag, HWND dialog) override;

    // The version number fetched last in this dialog, 0 for none.
    int Fetched() const { return m_fetched; }

private:
    const Version* At(int entry) const;

    Transfer& m_transfer;
    Node& m_file;
    std::string m_localPath;
    int m_fetched = 0;
};

}  // namespace demo

#endif
