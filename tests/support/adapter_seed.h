// Network adapters as the system records them, for seeding an in-memory registry: the class
// subkey, the connection, the device entry and the interface's TCP/IP values.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "registry/registry_access.h"

namespace netquill {

using Lines = std::vector<std::string>;

// Where the system keeps the computer name and the automatic logon, spelt out here rather than
// taken from the program, so that a wrong place in the program shows.
inline const Lines kNamePlaces = {
    "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName\\ComputerName",
    "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\NV Hostname",
    "SYSTEM\\ControlSet001\\Control\\ComputerName\\ComputerName\\ComputerName",
    "SYSTEM\\ControlSet001\\Services\\Tcpip\\Parameters\\NV Hostname",
};
inline const std::string kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\";

// Every line followed by CR LF, as the registry layer exchanges lists.
std::string JoinLines(const Lines& lines);

struct AdapterSeed {
    AdapterSeed(std::string description, std::string instanceId, int index = 0)
        : index(index), description(std::move(description)), instanceId(std::move(instanceId)) {}

    int index = 0;  // the class subkey, 0 for "0000"
    std::string description;
    std::string instanceId;
    std::string matchingDeviceId = "pci\\ven_8086&dev_100e";
    std::string lowerRange = "ethernet";
    bool active = true;  // whether the device entry names a running service
    std::string connectionName;
};

// An interface's TCP/IP values as the registry holds them.
struct InterfaceSettings {
    std::optional<int> enableDhcp = 0;  // nothing: the value is missing
    Lines addresses, masks, gateways, metrics;
    std::string nameServers;
    std::string dhcpAddress, dhcpMask, dhcpNameServer;
    Lines dhcpGateways;
    std::string interfaceMetric;

    friend bool operator==(const InterfaceSettings&, const InterfaceSettings&) = default;
};

InterfaceSettings Manual(Lines addresses, Lines masks, Lines gateways, Lines metrics,
                         std::string nameServers);

void SeedAdapter(RegistryAccess& registry, const AdapterSeed& adapter);

// Writes every value of `settings` into the adapter's interface key, creating the key.
void WriteInterfaceSettings(RegistryAccess& registry, const std::string& instanceId,
                            const InterfaceSettings& settings);

// What the interface key now holds; a missing multi-string reads as no lines.
InterfaceSettings ReadInterfaceSettings(const RegistryAccess& registry,
                                        const std::string& instanceId);

}  // namespace netquill
