// Scriptable hosts for the dialogs: each records every event it receives, answers
// as configured, and can, per event, run its own message loop until told to stop
// (as a real host does while it contacts the server or shows a message box) or
// throw. Tests drive the dialog from inside that loop: the driver's timer keeps
// ticking in it.
#ifndef TK_TESTS_HOSTS_H
#define TK_TESTS_HOSTS_H

#include <windows.h>

#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "tavrokessaui.h"

namespace tkt {

// What every scripted host shares: the log, the nesting of its events, and the
// loop or exception an event is scripted to have.
class ScriptedEvents {
public:
    // Every call of `event` runs a message loop until Release() (or the thread's
    // quit message, which it leaves queued).
    void LoopIn(const std::string& event) { m_loopIn.insert(event); }
    void StopLoopingIn(const std::string& event) { m_loopIn.erase(event); }
    // Every call of `event` throws std::runtime_error(event).
    void ThrowIn(const std::string& event) { m_throwIn.insert(event); }
    // Ends the loops that run now; events called later loop again.
    void Release() { ++m_releases; }
    // An event is inside its loop.
    bool Looping() const { return m_looping > 0; }

    int Count(const std::string& event) const;
    // Events as they came, by name.
    std::vector<std::string> calls;
    // How deep the events of this host nested, at most.
    int maxDepth = 0;

protected:
    // Brackets one event: logs it, then throws or loops as scripted. What the host
    // does in the event comes after, inside the scope.
    class Event {
    public:
        Event(ScriptedEvents& host, const char* name);
        ~Event() { --m_host.m_depth; }
        Event(const Event&) = delete;
        Event& operator=(const Event&) = delete;

    private:
        ScriptedEvents& m_host;
    };

private:
    void Loop();

    std::set<std::string> m_loopIn;
    std::set<std::string> m_throwIn;
    int m_depth = 0;
    int m_looping = 0;
    unsigned m_releases = 0;
};

// The host settings object: colours and flags as set, calls counted.
class SettingsHost final : public ITavroKessaUIHost, public ScriptedEvents {
public:
    explicit SettingsHost(unsigned displayFlags = 0) : flags(displayFlags) {}
    COLORREF GetColor(int index) override;
    unsigned int GetDisplayFlags() override;

    unsigned flags;
    // Colour answers by index; the system's colour where none is set.
    std::function<COLORREF(int)> colour;
    // Runs inside GetColor, before the answer.
    std::function<void(int)> onColour;
};

class SigninHost final : public ITavroKessaSigninDialogEvents, public ScriptedEvents {
public:
    bool OnQueryKessaList(TavroKessaSigninDialogParams* record, HWND dialog, const char* server,
                          std::vector<std::string>* names) override;
    bool OnLogin(TavroKessaSigninDialogParams* record, HWND dialog) override;

    // The answers: the names offered and whether the chooser shows; the sign-in's outcome.
    std::vector<std::string> names;
    bool offer = true;
    bool accept = true;
    // The server text of each query, read when the query returns (so that a text
    // changed under the host shows).
    std::vector<std::string> servers;
    // The entries the record held at each OnLogin: user|password|server|database|auto.
    std::vector<std::string> logins;
};

class HistoryHost final : public ITavroKessaHistoryDialogEvents, public ScriptedEvents {
public:
    bool CanGetVersion(int entry, HWND dialog) override;
    bool OnGetVersion(int entry, bool flag, HWND dialog) override;

    bool can = true;
    bool fetch = true;
    std::vector<int> asked, fetched;
    std::vector<bool> flags;
    std::function<void(HWND)> onFetch;  // inside OnGetVersion, after the loop
};

class ProgressHost final : public ITavroKessaProgressDialogEvents, public ScriptedEvents {
public:
    void OnCancel(TavroKessaProgressDialogParams* record) override;

    TavroKessaProgressDialogParams* last = nullptr;
    std::function<void(TavroKessaProgressDialogParams*)> onCancel;  // after the loop
};

}  // namespace tkt

#endif
