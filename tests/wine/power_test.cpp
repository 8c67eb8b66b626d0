// Win32Power: what the thread's execution state holds after each request.
#include <gtest/gtest.h>

#include "tests/wine/wine_test_support.h"
#include "ui/forms/win32/services.h"

namespace zantiro::wine_tests {
namespace {

// SetThreadExecutionState answers with the state it replaces: the request before it.
EXECUTION_STATE stateNow() {
    const EXECUTION_STATE state = SetThreadExecutionState(ES_CONTINUOUS);
    SetThreadExecutionState(state);
    return state;
}

TEST(Power, HoldsDisplayAndSystemWhileAwakeAndOnlyContinuousAfter) {
    forms::win32::Win32Power power;
    power.keepAwake(true);
    EXPECT_EQ(stateNow(), static_cast<EXECUTION_STATE>(ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED));
    power.keepAwake(false);
    EXPECT_EQ(stateNow(), static_cast<EXECUTION_STATE>(ES_CONTINUOUS));
}

}  // namespace
}  // namespace zantiro::wine_tests
