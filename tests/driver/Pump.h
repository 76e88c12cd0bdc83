// Handling this thread's messages from outside a dialog's own loop, as a modal
// loop would, and knowing when the thread has finished a piece of work: every
// posted message handled and every paint done.
#ifndef TK_DRIVER_PUMP_H
#define TK_DRIVER_PUMP_H

#include <windows.h>

#include <functional>

namespace tkt {

// QueryPerformanceCounter in milliseconds.
double NowMs();

// Handles one waiting message, keys through the dialog manager of the dialog
// they belong to; true when there was one. A WM_QUIT is put back for the loop
// that owns it.
bool PumpOne();
// Pumps until nothing but timers is left in the queue and `done` holds. False
// when `timeoutMs` passed first.
bool PumpUntilIdle(const std::function<bool()>& done = nullptr, DWORD timeoutMs = 600000);
// Handles messages, timers too, until none has come for longer than a timer's
// 10 ms floor; returns how long work went on before that (0 when there was none).
double Settle();

}  // namespace tkt

#endif
