// What the main window's creation handler does, in order: fix the registry base paths, load the
// café template, let waiting input through, make sure the device console tool is in place, and
// scan the adapters.
#pragma once

#include <functional>

#include "ui/program.h"

namespace netquill {

// The start-up steps that belong to other modules. An empty step is skipped.
struct StartupSteps {
    // Fills the café page from ipset.ini, or with the built-in defaults; true when the file
    // exists. Its result becomes SharedState::cafeConfigLoaded.
    std::function<bool(Program&)> loadCafeConfig;
    // Writes devcon.exe into the system directory when it is missing (and then pumps).
    std::function<void(Program&)> ensureDeviceConsoleTool;
};

// The steps the program runs. The café template and device console modules are wired in here,
// in one place, as they land; until then the corresponding step is empty.
StartupSteps StandardStartupSteps();

// The creation handler of the main window. Runs once, after the window and its controls exist.
void RunStartup(Program& program, const StartupSteps& steps);

}  // namespace netquill
