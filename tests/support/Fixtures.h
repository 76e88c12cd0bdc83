// What most dialog tests need: the service for the length of a test, the
// scripted hosts (Hosts.h), and a run that checks that nothing the dialog made
// outlives it.
#ifndef TK_TESTS_FIXTURES_H
#define TK_TESTS_FIXTURES_H

#include <windows.h>

#include <functional>

#include "DialogDriver.h"
#include "Hosts.h"
#include "tavrokessaui.h"

namespace tkt {

// The service, taken at construction and given back at destruction.
class Service {
public:
    Service() : m_ui(GetITavroKessaUI()) {}
    ~Service() { ReleaseITavroKessaUI(m_ui); }
    Service(const Service&) = delete;
    Service& operator=(const Service&) = delete;
    ITavroKessaUI* operator->() const { return m_ui; }
    ITavroKessaUI* Get() const { return m_ui; }

private:
    ITavroKessaUI* m_ui;
};

// Runs `call` (which shows a dialog) with the driver's steps. Every step must have
// run in time, and no window or counted handle made during the run may be left.
INT_PTR RunChecked(Driver& driver, const std::function<INT_PTR()>& call);

// The ways a user ends a dialog without OK, by number: its Cancel button, Escape
// and the close box.
constexpr int kDismissWays = 3;
void Dismiss(HWND dialog, int way);

// `window` stands centred over `owner` (to the pixel, rounding down).
void ExpectCentredOver(HWND window, HWND owner);

}  // namespace tkt

#endif
