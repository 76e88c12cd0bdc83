#include "../service/Internal.h"
#include "tavrokessaui.h"

TavroKessaExploreDialogEntry::TavroKessaExploreDialogEntry() : m_index(-1), m_folder(false) {}
TavroKessaExploreDialogEntry::~TavroKessaExploreDialogEntry() = default;

const char* TavroKessaExploreDialogEntry::GetDisplayName() { return m_displayName.c_str(); }
void TavroKessaExploreDialogEntry::SetDisplayName(const char* text) { tk::AssignText(m_displayName, text); }
bool TavroKessaExploreDialogEntry::IsFolder() { return m_folder; }
void TavroKessaExploreDialogEntry::SetFolder(bool folder) { m_folder = folder; }
int TavroKessaExploreDialogEntry::GetIndex() { return m_index; }
void TavroKessaExploreDialogEntry::SetIndex(int index) { m_index = index; }

namespace {
constexpr unsigned int kMultipleSelections = 0x01;
}

TavroKessaExploreDialogParams::TavroKessaExploreDialogParams()
    : m_rootEntry(nullptr), m_events(nullptr), m_flags(0) {}
TavroKessaExploreDialogParams::~TavroKessaExploreDialogParams() = default;

const char* TavroKessaExploreDialogParams::GetTitle() { return m_title.c_str(); }
void TavroKessaExploreDialogParams::SetTitle(const char* text) { tk::AssignText(m_title, text); }
bool TavroKessaExploreDialogParams::GetMultipleSelections() { return (m_flags & kMultipleSelections) != 0; }
void TavroKessaExploreDialogParams::SetMultipleSelections(bool multiple) {
    if (multiple)
        m_flags |= kMultipleSelections;
    else
        m_flags &= ~kMultipleSelections;
}
TavroKessaExploreDialogEntry* TavroKessaExploreDialogParams::GetRootEntry() { return m_rootEntry; }
void TavroKessaExploreDialogParams::SetRootEntry(TavroKessaExploreDialogEntry* entry) { m_rootEntry = entry; }
ITavroKessaExploreDialogEvents* TavroKessaExploreDialogParams::GetITavroKessaExploreDialogEvents() { return m_events; }
void TavroKessaExploreDialogParams::SetITavroKessaExploreDialogEvents(ITavroKessaExploreDialogEvents* events) {
    m_events = events;
}
std::vector<int>& TavroKessaExploreDialogParams::GetSelections() { return m_selections; }

unsigned int TavroKessaExploreDialogParams::AddFilter(const char* name, const char* extensions) {
    if (name == nullptr || extensions == nullptr) return 0;
    // Both arrays grow together or not at all.
    m_filterNames.emplace_back(name);
    try {
        m_filterExtensions.emplace_back(extensions);
    } catch (...) {
        m_filterNames.pop_back();
        throw;
    }
    return NumFilters();
}

unsigned int TavroKessaExploreDialogParams::NumFilters() { return static_cast<unsigned int>(m_filterNames.size()); }

const char* TavroKessaExploreDialogParams::GetFilterName(unsigned int index) {
    return index < m_filterNames.size() ? m_filterNames[index].c_str() : nullptr;
}

const char* TavroKessaExploreDialogParams::GetFilterExtensions(unsigned int index) {
    return index < m_filterExtensions.size() ? m_filterExtensions[index].c_str() : nullptr;
}
