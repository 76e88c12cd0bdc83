#include "DialogDriver.h"

#include <cstdio>
#include <cstdlib>

namespace tkt {
namespace {

Driver* g_current = nullptr;
constexpr UINT kTickMs = 10;

bool IsDialogClass(HWND window) { return ClassOf(window) == "#32770"; }

}  // namespace

Driver::Driver(DWORD timeoutMs) : m_timeoutMs(timeoutMs) {}

Driver::~Driver() {
    if (m_timer != 0) KillTimer(nullptr, m_timer);
    if (m_hook != nullptr) UnhookWindowsHookEx(m_hook);
    if (g_current == this) g_current = m_outer;
}

Driver& Driver::Wait(Step step) {
    m_steps.push_back(std::move(step));
    return *this;
}

Driver& Driver::Do(std::function<void()> action) {
    m_steps.push_back([action = std::move(action)] {
        action();
        return true;
    });
    return *this;
}

Driver& Driver::WaitDialog(const char* title) {
    std::string wanted = title != nullptr ? title : "";
    bool any = title == nullptr;
    return Wait([this, wanted, any] {
        // Only a dialog this run created: an outer dialog with the same title must
        // not be mistaken for the one that is still on its way up.
        for (auto it = m_created.rbegin(); it != m_created.rend(); ++it) {
            HWND window = *it;
            if (!IsWindow(window) || !IsWindowVisible(window) || !IsDialogClass(window)) continue;
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
    m_hook = SetWindowsHookExA(WH_CBT, &Driver::OnCbt, nullptr, GetCurrentThreadId());
    m_timer = SetTimer(nullptr, 0, kTickMs, &Driver::OnTimer);
    INT_PTR result = call();
    KillTimer(nullptr, m_timer);
    m_timer = 0;
    UnhookWindowsHookEx(m_hook);
    m_hook = nullptr;
    g_current = m_outer;
    return result;
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
        if (!m_timedOut) std::fprintf(stderr, "driver: timed out at step %zu of %zu\n", m_next, m_steps.size());
        m_timedOut = true;
        EndEverything();
        return;
    }
    // A step may open a nested modal loop (a click sent rather than posted) in
    // which this timer keeps ticking: the step counts as taken while it runs, so
    // the nested ticks go on with the next steps.
    if (m_next >= m_steps.size()) return;
    size_t index = m_next++;
    bool done = m_steps[index]();
    if (!done && m_next == index + 1) m_next = index;
}

void Driver::EndEverything() {
    for (HWND window : ThreadWindows()) {
        if (IsDialogClass(window)) {
            // Our own dialogs end through EndDialog; message boxes and the system's
            // dialogs through their cancel command.
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
            EndDialog(window, -99);
        }
    }
}

// ---------------------------------------------------------------------------

std::vector<HWND> ThreadWindows() {
    std::vector<HWND> windows;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM context) -> BOOL {
            if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HWND FindDialog(const char* title) {
    // EnumThreadWindows lists the z-order from the top: the first match is the
    // newest active dialog.
    for (HWND window : ThreadWindows()) {
        if (!IsDialogClass(window)) continue;
        if (title == nullptr || Text(window) == title) return window;
    }
    return nullptr;
}

std::string Text(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    int copied = GetWindowTextA(window, &text[0], static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

void Click(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PressKey(HWND dialog, UINT vk) {
    HWND focus = GetFocus();
    if (focus == nullptr || (focus != dialog && !IsChild(dialog, focus))) {
        focus = GetNextDlgTabItem(dialog, nullptr, FALSE);
        if (focus == nullptr) focus = dialog;
        SetFocus(focus);
    }
    PostMessageA(focus, WM_KEYDOWN, vk, 1);
    PostMessageA(focus, WM_KEYUP, vk, 0xC0000001);
}

void TypeText(HWND dialog, int id, const char* text) {
    HWND control = GetDlgItem(dialog, id);
    SetWindowTextA(control, text);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(control));
}

void CloseBox(HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

bool IsEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
bool IsVisible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }
bool IsTopmost(HWND window) { return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

RECT ClientRectOf(HWND dialog, int id) {
    RECT rect = {};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void StartWatchdog(unsigned seconds) {
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](LPVOID context) -> DWORD {
            Sleep(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(context)) * 1000);
            std::fprintf(stderr, "watchdog: the test program ran too long; ending it\n");
            std::fflush(stderr);
            ExitProcess(98);
        },
        reinterpret_cast<LPVOID>(static_cast<UINT_PTR>(seconds)), 0, nullptr);
    if (thread != nullptr) CloseHandle(thread);
}

}  // namespace tkt
