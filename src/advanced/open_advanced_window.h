// The main window's 高级 button: opens the advanced settings window over the main window.
#pragma once

#include "ui/program.h"
#include "ui/window_host.h"

namespace netquill {

// Takes the main window's five address fields into the editing lists, then shows a new
// AdvancedWindow modally, filled from the editing state, and returns when it has closed. Only
// the window's OK changes the editing state and the main window's fields.
void OpenAdvancedWindow(Program& program, WindowHost& host);

// Binds 高级按钮 to OpenAdvancedWindow with `host`, which must outlive the main window.
void BindAdvancedButton(Program& program, WindowHost& host);

}  // namespace netquill
