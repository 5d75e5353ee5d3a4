// Placing the device console tool and the runs that restart the adapters.
#include "apply/adapter_restart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_program.h"
#include "ui/startup.h"

namespace netquill {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kImage = {'M', 'Z', 0x90, 0x00, 0x03, 0x00, 0xFF, 0x0D, 0x0A, 0x1A};

TEST(DeviceConsoleToolPath, AddsOneBackslashOnlyWhenMissing) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\WINDOWS\\system32", "C:\\WINDOWS\\system32\\devcon.exe"},
        {"C:\\WINDOWS\\system32\\", "C:\\WINDOWS\\system32\\devcon.exe"},
        {"C:\\", "C:\\devcon.exe"},
        {"", "devcon.exe"},
        // 81 5C is one double-byte character whose trail byte happens to be a backslash.
        {"C:\\\x81\x5C", "C:\\\x81\x5C\\devcon.exe"},
    };
    for (const auto& [directory, path] : cases) {
        EXPECT_EQ(DeviceConsoleToolPath(directory), path) << directory;
    }
}

TEST(EnsureDeviceConsoleTool, WritesTheWholeImageWhenMissingAndPumps) {
    for (const std::string directory : {"C:\\windows\\system32", "C:\\windows\\system32\\"}) {
        SCOPED_TRACE(directory);
        TestProgram t(directory);
        EnsureDeviceConsoleTool(t.program, kImage);
        EXPECT_EQ(t.files.ReadWholeFile("C:\\windows\\system32\\devcon.exe"), kImage);
        EXPECT_EQ(t.files.List("C:\\windows\\system32"), std::vector<std::string>{"devcon.exe"});
        EXPECT_EQ(t.loop.PumpCount(), 1u);
    }
}

TEST(EnsureDeviceConsoleTool, NeverReplacesAnExistingEntry) {
    TestProgram t;
    const std::string path = "C:\\windows\\system32\\devcon.exe";
    EnsureDeviceConsoleTool(t.program, kImage);
    EnsureDeviceConsoleTool(t.program, Bytes{'o', 't', 'h', 'e', 'r'});
    EXPECT_EQ(t.files.ReadWholeFile(path), kImage);

    TestProgram other;
    const Bytes foreign = {'o', 'l', 'd'};
    ASSERT_TRUE(other.files.WriteWholeFile("C:\\WINDOWS\\SYSTEM32\\DEVCON.EXE", foreign));
    EnsureDeviceConsoleTool(other.program, kImage);
    EXPECT_EQ(other.files.ReadWholeFile(path), foreign);
    EXPECT_EQ(other.loop.PumpCount(), 0u);

    TestProgram directory;
    directory.files.AddDirectory(path);
    EnsureDeviceConsoleTool(directory.program, kImage);
    EXPECT_TRUE(directory.files.Exists(path));
    EXPECT_EQ(directory.files.ReadWholeFile(path), std::nullopt);
}

TEST(EnsureDeviceConsoleTool, GoesToTheCurrentDirectoryWithoutASystemDirectory) {
    TestProgram t("");
    EnsureDeviceConsoleTool(t.program, kImage);
    EXPECT_EQ(t.files.ReadWholeFile("devcon.exe"), kImage);
}

TEST(EnsureDeviceConsoleTool, LeavesNothingWhenItCannotWriteOrHasNoImage) {
    TestProgram t;
    t.files.SetWritable(false);
    EnsureDeviceConsoleTool(t.program, kImage);
    EXPECT_TRUE(t.files.List("C:\\windows\\system32").empty());
    t.files.SetWritable(true);
    EnsureDeviceConsoleTool(t.program, Bytes{});
    EXPECT_TRUE(t.files.List("C:\\windows\\system32").empty());
    EnsureDeviceConsoleTool(t.program, kImage);  // a later start with an image still places it
    EXPECT_EQ(t.files.ReadWholeFile("C:\\windows\\system32\\devcon.exe"), kImage);
}

TEST(EnsureDeviceConsoleTool, StartUpPlacesTheProgramsImageBeforeTheScan) {
    TestProgram t;
    t.program.deviceConsoleImage = kImage;
    RunStartup(t.program, StandardStartupSteps());
    EXPECT_EQ(t.files.ReadWholeFile("C:\\windows\\system32\\devcon.exe"), kImage);

    TestProgram withoutImage;
    RunStartup(withoutImage.program, StandardStartupSteps());
    EXPECT_FALSE(withoutImage.files.Exists("C:\\windows\\system32\\devcon.exe"));
}

TEST(RestartAdapters, RunsFourLinesByteForByteAndWaitsOnlyForTheAdaptersOwn) {
    const std::string ids[] = {
        "PCI\\VEN_8086&DEV_100E&SUBSYS_001E8086&REV_02",
        "pci\\ven_10ec&dev_8139",
        "",
        "ROOT\\*ISATAP\\0000 (x)^|<>!",
        "\xCD\xF8\xBF\xA8\\1",  // double-byte text passes unchanged
    };
    for (const std::string& id : ids) {
        SCOPED_TRACE(id);
        TestProgram t;
        RestartAdapters(t.program, id);
        const std::vector<RecordedRun> expected = {
            {"cmd /c devcon disable =net pci*", ProcessWait::kUntilInputIdle},
            {"cmd /c devcon disable \"" + id + "\"", ProcessWait::kUntilEnded},
            {"cmd /c devcon enable =net pci*", ProcessWait::kUntilInputIdle},
            {"cmd /c devcon enable \"" + id + "\"", ProcessWait::kUntilEnded},
        };
        EXPECT_EQ(t.processes.Runs(), expected);
        EXPECT_EQ(t.loop.PumpCount(), 4u);
    }
}

TEST(RestartAdapters, AnIdThatWouldBreakTheQuotesRunsOnlyTheClassWideLines) {
    const std::string ids[] = {
        "PCI\\VEN_8086\" & del x & \"", "PCI\\%PATH%", "100%", "PCI\\VEN\r\nX",
        std::string("PCI\\\0X", 6),
    };
    for (const std::string& id : ids) {
        SCOPED_TRACE(id);
        TestProgram t;
        RestartAdapters(t.program, id);
        const std::vector<RecordedRun> expected = {
            {"cmd /c devcon disable =net pci*", ProcessWait::kUntilInputIdle},
            {"cmd /c devcon enable =net pci*", ProcessWait::kUntilInputIdle},
        };
        EXPECT_EQ(t.processes.Runs(), expected);
    }
}

TEST(RestartAdapters, ARunThatCannotStartDoesNotStopTheOthers) {
    TestProgram t;
    t.processes.SetStartable(false);
    EXPECT_FALSE(RunCommandLine(t.processes, "cmd /c exit", true));
    RestartAdapters(t.program, "PCI\\X");
    EXPECT_EQ(t.processes.Runs().size(), 5u);
}

}  // namespace
}  // namespace netquill
