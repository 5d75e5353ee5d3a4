// A clock for tests: time moves only when the program sleeps, so waits take no real time and a
// start near 2^32 tries the counter's wrap-around.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/clock.h"

namespace netquill {

class FakeClock final : public Clock {
  public:
    explicit FakeClock(std::uint32_t startTick = 0) : tick_(startTick) {}

    std::uint32_t TickCount() const override { return tick_; }

    // Advances the counter, wrapping modulo 2^32 as the system's does, then calls onSleep.
    void Sleep(std::uint32_t milliseconds) override {
        tick_ += milliseconds;
        sleeps_.push_back(milliseconds);
        if (onSleep) {
            onSleep();
        }
    }

    const std::vector<std::uint32_t>& Sleeps() const { return sleeps_; }

    // Lets a test look at the program while it waits.
    std::function<void()> onSleep;

  private:
    std::uint32_t tick_;
    std::vector<std::uint32_t> sleeps_;
};

}  // namespace netquill
