// What most dialog tests need: the service for the length of a test, a host
// settings object with fixed answers, and a run that checks that nothing the
// dialog made outlives it.
#ifndef TK_TESTS_FIXTURES_H
#define TK_TESTS_FIXTURES_H

#include <windows.h>

#include <functional>

#include "DialogDriver.h"
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

// Answers the display flags it was given and the system's colours, and counts
// how often it was asked for the flags.
class FlagsHost final : public ITavroKessaUIHost {
public:
    explicit FlagsHost(unsigned value = 0) : flags(value) {}
    COLORREF GetColor(int index) override { return GetSysColor(index); }
    unsigned int GetDisplayFlags() override {
        ++calls;
        return flags;
    }
    unsigned flags;
    int calls = 0;
};

// Runs `call` (which shows a dialog) with the driver's steps. Every step must have
// run in time, and no window or counted handle made during the run may be left.
INT_PTR RunChecked(Driver& driver, const std::function<INT_PTR()>& call);

}  // namespace tkt

#endif
