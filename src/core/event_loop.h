// Port to the GUI thread's message loop. Long operations pump it between their steps so that
// the window stays responsive and other handlers can run in the middle of them.
#pragma once

#include <cstdlib>

namespace netquill {

class EventLoop {
  public:
    virtual ~EventLoop() = default;

    // True when mouse-button or keyboard input waits in the thread's queue.
    virtual bool InputWaiting() = 0;

    // Handles every pending message, without waiting for new ones. Handlers run inside this
    // call and may pump again.
    virtual void DispatchPending() = 0;

    // Runs the program's clean-up and ends the process with `exitCode`. Never returns, also
    // when called from a handler deep inside a long operation. Not virtual, so that callers
    // may themselves be [[noreturn]]: the compiler cannot see that a virtual call never returns.
    [[noreturn]] void EndProgram(int exitCode) {
        EndProcess(exitCode);
        std::abort();  // a backend that came back broke its contract; running on would be worse
    }

  protected:
    // Must not return: ends the process (or, in tests, throws).
    virtual void EndProcess(int exitCode) = 0;
};

// Handles all pending messages when input is waiting; otherwise returns at once, handling
// nothing, not even pending paint messages. Costs one query when nothing waits, so callers
// may pump once per item of a loop.
void PumpEvents(EventLoop& loop);

}  // namespace netquill
