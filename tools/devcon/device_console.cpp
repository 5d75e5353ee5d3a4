#include "devcon/device_console.h"

#include <algorithm>
#include <variant>

namespace netquill::devcon {
namespace {

constexpr std::size_t kIdColumnWidth = 60;

std::wstring_view StatusText(DeviceAction action, ChangeResult result) {
    const bool disable = action == DeviceAction::kDisable;
    switch (result) {
        case ChangeResult::kChanged:
            return disable ? L"Disabled" : L"Enabled";
        case ChangeResult::kChangedAfterRestart:
            return disable ? L"Disabled on reboot" : L"Enabled on reboot";
        case ChangeResult::kFailed:
            break;
    }
    return disable ? L"Disable failed" : L"Enable failed";
}

std::wstring DeviceLine(const std::wstring& instanceId, std::wstring_view status) {
    std::wstring line = instanceId;
    if (line.size() < kIdColumnWidth) {
        line.resize(kIdColumnWidth, L' ');
    }
    return line.append(L": ").append(status);
}

std::wstring Summary(DeviceAction action, std::size_t changed) {
    return std::to_wstring(changed) + (action == DeviceAction::kDisable
                                           ? L" device(s) disabled."
                                           : L" device(s) are enabled.");
}

}  // namespace

bool MatchesDevice(std::span<const IdPattern> patterns, const DeviceInfo& device) {
    return std::ranges::any_of(patterns, [&](const IdPattern& pattern) {
        if (pattern.target == PatternTarget::kInstanceId) {
            return MatchesText(pattern, device.instanceId);
        }
        const auto matches = [&](const std::wstring& id) { return MatchesText(pattern, id); };
        return std::ranges::any_of(device.hardwareIds, matches) ||
               std::ranges::any_of(device.compatibleIds, matches);
    });
}

int RunDeviceConsole(std::span<const std::wstring> arguments, DeviceSystem& system,
                     const ConsoleOutput& output) {
    const auto parsed = ParseDeviceCommand(arguments);
    if (const auto* usage = std::get_if<UsageError>(&parsed)) {
        output.error(L"devcon: " + usage->reason);
        output.error(kUsage);
        return kExitUsage;
    }
    const DeviceCommand& command = std::get<DeviceCommand>(parsed);

    const std::vector<DeviceInfo> devices = system.ListDevices(command.className);
    std::size_t matched = 0;
    std::size_t changed = 0;
    bool failed = false;
    bool restartNeeded = false;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        if (!command.patterns.empty() && !MatchesDevice(command.patterns, devices[i])) {
            continue;
        }
        ++matched;
        const ChangeResult result = system.ChangeState(i, command.action);
        failed = failed || result == ChangeResult::kFailed;
        restartNeeded = restartNeeded || result == ChangeResult::kChangedAfterRestart;
        changed += result == ChangeResult::kFailed ? 0 : 1;
        output.line(DeviceLine(devices[i].instanceId, StatusText(command.action, result)));
    }

    if (matched == 0) {
        output.line(L"No matching devices found.");
        return kExitSuccess;
    }
    output.line(Summary(command.action, changed));
    if (failed) {
        return kExitFailure;
    }
    if (restartNeeded) {
        output.line(L"The changes will take effect after the system is restarted.");
        return kExitRestartNeeded;
    }
    return kExitSuccess;
}

}  // namespace netquill::devcon
