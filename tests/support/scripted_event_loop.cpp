#include "support/scripted_event_loop.h"

#include <algorithm>
#include <utility>

namespace netquill {

void ScriptedEventLoop::QueueUserAction(std::function<void()> action) {
    queue_.push_back({std::move(action), true});
}

void ScriptedEventLoop::QueueMessage(std::function<void()> action) {
    queue_.push_back({std::move(action), false});
}

bool ScriptedEventLoop::InputWaiting() {
    ++pumpCount_;
    return std::ranges::any_of(queue_, &Message::isInput);
}

void ScriptedEventLoop::DispatchPending() {
    ++dispatchCount_;
    while (!queue_.empty()) {
        const std::function<void()> action = std::move(queue_.front().action);
        queue_.pop_front();
        if (action) {
            action();
        }
    }
}

void ScriptedEventLoop::EndProcess(int exitCode) {
    throw ProgramEnded{exitCode};
}

}  // namespace netquill
