// Another program beside the timer: one holding a sound file open, one the user types into.
#pragma once

#include <span>
#include <string>

namespace zantiro::e2e {

using Args = std::span<const std::wstring>;

bool holdFile(Args args);               // hold PATH MS
bool runBystander(Args args);           // bystander MS
bool checkFocus(Args args);             // check-focus
bool expectTyped(Args args);            // expect-typed TEXT
bool checkTimerActive(Args args);       // check-timer-active
bool checkOrder(Args args);             // check-order above|below
bool raiseBystander(Args args);         // raise-bystander
bool announceDisplayChange(Args args);  // display-changed
bool moveMainWindow(Args args);         // move X Y

}  // namespace zantiro::e2e
