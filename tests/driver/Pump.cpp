#include "Pump.h"

namespace tkt {
namespace {

// Anything but timers waiting: input, posted or sent messages, paints. A timer
// is what a dialog uses for work it puts off until the user has nothing else
// for it, so it does not count as the user's action still going on.
bool Busy() { return HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_PAINT | QS_SENDMESSAGE)) != 0; }

// Longer than the 10 ms floor of a timer, so that a dialog's idle-time timer
// still running shows within it.
constexpr DWORD kQuietMs = 30;

}  // namespace

double NowMs() {
    static const double perMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / perMs;
}

bool PumpOne() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        return false;
    }
    HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root == nullptr || !IsDialogMessageA(root, &message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

bool PumpUntilIdle(const std::function<bool()>& done, DWORD timeoutMs) {
    ULONGLONG start = GetTickCount64();
    for (;;) {
        // Messages come by priority (posted, input, paint, then timers), so this
        // stops with the last paint.
        while (Busy() && PumpOne()) {
        }
        if (!done || done()) return true;
        if (GetTickCount64() - start > timeoutMs) return false;
        // The work is not finished although the queue is empty: a timer of the
        // dialog's may be due. Wait for it rather than spin.
        MsgWaitForMultipleObjectsEx(0, nullptr, 5, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

double Settle() {
    double start = NowMs();
    double lastWork = start;
    for (;;) {
        bool worked = false;
        while (PumpOne()) worked = true;
        if (worked) lastWork = NowMs();
        if (NowMs() - lastWork >= kQuietMs) return lastWork - start;
        MsgWaitForMultipleObjectsEx(0, nullptr, kQuietMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

}  // namespace tkt
