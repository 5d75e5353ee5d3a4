#include "apply/computer_name.h"

namespace netquill {
namespace {

constexpr std::string_view kNamePlaces[] = {
    kComputerNamePath,
    "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\NV Hostname",
    "SYSTEM\\ControlSet001\\Control\\ComputerName\\ComputerName\\ComputerName",
    "SYSTEM\\ControlSet001\\Services\\Tcpip\\Parameters\\NV Hostname",
};

constexpr std::string_view kWinlogonKey =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\";

}  // namespace

std::string ReadComputerName(const RegistryAccess& registry) {
    return registry.ReadRegistryText(kComputerNamePath);
}

WriteOutcome WriteComputerName(RegistryAccess& registry, std::string_view name) {
    if (name.empty()) {
        return WriteOutcome::kRejected;
    }
    bool allStored = true;
    for (std::string_view place : kNamePlaces) {
        allStored = registry.WriteRegistryText(place, name) && allStored;
    }
    return allStored ? WriteOutcome::kWritten : WriteOutcome::kFailed;
}

bool WriteAutoLogon(RegistryAccess& registry, std::string_view userName, std::string_view password,
                    std::string_view domain) {
    const std::pair<std::string_view, std::string_view> values[] = {
        {"AutoAdminLogon", "1"},          {"DefaultUserName", userName},
        {"DefaultPassword", password},    {"DefaultDomainName", domain},
        {"AltDefaultUserName", userName}, {"AltDefaultDomainName", domain},
    };
    bool allStored = true;
    for (const auto& [name, text] : values) {
        allStored =
            registry.WriteRegistryText(std::string(kWinlogonKey).append(name), text) && allStored;
    }
    return allStored;
}

}  // namespace netquill
