// The Clock contract against the library's steady clock everywhere and, in the Windows build,
// the system's tick counter. Only lower bounds are checked: a sleep may take longer than asked.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/steady_clock.h"

#ifdef _WIN32
#include "platform/win32/real_clock.h"
#endif

namespace netquill {
namespace {

struct Backend {
    std::string name;
    std::function<std::unique_ptr<Clock>()> make;
};

void PrintTo(const Backend& backend, std::ostream* out) {
    *out << backend.name;
}

std::vector<Backend> Backends() {
    std::vector<Backend> backends{{"Steady", [] { return std::make_unique<SteadyClock>(); }}};
#ifdef _WIN32
    backends.push_back({"Win32", [] { return std::make_unique<RealClock>(); }});
#endif
    return backends;
}

class ClockContract : public ::testing::TestWithParam<Backend> {};

TEST_P(ClockContract, TheCounterAdvancesAtLeastAsLongAsTheSleep) {
    const std::unique_ptr<Clock> clock = GetParam().make();
    for (const std::uint32_t sleep : {0u, 50u, 100u}) {
        SCOPED_TRACE(sleep);
        const std::uint32_t before = clock->TickCount();
        clock->Sleep(sleep);
        const std::uint32_t elapsed = clock->TickCount() - before;  // modulo 2^32
        // The Windows counter moves in steps of up to 16 ms, so a reading may lag that much.
        EXPECT_GE(elapsed + 16, sleep);
        EXPECT_LT(elapsed, 0x80000000u);  // never backwards
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, ClockContract, ::testing::ValuesIn(Backends()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace netquill
