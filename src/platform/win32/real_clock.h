// The millisecond counter and sleep of Windows.
#pragma once

#include "core/clock.h"

namespace netquill {

class RealClock final : public Clock {
  public:
    std::uint32_t TickCount() const override;
    void Sleep(std::uint32_t milliseconds) override;
};

}  // namespace netquill
