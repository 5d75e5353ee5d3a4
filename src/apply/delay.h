// Waiting while the window stays responsive.
#pragma once

#include "ui/program.h"

namespace netquill {

// Handles every pending message (input or not), sleeps 100 ms, and repeats until `milliseconds`
// have passed on the system's counter; the difference is taken modulo 2^32, so the counter's
// wrap-around does not lengthen the wait. Runs at least once, so even 0 waits 100 ms.
void DelayWithEvents(Program& program, int milliseconds);

}  // namespace netquill
