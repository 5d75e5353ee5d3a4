#include "ui/startup.h"

#include "adapters/adapter_scan.h"
#include "apply/adapter_restart.h"
#include "cafe/cafe_config.h"

namespace netquill {

StartupSteps StandardStartupSteps() {
    StartupSteps steps;
    steps.loadCafeConfig = LoadCafeConfig;
    steps.ensureDeviceConsoleTool = [](Program& program) {
        EnsureDeviceConsoleTool(program, program.deviceConsoleImage);
    };
    return steps;
}

void RunStartup(Program& program, const StartupSteps& steps) {
    program.state.registryBasePaths = StandardRegistryBasePaths();
    if (steps.loadCafeConfig) {
        program.state.cafeConfigLoaded = steps.loadCafeConfig(program);
    }
    PumpEvents(program.loop);
    if (steps.ensureDeviceConsoleTool) {
        steps.ensureDeviceConsoleTool(program);
    }
    ScanAdapters(program);
}

}  // namespace netquill
