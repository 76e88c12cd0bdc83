#include "Hosts.h"

#include <algorithm>

namespace tkt {

int ScriptedEvents::Count(const std::string& event) const {
    const auto found = m_counts.find(event);
    return found != m_counts.end() ? found->second : 0;
}

ScriptedEvents::Event::Event(ScriptedEvents& host, const char* name) : m_host(host) {
    if (host.keepLog) host.calls.push_back(name);
    ++host.m_counts[name];
    host.maxDepth = std::max(host.maxDepth, ++host.m_depth);
    if (host.m_throwIn.count(name) != 0) {
        --host.m_depth;
        throw std::runtime_error(name);
    }
    if (host.m_loopIn.count(name) != 0) host.Loop();
}

void ScriptedEvents::Loop() {
    const unsigned releases = m_releases;
    ++m_looping;
    MSG message;
    while (m_releases == releases) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // The quit message belongs to the loop outside ours.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) break;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    --m_looping;
}

COLORREF SettingsHost::GetColor(int index) {
    Event event(*this, "GetColor");
    if (onColour) onColour(index);
    return colour ? colour(index) : GetSysColor(index);
}

unsigned int SettingsHost::GetDisplayFlags() {
    Event event(*this, "GetDisplayFlags");
    return flags;
}

bool SigninHost::OnQueryKessaList(TavroKessaSigninDialogParams* record, HWND dialog, const char* server,
                                  std::vector<std::string>* names_) {
    Record(records, record);
    Record(dialogs, dialog);
    Event event(*this, "OnQueryKessaList");
    Record(servers, server != nullptr ? server : "(null)");
    if (onQuery) return onQuery(record, dialog, *names_);
    *names_ = names;
    return offer;
}

bool SigninHost::OnLogin(TavroKessaSigninDialogParams* record, HWND dialog) {
    Record(records, record);
    Record(dialogs, dialog);
    if (keepLog)
        logins.push_back(std::string(record->GetUser()) + "|" + record->GetPassword() + "|" + record->GetServer() +
                         "|" + record->GetKessa() + "|" + (record->GetAutoLogin() ? "auto" : "manual"));
    Event event(*this, "OnLogin");
    return onLogin ? onLogin(record, dialog) : accept;
}

bool HistoryHost::CanGetVersion(int entry, HWND dialog) {
    Record(asked, entry);
    Event event(*this, "CanGetVersion");
    return onAsk ? onAsk(entry, dialog) : can;
}

bool HistoryHost::OnGetVersion(int entry, bool flag, HWND dialog) {
    Event event(*this, "OnGetVersion");
    Record(fetched, entry);
    Record(flags, flag);
    return onFetch ? onFetch(entry, dialog) : fetch;
}

void ProgressHost::OnCancel(TavroKessaProgressDialogParams* record) {
    Event event(*this, "OnCancel");
    last = record;
    if (onCancel) onCancel(record);
}

}  // namespace tkt
