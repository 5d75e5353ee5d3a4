// The windowing system for tests: keeps track of the windows shown over the main window and of
// the active one, runs a modal window's message loop on the scripted event loop, and shows
// message boxes as the system does: each is recorded, and takes the activation away from the
// active window while it is up.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "core/user_messages.h"
#include "support/recording_user_messages.h"
#include "support/scripted_event_loop.h"
#include "ui/window_host.h"

namespace netquill {

class ScriptedDesktop final : public WindowHost, public UserMessages {
  public:
    explicit ScriptedDesktop(ScriptedEventLoop& loop) : loop_(loop) {}

    // Handles the queued messages one by one until `window` is closed. A window still open when
    // nothing is left to handle fails the test and is closed, so that the test ends.
    void RunModal(DialogWindow& window, const std::function<void()>& created) override;
    void ShowModeless(DialogWindow& window) override;
    void Remove(DialogWindow& window) override;
    void Activate(DialogWindow& window) override;

    // Recorded; the active window loses the activation, and gets it back afterwards when nothing
    // else took it and it is still on the screen.
    void ShowMessage(std::string_view title, std::string_view text, MessageIcon icon) override;

    // Another program takes the activation.
    void ActivateElsewhere();

    // Runs once a modal window is on the screen and its creation handler has run, before its
    // loop handles anything: where a test queues what the user does in that window.
    std::function<void(DialogWindow&)> onModalShown;

    DialogWindow* Active() const { return active_; }
    // The windows on the screen, in the order they were shown.
    const std::vector<DialogWindow*>& Shown() const { return shown_; }
    bool MainWindowTakesInput() const { return modal_.empty(); }
    const std::vector<ShownMessage>& Messages() const { return messages_; }

  private:
    bool IsShown(const DialogWindow* window) const;
    // The window that loses the activation is told after the activation has moved on.
    void MoveActivation(DialogWindow* to);

    ScriptedEventLoop& loop_;
    std::vector<DialogWindow*> shown_;
    std::vector<DialogWindow*> modal_;
    DialogWindow* active_ = nullptr;
    std::vector<ShownMessage> messages_;
};

}  // namespace netquill
