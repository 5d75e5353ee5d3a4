// What every handler works on: the shared state, the main window's controls and the ports.
// One instance lives for the whole run; handlers take it by reference.
#pragma once

#include <cstdint>
#include <span>

#include "core/adapter_info_source.h"
#include "core/clock.h"
#include "core/event_loop.h"
#include "core/process_runner.h"
#include "core/shared_state.h"
#include "core/system_files.h"
#include "core/user_messages.h"
#include "registry/registry_access.h"
#include "ui/main_window.h"

namespace netquill {

struct Program {
    SharedState& state;
    MainWindow& mainWindow;
    RegistryAccess& registry;
    const AdapterInfoSource& adapterInfo;
    EventLoop& loop;
    ProcessRunner& processes;
    SystemFiles& files;
    Clock& clock;
    UserMessages& messages;
    // The device console tool the program places in the system directory; without one (tests,
    // platforms that have no such tool) nothing is placed.
    std::span<const std::uint8_t> deviceConsoleImage = {};
};

}  // namespace netquill
