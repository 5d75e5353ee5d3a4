// Waiting with DelayWithEvents: how long, across the counter's wrap-around, and what it handles.
#include "apply/delay.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "support/test_program.h"

namespace netquill {
namespace {

TEST(DelayWithEvents, SleepsInStepsOf100UntilTheTimeHasPassed) {
    struct Case {
        std::uint32_t startTick;
        int milliseconds;
        std::size_t sleeps;
    };
    const Case cases[] = {
        {0, 0, 1},
        {0, -5, 1},
        {0, 100, 1},
        {0, 101, 2},
        {0, 3500, 35},
        {1000, 3500, 35},
        {0xFFFFFFFFu - 250, 3500, 35},  // wraps after 251 ms
        {0xFFFFFFFFu, 150, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.startTick) + " + " + std::to_string(c.milliseconds));
        TestProgram t("C:\\windows\\system32", c.startTick);
        DelayWithEvents(t.program, c.milliseconds);
        EXPECT_EQ(t.clock.Sleeps(), std::vector<std::uint32_t>(c.sleeps, 100));
    }
}

TEST(DelayWithEvents, HandlesEveryPendingMessageBeforeEachSleep) {
    TestProgram t;
    std::vector<std::string> handled;
    t.loop.QueueMessage([&] { handled.push_back("paint"); });  // not input: PumpEvents skips it
    int sleeps = 0;
    t.clock.onSleep = [&] {
        ++sleeps;
        t.loop.QueueMessage(
            [&, n = sleeps] { handled.push_back("after sleep " + std::to_string(n)); });
    };
    DelayWithEvents(t.program, 300);
    EXPECT_EQ(handled, (std::vector<std::string>{"paint", "after sleep 1", "after sleep 2"}));
    EXPECT_EQ(t.loop.PendingCount(), 1u);  // queued during the last sleep, after the last round
    EXPECT_EQ(t.loop.PumpCount(), 0u);
}

}  // namespace
}  // namespace netquill
