// What every handler works on: the shared state, the main window's controls and the ports.
// One instance lives for the whole run; handlers take it by reference.
#pragma once

#include "core/adapter_info_source.h"
#include "core/event_loop.h"
#include "core/shared_state.h"
#include "registry/registry_access.h"
#include "ui/main_window.h"

namespace netquill {

struct Program {
    SharedState& state;
    MainWindow& mainWindow;
    RegistryAccess& registry;
    const AdapterInfoSource& adapterInfo;
    EventLoop& loop;
};

}  // namespace netquill
