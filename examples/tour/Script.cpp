#include "Script.h"

#include <cstdio>

#include "Input.h"

namespace tour {
namespace {

Script* g_running = nullptr;  // one script runs at a time; the timer finds it here
constexpr UINT kTickMs = 15;
constexpr int kProgressCancel = 1040;  // the progress window's Cancel button

}  // namespace

Script::~Script() {
    if (m_timer != 0) KillTimer(nullptr, m_timer);
    if (g_running == this) g_running = nullptr;
}

Script& Script::Wait(std::string what, Condition ready) {
    m_steps.push_back({std::move(what), std::move(ready)});
    return *this;
}

Script& Script::Do(std::string what, std::function<void()> action) {
    m_steps.push_back({std::move(what), [action = std::move(action)] {
                           action();
                           return true;
                       }});
    return *this;
}

bool Script::Run(const std::function<void()>& call, DWORD timeoutMs) {
    g_running = this;
    m_running = true;
    m_next = 0;
    m_timedOut = false;
    m_timeoutMs = timeoutMs;
    m_start = GetTickCount();
    m_timer = SetTimer(nullptr, 0, kTickMs, &Script::OnTimer);
    call();
    KillTimer(nullptr, m_timer);
    m_timer = 0;
    m_running = false;
    g_running = nullptr;
    return !m_timedOut && m_next >= m_steps.size();
}

std::string Script::Problem() const {
    if (m_next < m_steps.size()) return "stopped at \"" + m_steps[m_next].what + "\"";
    if (m_timedOut) return "the dialog stayed open after the last step";
    return "";
}

void CALLBACK Script::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (g_running != nullptr) g_running->Tick();
}

void Script::Tick() {
    if (GetTickCount() - m_start > m_timeoutMs) {
        if (!m_timedOut) std::fprintf(stderr, "tour: timed out; %s\n", Problem().c_str());
        m_timedOut = true;
        EndEverything();
        return;
    }
    if (m_next >= m_steps.size()) return;
    // A step may dispatch messages of its own (a nested modal loop in which this
    // timer keeps ticking): it counts as taken while it runs, so that the nested
    // ticks go on with the following steps rather than repeat it.
    size_t index = m_next++;
    bool done = m_steps[index].run();
    if (!done && m_next == index + 1) m_next = index;
}

void Script::EndEverything() {
    EndMenu();
    for (HWND window : ThreadWindows()) {
        if (ClassOf(window) != "#32770") continue;
        if (GetDlgItem(window, kProgressCancel) != nullptr) {
            // The progress window belongs to the host's loop: cancel the transfer.
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(kProgressCancel, BN_CLICKED), 0);
            continue;
        }
        // Message boxes and the system's dialogs end on their cancel command; ours
        // through EndDialog.
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        EndDialog(window, -99);
    }
}

void StartWatchdog(unsigned seconds) {
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](LPVOID context) -> DWORD {
            Sleep(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(context)) * 1000);
            std::fprintf(stderr, "tour: ran too long; giving up\n");
            std::fflush(stderr);
            ExitProcess(3);
        },
        reinterpret_cast<LPVOID>(static_cast<UINT_PTR>(seconds)), 0, nullptr);
    if (thread != nullptr) CloseHandle(thread);
}

}  // namespace tour
