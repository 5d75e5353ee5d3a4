#include "support/scripted_event_loop.h"

#include <algorithm>
#include <utility>

namespace netquill {

void ScriptedEventLoop::QueueUserAction(std::function<void()> action) {
    queue_.push_back({std::move(action), true});
}

void ScriptedEventLoop::QueueUserActionAtPump(std::size_t pump, std::function<void()> action) {
    scheduled_.push_back({pump, std::move(action)});
}

void ScriptedEventLoop::QueueMessage(std::function<void()> action) {
    queue_.push_back({std::move(action), false});
}

bool ScriptedEventLoop::InputWaiting() {
    ++pumpCount_;
    for (auto it = scheduled_.begin(); it != scheduled_.end();) {
        if (it->pump <= pumpCount_) {
            QueueUserAction(std::move(it->action));
            it = scheduled_.erase(it);
        } else {
            ++it;
        }
    }
    return std::ranges::any_of(queue_, &Message::isInput);
}

void ScriptedEventLoop::DispatchPending() {
    ++dispatchCount_;
    while (DispatchNext()) {
    }
}

bool ScriptedEventLoop::DispatchNext() {
    if (queue_.empty()) {
        return false;
    }
    const std::function<void()> action = std::move(queue_.front().action);
    queue_.pop_front();
    if (action) {
        action();
    }
    return true;
}

void ScriptedEventLoop::EndProcess(int exitCode) {
    throw ProgramEnded{exitCode};
}

}  // namespace netquill
