#include "platform/win32/real_process_runner.h"

#include <windows.h>

#include <string>

#include "platform/win32/wide_text.h"

namespace netquill {

bool RealProcessRunner::Run(std::string_view commandLine, ProcessWait wait) {
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::wstring line = ToWide(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    if (wait == ProcessWait::kUntilEnded) {
        WaitForSingleObject(process.hProcess, INFINITE);
    } else {
        // A console program has no message queue; the wait then ends at once.
        WaitForInputIdle(process.hProcess, 1000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace netquill
