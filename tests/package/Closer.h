// Lets a host that knows the library only through its package open modal
// windows in a test: a thread timer, which fires inside any modal loop of this
// thread, answers each visible, enabled dialog of the thread with one button,
// and a watchdog ends the process when something hangs. Header-only, so that
// each compiler and build system under test builds it with the host.
#ifndef TK_PACKAGE_CLOSER_H
#define TK_PACKAGE_CLOSER_H

#include <windows.h>

#include <cstdio>

namespace closer {

struct State {
    DWORD thread = 0;
    bool armed = false;       // dialogs are answered only while this is set
    int button = IDCANCEL;    // the command sent; 0: the dialog's default button
    int answered = 0;         // commands posted: proves that a window was shown
};

inline State& Get() {
    static State state;
    return state;
}

// The button drawn as the default one. (DM_GETDEFID is no help: Wine's message
// boxes answer IDOK to it whatever their buttons.)
inline BOOL CALLBACK FindDefaultButton(HWND child, LPARAM found) {
    char name[16] = "";
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Button") != 0 || (GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) != BS_DEFPUSHBUTTON)
        return TRUE;
    *reinterpret_cast<int*>(found) = GetDlgCtrlID(child);
    return FALSE;
}

inline BOOL CALLBACK AnswerWindow(HWND window, LPARAM) {
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
    int button = Get().button;
    if (button == 0) {
        button = IDCANCEL;
        EnumChildWindows(window, FindDefaultButton, reinterpret_cast<LPARAM>(&button));
    }
    // Posted, not sent: the dialog answers from its own loop, as it would a click.
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, button)));
    ++Get().answered;
    return TRUE;
}

inline void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (Get().armed) EnumThreadWindows(Get().thread, AnswerWindow, 0);
}

inline DWORD WINAPI Watchdog(LPVOID milliseconds) {
    Sleep(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(milliseconds)));
    std::printf("watchdog: still running after %u ms, ending the process\n",
                static_cast<unsigned>(reinterpret_cast<UINT_PTR>(milliseconds)));
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 99);
    return 0;
}

// Call once from the thread that opens the dialogs.
inline void Start(DWORD watchdogMilliseconds) {
    Get().thread = GetCurrentThreadId();
    SetTimer(nullptr, 0, 50, Tick);
    HANDLE watchdog = CreateThread(nullptr, 0, Watchdog,
                                   reinterpret_cast<LPVOID>(static_cast<UINT_PTR>(watchdogMilliseconds)), 0, nullptr);
    if (watchdog != nullptr) CloseHandle(watchdog);
}

}  // namespace closer

#endif
