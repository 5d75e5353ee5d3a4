#include "apply/adapter_restart.h"

#include <algorithm>

#include "core/text.h"

namespace netquill {
namespace {

constexpr std::string_view kToolFileName = "devcon.exe";

bool BreaksQuotedArgument(char c) {
    return c == '"' || c == '%' || static_cast<unsigned char>(c) < 0x20;
}

}  // namespace

std::string DeviceConsoleToolPath(std::string_view systemDirectory) {
    std::string path(systemDirectory);
    // A trail byte of a double-byte character may be 5C; only a real backslash counts.
    if (!path.empty() && FindLastCharacter(path, '\\') != path.size() - 1) {
        path += '\\';
    }
    return path.append(kToolFileName);
}

bool EnsureDeviceConsoleTool(Program& program, std::span<const std::uint8_t> image) {
    const std::string path = DeviceConsoleToolPath(program.files.SystemDirectory());
    if (program.files.Exists(path)) {
        return true;
    }
    if (image.empty()) {
        return false;
    }
    const bool written = program.files.WriteWholeFile(path, image);
    PumpEvents(program.loop);
    return written;
}

std::vector<RestartStep> RestartSteps(std::string_view matchingDeviceId) {
    const std::string quoted = '"' + std::string(matchingDeviceId) + '"';
    const bool idUsable = std::ranges::none_of(matchingDeviceId, BreaksQuotedArgument);
    std::vector<RestartStep> steps;
    steps.push_back({"cmd /c devcon disable =net pci*", false});
    if (idUsable) {
        steps.push_back({"cmd /c devcon disable " + quoted, true});
    }
    steps.push_back({"cmd /c devcon enable =net pci*", false});
    if (idUsable) {
        steps.push_back({"cmd /c devcon enable " + quoted, true});
    }
    return steps;
}

bool RestartAdapters(Program& program, std::string_view matchingDeviceId) {
    // Without a tool of its own the program relies on whatever runs the command lines. A tool
    // that could not be placed at start-up would leave every later apply without effect.
    bool restarted = program.deviceConsoleImage.empty() ||
                     EnsureDeviceConsoleTool(program, program.deviceConsoleImage);
    for (const RestartStep& step : RestartSteps(matchingDeviceId)) {
        restarted = RunCommandLine(program.processes, step.commandLine, step.wait) && restarted;
        PumpEvents(program.loop);
    }
    return restarted;
}

bool RunCommandLine(ProcessRunner& runner, std::string_view commandLine, bool wait) {
    return runner.Run(commandLine, wait ? ProcessWait::kUntilEnded : ProcessWait::kUntilInputIdle);
}

}  // namespace netquill
