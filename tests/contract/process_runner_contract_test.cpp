// The real process runner under Windows: what it reports, and that a waited run has ended when
// it returns. (Elsewhere the program only records command lines; there is nothing to run.)
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/win32/real_process_runner.h"
#include "platform/win32/wide_text.h"

namespace netquill {
namespace {

std::string TempFile(const char* name) {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    return FromWide(temp) + name + std::to_string(GetCurrentProcessId()) + ".txt";
}

TEST(RealProcessRunner, AWaitedRunHasEndedWhenItReturns) {
    const std::string marker = TempFile("netquill-run-");
    DeleteFileW(ToWide(marker).c_str());
    RealProcessRunner runner;
    // The file appears only at the end of the command, after the pause.
    ASSERT_TRUE(runner.Run("cmd /c ping -n 2 127.0.0.1 >nul & echo done>\"" + marker + "\"",
                           ProcessWait::kUntilEnded));
    EXPECT_NE(GetFileAttributesW(ToWide(marker).c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileW(ToWide(marker).c_str());
}

TEST(RealProcessRunner, ReportsWhetherTheProcessStarted) {
    RealProcessRunner runner;
    EXPECT_TRUE(runner.Run("cmd /c exit 3", ProcessWait::kUntilInputIdle));
    EXPECT_TRUE(runner.Run("cmd /c exit 3", ProcessWait::kUntilEnded));
    EXPECT_FALSE(runner.Run("netquill-no-such-program.exe", ProcessWait::kUntilEnded));
    EXPECT_FALSE(runner.Run("", ProcessWait::kUntilInputIdle));
}

}  // namespace
}  // namespace netquill
