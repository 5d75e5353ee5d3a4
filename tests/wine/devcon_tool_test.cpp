// devcon.exe itself, run through the command interpreter with exactly the command lines the
// program uses, and with the id forms and mistakes it must survive. devcon.exe sits beside this
// test program, which runs it from there.
//
// Under Wine the Net class is empty and changing a device's state always fails, so the runs
// either find nothing or report a failure; on Windows only ids of no real vendor are used, so
// no device of the machine is touched.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "apply/adapter_restart.h"
#include "core/text.h"
#include "devcon/device_console_image.h"
#include "platform/win32/real_system_files.h"
#include "platform/win32/wide_text.h"

namespace netquill {
namespace {

std::wstring OwnDirectory() {
    wchar_t path[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
    std::wstring directory(path, length);
    return directory.substr(0, directory.find_last_of(L'\\'));
}

std::wstring TempPath(const wchar_t* name) {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    return std::wstring(temp) + name + std::to_wstring(GetCurrentProcessId()) + L".txt";
}

std::string ReadAndDelete(const std::wstring& path) {
    std::string text;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
            text.append(buffer, read);
        }
        CloseHandle(file);
    }
    DeleteFileW(path.c_str());
    return text;
}

HANDLE InheritableFile(const std::wstring& path) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

struct Captured {
    DWORD exitCode = 0;
    std::vector<std::string> lines;  // standard output, without line ends
    std::string errors;
};

// Runs `commandLine` in this program's directory with its output in files, and waits for it.
Captured RunCaptured(const std::string& commandLine) {
    const std::wstring outPath = TempPath(L"netquill-devcon-out-");
    const std::wstring errPath = TempPath(L"netquill-devcon-err-");
    const HANDLE out = InheritableFile(outPath);
    const HANDLE err = InheritableFile(errPath);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    std::wstring line = ToWide(commandLine);
    const std::wstring directory = OwnDirectory();
    PROCESS_INFORMATION process{};
    Captured captured;
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, directory.c_str(),
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &captured.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        captured.exitCode = 0xFFFFFFFF;
    }
    CloseHandle(out);
    CloseHandle(err);
    captured.lines = SplitItems(ReadAndDelete(outPath), "\r\n");
    captured.errors = ReadAndDelete(errPath);
    return captured;
}

// The tool's own rules: each device line ends in a status, the last line sums up, and the exit
// code is 2 exactly when a change failed.
void ExpectWellFormed(const Captured& run, const char* action) {
    ASSERT_FALSE(run.lines.empty()) << run.errors;
    const std::string last = run.lines.back();
    if (last == "No matching devices found.") {
        EXPECT_EQ(run.lines.size(), 1u);
        EXPECT_EQ(run.exitCode, 0u);
        return;
    }
    bool failed = false;
    for (std::size_t i = 0; i + 1 < run.lines.size(); ++i) {
        const std::string& line = run.lines[i];
        ASSERT_GE(line.size(), 62u) << line;
        EXPECT_NE(line.find(": "), std::string::npos) << line;
        failed = failed || line.ends_with(" failed");
    }
    EXPECT_NE(last.find(std::string(" device(s) ") + action), std::string::npos) << last;
    EXPECT_EQ(run.exitCode, failed ? 2u : 0u);
}

TEST(DeviceConsoleTool, TheEmbeddedImageIsTheBuiltTool) {
    const std::span<const std::uint8_t> image = DeviceConsoleImage();
    const auto file = RealSystemFiles().ReadWholeFile(FromWide(OwnDirectory() + L"\\devcon.exe"));
    ASSERT_TRUE(file.has_value());
    EXPECT_TRUE(std::ranges::equal(*file, image));
}

TEST(DeviceConsoleTool, RunsTheProgramsFourLinesThroughTheCommandInterpreter) {
    // Backslashes and ampersands in the quoted id: an unquoted "&" would split the line.
    const std::vector<RestartStep> steps = RestartSteps("PCI\\VEN_FFFF&DEV_FFFF&SUBSYS_00000000");
    ASSERT_EQ(steps.size(), 4u);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(steps[i].commandLine);
        const Captured run = RunCaptured(steps[i].commandLine);
        EXPECT_TRUE(run.errors.empty()) << run.errors;
        ExpectWellFormed(run, i < 2 ? "disabled" : "are enabled");
    }
    // No device has that id.
    EXPECT_EQ(RunCaptured(steps[1].commandLine).lines,
              std::vector<std::string>{"No matching devices found."});
}

TEST(DeviceConsoleTool, AChangeThatFailsIsReportedNotCrashedOn) {
    // Wine lists a display device with a hardware id of the vendor 0000; changing it fails there.
    const std::string lines[] = {
        "cmd /c devcon disable \"PCI\\VEN_0000*\"",
        "cmd /c devcon enable \"@PCI\\VEN_0000*\"",
        "devcon.exe disable =display \"pci\\ven_0000*\"",
    };
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        const Captured run = RunCaptured(line);
        if (run.lines == std::vector<std::string>{"No matching devices found."}) {
            GTEST_SKIP() << "no device of vendor 0000 on this system";
        }
        const bool enable = line.find(" enable ") != std::string::npos;
        ExpectWellFormed(run, enable ? "are enabled" : "disabled");
        ASSERT_GE(run.lines.size(), 2u);
        EXPECT_TRUE(run.lines.front().ends_with(enable ? ": Enable failed" : ": Disable failed"))
            << run.lines.front();
        EXPECT_EQ(run.exitCode, 2u);
    }
}

TEST(DeviceConsoleTool, UnknownClassesAndIdsFindNothing) {
    const std::string lines[] = {
        "devcon.exe disable =NoSuchClass pci*",
        "devcon.exe enable =NoSuchClass",
        "devcon.exe enable \"'PCI\\VEN_0000*\"",  // literal: no id ends in "*"
        "devcon.exe disable \"@NO\\SUCH\\INSTANCE\"",
    };
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        const Captured run = RunCaptured(line);
        EXPECT_EQ(run.exitCode, 0u);
        EXPECT_EQ(run.lines, std::vector<std::string>{"No matching devices found."});
    }
}

TEST(DeviceConsoleTool, AnUnreadableLineIsAUsageError) {
    for (const std::string line : {"devcon.exe", "devcon.exe restart *", "devcon.exe disable",
                                   "devcon.exe -r disable *", "devcon.exe enable ="}) {
        SCOPED_TRACE(line);
        const Captured run = RunCaptured(line);
        EXPECT_EQ(run.exitCode, 3u);
        EXPECT_TRUE(run.lines.empty());
        EXPECT_NE(run.errors.find("usage: devcon disable|enable"), std::string::npos);
    }
}

}  // namespace
}  // namespace netquill
