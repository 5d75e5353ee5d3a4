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

void EnsureDeviceConsoleTool(Program& program, std::span<const std::uint8_t> image) {
    const std::string path = DeviceConsoleToolPath(program.files.SystemDirectory());
    if (image.empty() || program.files.Exists(path)) {
        return;
    }
    program.files.WriteWholeFile(path, image);
    PumpEvents(program.loop);
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
    // The tool is placed at start-up only. Where that failed the command interpreter finds
    // nothing to run and the adapters keep their old settings, which the user must be told.
    // Without a tool of its own the program relies on whatever runs the command lines.
    bool restarted = program.deviceConsoleImage.empty() ||
                     program.files.Exists(DeviceConsoleToolPath(program.files.SystemDirectory()));
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
