// Restarting the network adapters with the device console tool, which the program carries and
// places in the system directory, run through the command interpreter.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/process_runner.h"
#include "ui/program.h"

namespace netquill {

// Where the tool goes: the system directory with one backslash before the file name, or the
// file name alone (the current directory) when the system reports no directory.
std::string DeviceConsoleToolPath(std::string_view systemDirectory);

// Writes `image` as the tool when no entry of the tool's name exists; an existing file or
// directory is never replaced, whatever it holds. An empty image is not written: an empty file
// would stand in for the tool for good. A write that fails leaves nothing behind.
void EnsureDeviceConsoleTool(Program& program, std::span<const std::uint8_t> image);

struct RestartStep {
    std::string commandLine;
    bool wait = false;  // until the tool has ended; otherwise only until it is idle

    friend bool operator==(const RestartStep&, const RestartStep&) = default;
};

// The tool runs that restart the adapters, in order: disable every PCI network adapter, then the
// adapter `matchingDeviceId` names, then enable both again. The id goes between double quotes
// unchanged; an id holding a quote, a "%" or a control character would break out of them or be
// expanded by the command interpreter, so it is left out and only the class-wide runs remain.
std::vector<RestartStep> RestartSteps(std::string_view matchingDeviceId);

// Runs the steps one after the other, pumping events after each; a run that cannot be started
// does not stop the ones after it. False when the adapters could not be restarted: the tool the
// program carries is missing (it could not be placed at start-up), or a run could not start.
bool RestartAdapters(Program& program, std::string_view matchingDeviceId);

// Starts `commandLine` hidden and waits until it has ended or, without `wait`, until it is idle.
// True when the process was started.
bool RunCommandLine(ProcessRunner& runner, std::string_view commandLine, bool wait);

}  // namespace netquill
