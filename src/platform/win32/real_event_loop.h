// The GUI thread's message loop behind the EventLoop port.
#pragma once

#include <windows.h>

#include <functional>

#include "core/event_loop.h"

namespace netquill {

class RealEventLoop final : public EventLoop {
  public:
    // Runs before pending messages are handled and before the loop waits for new ones: the
    // windows' peers push the program's changes to the native controls there, so that what is
    // painted and what the user acts on is the model's state.
    void SetBeforeDispatch(std::function<void()> beforeDispatch);
    // Runs at every pump, input or not: the peers show the program's latest state there (texts
    // and a repaint, no queued message handled), so a status set before a blocking step shows.
    void SetOnPump(std::function<void()> onPump);
    // Sees every message before it is translated and dispatched; true when it handled it.
    void SetMessageFilter(std::function<bool(MSG&)> filter);
    // Runs once when the program ends, before the process exits.
    void SetCleanup(std::function<void()> cleanup);

    // GetInputState: mouse-button or keyboard input waits in the thread's queue.
    bool InputWaiting() override;
    // Handles every pending message without waiting. A WM_QUIT found here ends the program.
    void DispatchPending() override;

    // Runs the message loop until WM_QUIT; returns its exit code.
    int Run();

    // Waits for one message and handles it, with the same preparation as Run; WM_QUIT ends the
    // program. The loop of a modal window calls it until the window closes.
    void DispatchNextWaiting();

  protected:
    // The clean-up, then ExitProcess.
    void EndProcess(int exitCode) override;

  private:
    void Handle(MSG& message);

    std::function<void()> beforeDispatch_;
    std::function<void()> onPump_;
    std::function<bool(MSG&)> filter_;
    std::function<void()> cleanup_;
};

}  // namespace netquill
