// The device console tool's command line:
//   devcon disable|enable  * | ID [ID ...] | =class [ID ...]
#pragma once

#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "devcon/id_pattern.h"

namespace netquill::devcon {

inline constexpr std::wstring_view kUsage =
    L"usage: devcon disable|enable  * | ID [ID ...] | =class [ID ...]";

enum class DeviceAction { kDisable, kEnable };

struct DeviceCommand {
    DeviceAction action = DeviceAction::kDisable;
    std::optional<std::wstring> className;  // "=class" as the first argument after the command
    std::vector<IdPattern> patterns;        // empty only with a class: every device of it

    friend bool operator==(const DeviceCommand&, const DeviceCommand&) = default;
};

// Why a command line was refused, for the user.
struct UsageError {
    std::wstring reason;
};

// Reads the arguments after the program name. The command word matches without regard to ASCII
// letter case. Only the first argument after it can name a class; a later "=x" is an id.
std::variant<DeviceCommand, UsageError> ParseDeviceCommand(std::span<const std::wstring> arguments);

}  // namespace netquill::devcon
