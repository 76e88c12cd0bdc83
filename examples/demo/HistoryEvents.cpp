#include "HistoryEvents.h"

namespace demo {

const Version* HistoryEvents::At(int entry) const {
    if (entry < 0 || static_cast<size_t>(entry) >= m_file.versions.size()) return nullptr;
    return &m_file.versions[static_cast<size_t>(entry)];
}

bool HistoryEvents::CanGetVersion(int entry, HWND) {
    // Purged versions are listed but their content is gone from the server.
    const Version* version = At(entry);
    return version != nullptr && !version->purged;
}

bool HistoryEvents::OnGetVersion(int entry, bool, HWND dialog) {
    const Version* version = At(entry);
    if (version == nullptr || version->purged) return false;
    std::string message = "Getting version " + std::to_string(version->number) + " of " + m_file.name + "...";
    TransferOutcome outcome = m_transfer.Run(dialog, "Get Version", message, {m_localPath}, [](size_t) {});
    if (outcome.arrived != 1) return false;  // cancelled: the local copy is unchanged
    m_file.localVersion = version->number;
    m_file.localDate = version->date;
    m_fetched = version->number;
    return true;
}

}  // namespace demo
