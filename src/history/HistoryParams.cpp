#include "../service/Internal.h"
#include "tavrokessaui.h"

TavroKessaFileHistoryEntry::TavroKessaFileHistoryEntry() : m_entry(0), m_latestVer(0), m_lastModDateLatestSortValue(0) {}
TavroKessaFileHistoryEntry::~TavroKessaFileHistoryEntry() = default;

int TavroKessaFileHistoryEntry::GetEntry() { return m_entry; }
void TavroKessaFileHistoryEntry::SetEntry(int entry) { m_entry = entry; }
int TavroKessaFileHistoryEntry::GetLatestVer() { return m_latestVer; }
void TavroKessaFileHistoryEntry::SetLatestVer(int version) { m_latestVer = version; }
const char* TavroKessaFileHistoryEntry::GetLastModDateLatest() { return m_lastModDateLatest.c_str(); }
void TavroKessaFileHistoryEntry::SetLastModDateLatest(const char* text) { tk::AssignText(m_lastModDateLatest, text); }
long long TavroKessaFileHistoryEntry::GetLastModDateLatestSortValue() { return m_lastModDateLatestSortValue; }
void TavroKessaFileHistoryEntry::SetLastModDateLatestSortVal(long long key) { m_lastModDateLatestSortValue = key; }
const char* TavroKessaFileHistoryEntry::GetUserNameA() { return m_userName.c_str(); }
void TavroKessaFileHistoryEntry::SetUserName(const char* text) { tk::AssignText(m_userName, text); }
const char* TavroKessaFileHistoryEntry::GetComment() { return m_comment.c_str(); }
void TavroKessaFileHistoryEntry::SetComment(const char* text) { tk::AssignText(m_comment, text); }

TavroKessaHistoryDialogParams::TavroKessaHistoryDialogParams() : m_localVer(0), m_events(nullptr) {}
TavroKessaHistoryDialogParams::~TavroKessaHistoryDialogParams() = default;

const char* TavroKessaHistoryDialogParams::GetKessaPath() { return m_kessaPath.c_str(); }
void TavroKessaHistoryDialogParams::SetKessaPath(const char* text) { tk::AssignText(m_kessaPath, text); }
int TavroKessaHistoryDialogParams::GetLocalVer() { return m_localVer; }
void TavroKessaHistoryDialogParams::SetLocalVer(int version) { m_localVer = version; }

bool TavroKessaHistoryDialogParams::AddEntry(TavroKessaFileHistoryEntry* entry) {
    if (entry == nullptr) return false;
    m_entries.push_back(entry);
    return true;
}

unsigned int TavroKessaHistoryDialogParams::NumEntries() { return static_cast<unsigned int>(m_entries.size()); }

TavroKessaFileHistoryEntry* TavroKessaHistoryDialogParams::GetEntry(unsigned int index) {
    return index < m_entries.size() ? m_entries[index] : nullptr;
}

ITavroKessaHistoryDialogEvents* TavroKessaHistoryDialogParams::GetITavroKessaHistoryDialogEvents() { return m_events; }
void TavroKessaHistoryDialogParams::SetITavroKessaHistoryDialogEvents(ITavroKessaHistoryDialogEvents* events) {
    m_events = events;
}
