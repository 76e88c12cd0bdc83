#include "Fixtures.h"

#include <gtest/gtest.h>

#include "service/Handles.h"

namespace tkt {

INT_PTR RunChecked(Driver& driver, const std::function<INT_PTR()>& call) {
    const int handles = tk::LiveHandlesTotal();
    const INT_PTR result = driver.Run(call);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_TRUE(driver.AllStepsDone());
    EXPECT_EQ(driver.LiveCreatedWindows(), 0);
    EXPECT_EQ(tk::LiveHandlesTotal(), handles);
    return result;
}

}  // namespace tkt
