#include "Fixtures.h"

#include <gtest/gtest.h>

#include "service/Handles.h"

namespace tkt {
namespace {

// The tests see the library's own handle counts; the driver counts through them.
[[maybe_unused]] const bool g_countingHandles = (SetHandleCounter(&tk::LiveHandlesTotal), true);

}  // namespace

INT_PTR RunChecked(Driver& driver, const std::function<INT_PTR()>& call) {
    const INT_PTR result = driver.Run(call);
    EXPECT_FALSE(driver.TimedOut()) << driver.Problem();
    EXPECT_TRUE(driver.AllStepsDone()) << driver.Problem();
    EXPECT_EQ(driver.LiveCreatedWindows(), 0);
    EXPECT_EQ(driver.LeakedHandles(), 0);
    return result;
}

void Dismiss(HWND dialog, int way) {
    switch (way) {
    case 0: Click(dialog, IDCANCEL); break;
    case 1: PressKey(dialog, VK_ESCAPE); break;
    default: CloseBox(dialog); break;
    }
}

void ExpectCentredOver(HWND window, HWND owner) {
    const RECT outer = WindowRect(owner), inner = WindowRect(window);
    EXPECT_EQ(inner.left, outer.left + (outer.right - outer.left - (inner.right - inner.left)) / 2);
    EXPECT_EQ(inner.top, outer.top + (outer.bottom - outer.top - (inner.bottom - inner.top)) / 2);
}

}  // namespace tkt
