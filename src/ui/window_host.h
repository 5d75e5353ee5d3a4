// Port to the windowing system for the windows that open over the main window. The Win32 backend
// creates the native window and its controls from the window's layout, keeps them in step with
// the model and turns the user's input into the model's events; the test backend keeps track of
// which window is shown and which is active, and runs the scripted user actions.
//
// Error contract: nothing is reported. A window whose native counterpart cannot be created is
// closed at once (DialogWindow::Close), so every caller sees it end as if the user had closed it.
#pragma once

#include <functional>

#include "ui/dialog_window.h"

namespace netquill {

class WindowHost {
  public:
    virtual ~WindowHost() = default;

    // Shows `window` modal over the main window: from now on the main window takes no input.
    // Runs `created`, the window's creation handler, then handles messages until the window is
    // closed, and returns when the window is gone and the main window takes input again.
    virtual void RunModal(DialogWindow& window, const std::function<void()>& created) = 0;

    // Shows `window` modeless (the other windows keep taking input), makes it the active window
    // and returns at once. It stays on the screen until Remove, also when it is closed.
    virtual void ShowModeless(DialogWindow& window) = 0;

    // Takes a window shown by ShowModeless off the screen. Safe to call from the window's own
    // event handlers; the model stays alive as long as its owner keeps it.
    virtual void Remove(DialogWindow& window) = 0;

    // Makes `window` the active window. The window that had the activation loses it
    // (DialogWindow::LoseActivation); nothing happens when `window` is already active.
    virtual void Activate(DialogWindow& window) = 0;
};

}  // namespace netquill
