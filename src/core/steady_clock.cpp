#include "core/steady_clock.h"

#include <chrono>
#include <thread>

namespace netquill {

std::uint32_t SteadyClock::TickCount() const {
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    // Keeping the low 32 bits gives the same wrap-around as the Windows counter.
    return static_cast<std::uint32_t>(elapsed.count());
}

void SteadyClock::Sleep(std::uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace netquill
