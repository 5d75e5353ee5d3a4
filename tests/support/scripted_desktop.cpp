#include "support/scripted_desktop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

namespace netquill {

void ScriptedDesktop::RunModal(DialogWindow& window, const std::function<void()>& created) {
    shown_.push_back(&window);
    modal_.push_back(&window);
    MoveActivation(&window);
    created();
    if (window.IsOpen() && onModalShown) {
        onModalShown(window);
    }
    while (window.IsOpen()) {
        if (!loop_.DispatchNext()) {
            ADD_FAILURE() << "the modal window " << window.Caption()
                          << " is still open with nothing left to handle";
            window.Close();
        }
    }
    std::erase(shown_, &window);
    std::erase(modal_, &window);
    // The main window takes the activation back.
    active_ = modal_.empty() ? nullptr : modal_.back();
}

void ScriptedDesktop::ShowModeless(DialogWindow& window) {
    shown_.push_back(&window);
    MoveActivation(&window);
}

void ScriptedDesktop::Remove(DialogWindow& window) {
    std::erase(shown_, &window);
    if (active_ == &window) {
        // The system activates the window below, without telling anyone it lost anything.
        active_ = shown_.empty() ? nullptr : shown_.back();
    }
}

void ScriptedDesktop::Activate(DialogWindow& window) {
    if (active_ != &window) {
        MoveActivation(&window);
    }
}

void ScriptedDesktop::ShowMessage(std::string_view title, std::string_view text, MessageIcon icon) {
    messages_.push_back({std::string(title), std::string(text), icon});
    DialogWindow* const before = active_;
    MoveActivation(nullptr);
    if (active_ == nullptr && IsShown(before)) {
        active_ = before;
    }
}

void ScriptedDesktop::ActivateElsewhere() {
    MoveActivation(nullptr);
}

bool ScriptedDesktop::IsShown(const DialogWindow* window) const {
    return window != nullptr && std::ranges::find(shown_, window) != shown_.end();
}

void ScriptedDesktop::MoveActivation(DialogWindow* to) {
    DialogWindow* const from = std::exchange(active_, to);
    if (from != nullptr && from != to && IsShown(from)) {
        from->LoseActivation();
    }
}

}  // namespace netquill
