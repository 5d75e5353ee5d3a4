#include "apply/delay.h"

#include <cstdint>

namespace netquill {

void DelayWithEvents(Program& program, int milliseconds) {
    constexpr std::uint32_t kStep = 100;
    const std::uint32_t start = program.clock.TickCount();
    std::uint32_t elapsed = 0;
    do {
        program.loop.DispatchPending();
        program.clock.Sleep(kStep);
        elapsed = program.clock.TickCount() - start;  // unsigned: modulo 2^32
    } while (static_cast<std::int64_t>(elapsed) < milliseconds);
}

}  // namespace netquill
