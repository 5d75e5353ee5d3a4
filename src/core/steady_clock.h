// The clock of the C++ library: the millisecond counter and sleep where Windows' are missing.
#pragma once

#include "core/clock.h"

namespace netquill {

class SteadyClock final : public Clock {
  public:
    std::uint32_t TickCount() const override;
    void Sleep(std::uint32_t milliseconds) override;
};

}  // namespace netquill
