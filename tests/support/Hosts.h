// Scriptable hosts for the dialogs: each records every event it receives, answers
// as configured, and can, per event, run its own message loop until told to stop
// (as a real host does while it contacts the server or shows a message box) or
// throw. Tests drive the dialog from inside that loop: the driver's timer keeps
// ticking in it. Where a fixed answer is not enough, a hook (a std::function run
// inside the event, after its loop) does what the host does and gives the answer.
#ifndef TK_TESTS_HOSTS_H
#define TK_TESTS_HOSTS_H

#include <windows.h>

#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
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
    void StopThrowingIn(const std::string& event) { m_throwIn.erase(event); }
    // Ends the loops that run now; events called later loop again.
    void Release() { ++m_releases; }
    // An event is inside its loop.
    bool Looping() const { return m_looping > 0; }

    // How often `event` was called; counted with or without the log.
    int Count(const std::string& event) const;
    // Events as they came, by name.
    std::vector<std::string> calls;
    // How deep the events of this host nested, at most.
    int maxDepth = 0;
    // False: neither `calls` nor the host's records of what it was handed are
    // kept, only the counts; for long runs whose memory is measured.
    bool keepLog = true;

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

    // Appends to one of the host's records, unless the log is off.
    template <typename T, typename V>
    void Record(std::vector<T>& record, V&& value) {
        if (keepLog) record.push_back(std::forward<V>(value));
    }

private:
    void Loop();

    std::set<std::string> m_loopIn;
    std::set<std::string> m_throwIn;
    std::map<std::string, int> m_counts;
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
    // In place of those answers. The query's hook is handed the list as the
    // library gave it, to fill.
    std::function<bool(TavroKessaSigninDialogParams* record, HWND dialog, std::vector<std::string>& names)> onQuery;
    std::function<bool(TavroKessaSigninDialogParams* record, HWND dialog)> onLogin;

    // The record and the dialog each event was handed, in the order of the calls.
    std::vector<TavroKessaSigninDialogParams*> records;
    std::vector<HWND> dialogs;
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
    // In place of `can` and `fetch`.
    std::function<bool(int entry, HWND dialog)> onAsk;
    std::function<bool(int entry, HWND dialog)> onFetch;
    std::vector<int> asked, fetched;
    std::vector<bool> flags;
};

class ProgressHost final : public ITavroKessaProgressDialogEvents, public ScriptedEvents {
public:
    void OnCancel(TavroKessaProgressDialogParams* record) override;

    TavroKessaProgressDialogParams* last = nullptr;
    std::function<void(TavroKessaProgressDialogParams*)> onCancel;
};

}  // namespace tkt

#endif
