// The main window's own handlers and the binding of its control events to operations.
#pragma once

#include "ui/program.h"

namespace netquill {

// Disables the command buttons, shows the local-connection page and rescans; the scan enables
// the buttons again.
void RefreshAdapters(Program& program);

// Ends the program at once, also in the middle of a scan.
void ExitProgram(Program& program);

// Connects the main window's events to the operations they run.
void BindMainWindowEvents(Program& program);

}  // namespace netquill
