// The main window's creation handler: its steps run in order, each sees what the one before it
// left, and input waiting in between is handled before the device console step.
#include "ui/startup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adapters/adapter_scan.h"
#include "support/adapter_seed.h"
#include "support/test_program.h"
#include "ui/main_window_handlers.h"

namespace netquill {
namespace {

class StartupTest : public ::testing::Test, protected TestProgram {
  protected:
    StartupTest() { BindMainWindowEvents(program); }

    // One running Ethernet adapter, stored where the standard base paths point.
    void AddAdapter(const std::string& description) {
        SeedAdapter(registry, AdapterSeed(description, "{A}"));
    }

    std::vector<std::string> log;
};

TEST_F(StartupTest, RunsItsStepsInOrderAndEndsWithTheScan) {
    AddAdapter("Card A");
    StartupSteps steps;
    steps.loadCafeConfig = [&](Program& p) {
        // The base paths are fixed before anything else runs.
        EXPECT_EQ(p.state.registryBasePaths.classKey, StandardRegistryBasePaths().classKey);
        log.push_back("cafe");
        loop.QueueUserAction([&] { log.push_back("input"); });
        return true;
    };
    steps.ensureDeviceConsoleTool = [&](Program& p) {
        EXPECT_TRUE(p.state.cafeConfigLoaded);
        EXPECT_EQ(p.mainWindow.网卡选择框.ItemCount(), 0);  // the scan has not run yet
        log.push_back("devcon");
    };

    RunStartup(program, steps);

    EXPECT_EQ(log, (std::vector<std::string>{"cafe", "input", "devcon"}));
    EXPECT_TRUE(state.cafeConfigLoaded);
    const RegistryBasePaths expected = StandardRegistryBasePaths();
    EXPECT_EQ(state.registryBasePaths.classKey, expected.classKey);
    EXPECT_EQ(state.registryBasePaths.networkKey, expected.networkKey);
    EXPECT_EQ(state.registryBasePaths.interfacesKey, expected.interfacesKey);
    EXPECT_EQ(window.网卡选择框.Items(), (std::vector<std::string>{"Card A"}));
    EXPECT_EQ(state.selectedAdapter, 1);
}

TEST_F(StartupTest, CafeResultIsStoredAndEmptyStepsAreSkipped) {
    for (const bool fileExists : {false, true}) {
        StartupSteps steps;
        steps.loadCafeConfig = [&](Program&) { return fileExists; };
        RunStartup(program, steps);
        EXPECT_EQ(state.cafeConfigLoaded, fileExists);
    }

    state.cafeConfigLoaded = false;
    RunStartup(program, StartupSteps{});
    EXPECT_FALSE(state.cafeConfigLoaded);
    EXPECT_EQ(window.网卡选择框.Items(), (std::vector<std::string>{std::string(kNoAdapterFound)}));
    EXPECT_EQ(state.selectedAdapter, 0);
}

TEST_F(StartupTest, ExitDuringStartupEndsBeforeTheScan) {
    AddAdapter("Card A");
    StartupSteps steps;
    steps.loadCafeConfig = [&](Program&) {
        loop.QueueUserAction([&] { window.退出按钮.Click(); });
        return false;
    };
    steps.ensureDeviceConsoleTool = [&](Program&) { log.push_back("devcon"); };

    try {
        RunStartup(program, steps);
        FAIL() << "the exit button did not end the program";
    } catch (const ProgramEnded& ended) {
        EXPECT_EQ(ended.exitCode, 0);
    }
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(window.网卡选择框.ItemCount(), 0);
}

}  // namespace
}  // namespace netquill
