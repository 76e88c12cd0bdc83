#include "Hosts.h"

#include <algorithm>

namespace tkt {

int ScriptedEvents::Count(const std::string& event) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), event));
}

ScriptedEvents::Event::Event(ScriptedEvents& host, const char* name) : m_host(host) {
    host.calls.push_back(name);
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

bool SigninHost::OnQueryKessaList(TavroKessaSigninDialogParams*, HWND, const char* server,
                                  std::vector<std::string>* names_) {
    {
        Event event(*this, "OnQueryKessaList");
    }
    servers.push_back(server != nullptr ? server : "(null)");
    *names_ = names;
    return offer;
}

bool SigninHost::OnLogin(TavroKessaSigninDialogParams* record, HWND) {
    logins.push_back(std::string(record->GetUser()) + "|" + record->GetPassword() + "|" + record->GetServer() + "|" +
                     record->GetKessa() + "|" + (record->GetAutoLogin() ? "auto" : "manual"));
    Event event(*this, "OnLogin");
    return accept;
}

bool HistoryHost::CanGetVersion(int entry, HWND) {
    asked.push_back(entry);
    Event event(*this, "CanGetVersion");
    return can;
}

bool HistoryHost::OnGetVersion(int entry, bool flag, HWND dialog) {
    Event event(*this, "OnGetVersion");
    fetched.push_back(entry);
    flags.push_back(flag);
    if (onFetch) onFetch(dialog);
    return fetch;
}

void ProgressHost::OnCancel(TavroKessaProgressDialogParams* record) {
    Event event(*this, "OnCancel");
    last = record;
    if (onCancel) onCancel(record);
}

}  // namespace tkt
