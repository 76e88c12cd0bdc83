#include "DialogDriver.h"

#include <atomic>
#include <cstdio>
#include <mutex>

#include "resource.h"

namespace tkt {
namespace {

Driver* g_current = nullptr;
int (*g_handleCounter)() = nullptr;

// The progress window belongs to its host's loop, not to a modal one: ending it
// means cancelling the transfer that runs it.
bool IsProgressWindow(HWND window) {
    HWND bar = GetDlgItem(window, IDC_PROGRESS_BAR);
    return GetDlgItem(window, IDC_PROGRESS_CANCEL) != nullptr && bar != nullptr && ClassOf(bar) == PROGRESS_CLASSA;
}

}  // namespace

Driver::Driver(DWORD timeoutMs, UINT tickMs) : m_timeoutMs(timeoutMs), m_tickMs(tickMs) {}

Driver::~Driver() {
    if (m_timer != 0) KillTimer(nullptr, m_timer);
    if (m_hook != nullptr) UnhookWindowsHookEx(m_hook);
    if (g_current == this) g_current = m_outer;
}

Driver& Driver::Wait(Step step) { return Wait(std::string(), std::move(step)); }

Driver& Driver::Wait(std::string what, Step step) {
    m_steps.push_back({std::move(what), std::move(step)});
    return *this;
}

Driver& Driver::Do(std::function<void()> action) { return Do(std::string(), std::move(action)); }

Driver& Driver::Do(std::string what, std::function<void()> action) {
    return Wait(std::move(what), [action = std::move(action)] {
        action();
        return true;
    });
}

Driver& Driver::WaitDialog(const char* title) {
    std::string wanted = title != nullptr ? title : "";
    bool any = title == nullptr;
    return Wait(any ? "a dialog" : "a dialog titled " + wanted, [this, wanted, any] {
        // Only a dialog this run created: an outer dialog with the same title must
        // not be mistaken for the one that is still on its way up.
        for (auto it = m_created.rbegin(); it != m_created.rend(); ++it) {
            HWND window = *it;
            if (!IsWindow(window) || !IsWindowVisible(window) || !IsDialog(window)) continue;
            if (any || Text(window) == wanted) {
                m_dialog = window;
                return true;
            }
        }
        return false;
    });
}

INT_PTR Driver::Run(const std::function<INT_PTR()>& call) {
    m_outer = g_current;
    g_current = this;
    m_start = GetTickCount();
    const int handles = LiveHandles();
    m_hook = SetWindowsHookExA(WH_CBT, &Driver::OnCbt, nullptr, GetCurrentThreadId());
    m_timer = SetTimer(nullptr, 0, m_tickMs, &Driver::OnTimer);
    INT_PTR result = call();
    StopTicking();
    UnhookWindowsHookEx(m_hook);
    m_hook = nullptr;
    g_current = m_outer;
    m_leakedHandles = LiveHandles() - handles;
    return result;
}

void Driver::StopTicking() {
    if (m_timer != 0) KillTimer(nullptr, m_timer);
    m_timer = 0;
}

std::string Driver::Problem() const {
    if (m_next < m_steps.size()) {
        const std::string& what = m_steps[m_next].what;
        return "stopped at step " + std::to_string(m_next + 1) + " of " + std::to_string(m_steps.size()) +
               (what.empty() ? "" : ": " + what);
    }
    if (m_timedOut) return "the dialog stayed open after the last step";
    return "";
}

int Driver::LiveCreatedWindows() const {
    int live = 0;
    for (HWND window : m_created)
        if (IsWindow(window)) ++live;
    return live;
}

LRESULT CALLBACK Driver::OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && g_current != nullptr) {
        auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        if (create != nullptr && create->lpcs != nullptr && (create->lpcs->style & WS_CHILD) == 0)
            g_current->m_created.push_back(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK Driver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (g_current != nullptr) g_current->Tick();
}

void Driver::Tick() {
    if (GetTickCount() - m_start > m_timeoutMs) {
        if (!m_timedOut) std::fprintf(stderr, "driver: timed out; %s\n", Problem().c_str());
        m_timedOut = true;
        EndEverything();
        return;
    }
    // A step may open a nested modal loop (a click sent rather than posted) in
    // which this timer keeps ticking: the step counts as taken while it runs, so
    // the nested ticks go on with the next steps.
    if (m_next >= m_steps.size()) return;
    size_t index = m_next++;
    bool done = m_steps[index].run();
    if (!done && m_next == index + 1) m_next = index;
}

void Driver::EndEverything() {
    EndMenu();
    for (HWND window : ThreadWindows()) {
        if (!IsDialog(window)) continue;
        if (IsProgressWindow(window)) {
            Click(window, IDC_PROGRESS_CANCEL);
            continue;
        }
        // Our own dialogs end through EndDialog; message boxes and the system's
        // dialogs through their cancel command.
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        EndDialog(window, -99);
    }
}

// --- Handles -------------------------------------------------------------------

void SetHandleCounter(int (*counter)()) { g_handleCounter = counter; }

int LiveHandles() { return g_handleCounter != nullptr ? g_handleCounter() : 0; }

// --- Watchdog ------------------------------------------------------------------

namespace {

std::mutex g_phaseLock;
std::string g_phase = "the program";
std::atomic<ULONGLONG> g_deadline{0};

}  // namespace

void StartWatchdog(unsigned seconds) {
    SetDeadline("the program", seconds);
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](LPVOID) -> DWORD {
            for (;;) {
                Sleep(1000);
                ULONGLONG deadline = g_deadline.load();
                if (deadline == 0 || GetTickCount64() <= deadline) continue;
                std::lock_guard<std::mutex> lock(g_phaseLock);
                std::fprintf(stderr, "watchdog: %s ran too long; ending it\n", g_phase.c_str());
                std::fflush(stderr);
                ExitProcess(98);
            }
        },
        nullptr, 0, nullptr);
    if (thread != nullptr) CloseHandle(thread);
}

void SetDeadline(const std::string& phase, unsigned seconds) {
    std::lock_guard<std::mutex> lock(g_phaseLock);
    g_phase = phase;
    g_deadline = seconds == 0 ? 0 : GetTickCount64() + seconds * 1000ull;
}

}  // namespace tkt
