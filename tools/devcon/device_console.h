// What the device console tool does with a command line, over an abstract view of the system's
// devices, so that selection, output and exit codes are the same code natively and on Windows.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "devcon/command_line.h"

namespace netquill::devcon {

enum ExitCode : int {
    kExitSuccess = 0,
    kExitRestartNeeded = 1,
    kExitFailure = 2,
    kExitUsage = 3,
};

struct DeviceInfo {
    std::wstring instanceId;
    std::vector<std::wstring> hardwareIds;
    std::vector<std::wstring> compatibleIds;
};

enum class ChangeResult { kChanged, kChangedAfterRestart, kFailed };

// The system's present devices. Error contract: nothing throws; a query that fails lists
// nothing, a change that fails says so.
class DeviceSystem {
  public:
    virtual ~DeviceSystem() = default;

    // Every present device, or only those of the setup class named (names compare without regard
    // to letter case; an unknown class has no devices).
    virtual std::vector<DeviceInfo> ListDevices(const std::optional<std::wstring>& className) = 0;

    // Disables or enables device `index` of the latest list.
    virtual ChangeResult ChangeState(std::size_t index, DeviceAction action) = 0;
};

struct ConsoleOutput {
    std::function<void(std::wstring_view)> line;   // standard output, one line per call
    std::function<void(std::wstring_view)> error;  // standard error
};

// True when one of the patterns matches the device.
bool MatchesDevice(std::span<const IdPattern> patterns, const DeviceInfo& device);

// Runs the command line `arguments` (without the program name): one output line per matching
// device, then a summary. Exit code: 0 when every change took effect, 1 when one needs a restart,
// 2 when one failed, 3 for a command line that could not be read (with the usage on stderr).
// Finding no device is no failure.
int RunDeviceConsole(std::span<const std::wstring> arguments, DeviceSystem& system,
                     const ConsoleOutput& output);

}  // namespace netquill::devcon
