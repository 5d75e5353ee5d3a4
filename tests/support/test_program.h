// A whole program on test backends: in-memory registry that logs changes, fixed adapter list,
// scripted event loop, recording process runner, in-memory files, fake clock, recorded messages.
#pragma once

#include <cstdint>
#include <string>

#include "core/memory_environment.h"
#include "core/memory_system_files.h"
#include "core/recording_process_runner.h"
#include "registry/registry_access.h"
#include "support/fake_clock.h"
#include "support/observed_registry_store.h"
#include "support/recording_user_messages.h"
#include "support/scripted_event_loop.h"
#include "ui/program.h"

namespace netquill {

struct TestProgram {
    // The system directory as the files report it, and where the clock starts.
    explicit TestProgram(std::string systemDirectory = "C:\\windows\\system32",
                         std::uint32_t startTick = 0)
        : files(std::move(systemDirectory), "C:\\netquill"), clock(startTick) {}

    ObservedRegistryStore store;
    MemoryEnvironment environment;
    RegistryAccess registry{store, environment};
    FixedAdapterInfoSource adapterInfo;
    ScriptedEventLoop loop;
    SharedState state;
    MainWindow window;
    RecordingProcessRunner processes;
    MemorySystemFiles files;
    FakeClock clock;
    RecordingUserMessages messages;
    Program program{state, window, registry, adapterInfo, loop, processes, files, clock, messages};
};

}  // namespace netquill
