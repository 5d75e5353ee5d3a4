#include "platform/win32/real_clock.h"

#include <windows.h>

namespace netquill {

std::uint32_t RealClock::TickCount() const {
    return GetTickCount();
}

void RealClock::Sleep(std::uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

}  // namespace netquill
