// Event loop for tests: a queue of scripted messages stands in for the thread's message queue.
// User actions count as mouse or keyboard input; other messages (paint and the like) do not,
// so a pump that finds only them handles nothing.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <vector>

#include "core/event_loop.h"

namespace netquill {

// Thrown when the program ends (EventLoop::EndProgram), so a test sees where the program ended and
// that nothing after that point ran.
struct ProgramEnded {
    int exitCode = 0;
};

class ScriptedEventLoop final : public EventLoop {
  public:
    // Queues a user action (a click, a selection, a key): input that a pump will find waiting.
    void QueueUserAction(std::function<void()> action);

    // Queues a user action that arrives just before pump number `pump` (counting from 1) asks
    // for input, so a test can act at a chosen point in the middle of a long operation.
    void QueueUserActionAtPump(std::size_t pump, std::function<void()> action);

    // Queues a message that is not input; it is handled only together with input.
    void QueueMessage(std::function<void()> action);

    // Every pump asks once whether input waits, so this counts the pumps.
    bool InputWaiting() override;

    // Runs queued messages in order until the queue is empty, including messages queued while
    // it runs. A message is taken off the queue before it runs, so a handler that pumps again
    // handles the rest of the queue itself, as a nested message loop does.
    void DispatchPending() override;

    // Handles the first queued message, as one turn of a modal window's own message loop does.
    // Returns false when nothing was queued.
    bool DispatchNext();

    std::size_t PumpCount() const { return pumpCount_; }
    std::size_t DispatchCount() const { return dispatchCount_; }
    std::size_t PendingCount() const { return queue_.size(); }

  protected:
    // Throws ProgramEnded.
    void EndProcess(int exitCode) override;

  private:
    struct Message {
        std::function<void()> action;
        bool isInput = false;
    };

    struct Scheduled {
        std::size_t pump = 0;
        std::function<void()> action;
    };

    std::deque<Message> queue_;
    std::vector<Scheduled> scheduled_;
    std::size_t pumpCount_ = 0;
    std::size_t dispatchCount_ = 0;
};

}  // namespace netquill
