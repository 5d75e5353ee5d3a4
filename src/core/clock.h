// Port to the system's millisecond clock, for waits that keep handling window messages.
// Error contract: nothing fails.
#pragma once

#include <cstdint>

namespace netquill {

class Clock {
  public:
    virtual ~Clock() = default;

    // Milliseconds since some fixed moment, modulo 2^32: the counter wraps to 0 after about
    // 49.7 days, so only differences taken modulo 2^32 mean anything.
    virtual std::uint32_t TickCount() const = 0;

    // Blocks the thread for at least `milliseconds`, handling nothing meanwhile.
    virtual void Sleep(std::uint32_t milliseconds) = 0;
};

}  // namespace netquill
