// What the handlers of the advanced window and of its entry dialog work on while the window is
// open: the program, the window host, the window, and the entry dialog when one is open.
#pragma once

#include <memory>
#include <vector>

#include "ui/advanced_window.h"
#include "ui/entry_dialog.h"
#include "ui/program.h"
#include "ui/window_host.h"

namespace netquill {

struct AdvancedSession {
    Program& program;
    WindowHost& host;
    AdvancedWindow& window;
    // The open entry dialog, or nullptr.
    EntryDialog* entryDialog = nullptr;
    // Every entry dialog made while the window is open, kept until the session ends: a dialog's
    // handler may close its dialog and let events through that open the next one, so no dialog
    // is freed while one of its handlers could still be running.
    std::vector<std::unique_ptr<EntryDialog>> dialogs{};
};

}  // namespace netquill
