// Port to process creation: starts a command line with its window hidden and waits for it as the
// caller asks. Used to run the device console tool through the command interpreter.
//
// Error contract: nothing throws. Run reports only whether the process could be started; what
// the process did and its exit code are not the caller's concern.
#pragma once

#include <string_view>

namespace netquill {

enum class ProcessWait {
    kUntilEnded,      // block until the process has ended, however long that takes
    kUntilInputIdle,  // wait at most one second for the process to become idle waiting for input
};

class ProcessRunner {
  public:
    virtual ~ProcessRunner() = default;

    // Starts `commandLine` (code page 936; the program name is its first word, found as the
    // system finds it) with no inherited handles, the program's own environment and current
    // directory, and its window hidden. Returns false at once when it cannot be started.
    virtual bool Run(std::string_view commandLine, ProcessWait wait) = 0;
};

}  // namespace netquill
