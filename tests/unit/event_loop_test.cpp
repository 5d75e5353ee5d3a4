#include "core/event_loop.h"

#include <gtest/gtest.h>

#include <string>

#include "support/scripted_event_loop.h"
#include "ui/main_window.h"

namespace netquill {
namespace {

TEST(PumpEvents, HandlesNothingWhenNoInputIsWaiting) {
    ScriptedEventLoop loop;
    std::string handled;
    loop.QueueMessage([&] { handled += "paint "; });

    PumpEvents(loop);

    EXPECT_EQ(handled, "");
    EXPECT_EQ(loop.PumpCount(), 1u);
    EXPECT_EQ(loop.DispatchCount(), 0u);
    EXPECT_EQ(loop.PendingCount(), 1u);
}

TEST(PumpEvents, HandlesEveryPendingMessageWhenInputIsWaiting) {
    ScriptedEventLoop loop;
    std::string handled;
    loop.QueueMessage([&] { handled += "paint "; });
    loop.QueueUserAction([&] { handled += "click "; });
    loop.QueueUserAction([&] {
        handled += "key ";
        loop.QueueMessage([&] { handled += "posted "; });
    });

    PumpEvents(loop);
    PumpEvents(loop);

    EXPECT_EQ(handled, "paint click key posted ");
    EXPECT_EQ(loop.PumpCount(), 2u);
    EXPECT_EQ(loop.DispatchCount(), 1u);
    EXPECT_EQ(loop.PendingCount(), 0u);
}

// The exit button stays enabled while a long operation runs, and ends the program from inside
// one of the operation's pumps: nothing after that pump runs.
TEST(PumpEvents, ExitButtonEndsTheProgramInTheMiddleOfALongOperation) {
    ScriptedEventLoop loop;
    MainWindow window;
    window.退出按钮.onClick = [&] { loop.EndProgram(0); };
    window.SetCommandButtonsDisabled(true);

    int stepsDone = 0;
    const auto longOperation = [&] {
        for (int step = 0; step < 5; ++step) {
            ++stepsDone;
            if (step == 1) {
                loop.QueueUserAction([&] { window.退出按钮.Click(); });
            }
            PumpEvents(loop);
        }
    };

    try {
        longOperation();
        FAIL() << "the program did not end";
    } catch (const ProgramEnded& ended) {
        EXPECT_EQ(ended.exitCode, 0);
    }
    EXPECT_EQ(stepsDone, 2);
    EXPECT_EQ(loop.PumpCount(), 2u);
}

}  // namespace
}  // namespace netquill
