#include "registry_floor.h"

#include <benchmark/benchmark.h>

#include <optional>
#include <string_view>

#include "adapters/adapter_scan.h"

namespace netquill {
namespace {

constexpr std::string_view kNetworkKey =
    "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\";
constexpr std::string_view kEnumKey = "SYSTEM\\CurrentControlSet\\Enum\\";
constexpr std::string_view kInterfacesKey =
    "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
constexpr std::string_view kComputerNameKey =
    "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName";
constexpr std::string_view kIpxKey = "SYSTEM\\CurrentControlSet\\Services\\NwlnkIpx";
constexpr std::string_view kNameKeys[] = {
    "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName",
    "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters",
    "SYSTEM\\ControlSet001\\Control\\ComputerName\\ComputerName",
    "SYSTEM\\ControlSet001\\Services\\Tcpip\\Parameters",
};
constexpr std::string_view kNameValues[] = {"ComputerName", "NV Hostname", "ComputerName",
                                            "NV Hostname"};
constexpr std::string_view kWinlogonKey =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr std::string_view kAutoLogonValues[] = {
    "AutoAdminLogon",    "DefaultUserName",    "DefaultPassword",
    "DefaultDomainName", "AltDefaultUserName", "AltDefaultDomainName",
};

// String data up to its first NUL, or the empty text.
std::string Text(const std::optional<RegistryValue>& value) {
    if (!value) {
        return {};
    }
    return value->data.substr(0, value->data.find('\0'));
}

bool IsZeroDword(const std::optional<RegistryValue>& value) {
    return value && value->type == kRegDword && value->data == std::string_view("\0\0\0\0", 4);
}

template <typename T>
void Keep(T&& value) {
    benchmark::DoNotOptimize(value);
}

}  // namespace

int ScanReads(const RegistryStore& store, const RegistryBasePaths& paths) {
    int running = 0;
    for (int index = 0;; ++index) {
        const std::string key = paths.classKey + AdapterSubkeyName(index);
        if (!store.QueryValue(key + "\\Linkage", "UpperBind")) {
            break;
        }
        if (Text(store.QueryValue(key + "\\Ndi\\Interfaces", "LowerRange")) != "ethernet") {
            continue;
        }
        Keep(store.QueryValue(key, "DriverDesc"));
        const std::string id = Text(store.QueryValue(key, "NetCfgInstanceId"));
        Keep(store.QueryValue(key, "MatchingDeviceId"));
        const std::string device =
            Text(store.QueryValue(std::string(kNetworkKey) + id + "\\Connection", "PnpInstanceID"));
        if (Text(store.QueryValue(std::string(kEnumKey) + device + "\\Control", "ActiveService"))
                .empty()) {
            continue;
        }
        ++running;
        Keep(store.QueryValue(paths.networkKey + id + "\\Connection", "Name"));
        const std::string interfaceKey = paths.interfacesKey + id;
        if (!IsZeroDword(store.QueryValue(interfaceKey, "EnableDHCP"))) {
            continue;  // the benchmark machine holds manual configurations only
        }
        Keep(store.QueryValue(interfaceKey, "IPAddress"));
        Keep(store.QueryValue(interfaceKey, "SubnetMask"));
        Keep(store.QueryValue(interfaceKey, "DefaultGateway"));
        Keep(store.QueryValue(interfaceKey, "NameServer"));
        Keep(store.QueryValue(interfaceKey, "DefaultGatewayMetric"));
        Keep(store.QueryValue(std::string(kInterfacesKey) + id, "InterfaceMetric"));
    }
    Keep(store.QueryValue(kComputerNameKey, "ComputerName"));
    Keep(store.QueryValue(kIpxKey, "DisplayName"));
    Keep(store.QueryValue(std::string(kIpxKey) + "\\Parameters", "VirtualNetworkNumber"));
    return running;
}

void ApplyWrites(RegistryStore& store, const RegistryBasePaths& paths, const ApplyValues& values) {
    const std::string key = paths.interfacesKey + values.instanceId;
    constexpr auto kCreate = KeyCreation::kCreateMissing;
    constexpr auto kExisting = KeyCreation::kOpenExisting;
    store.SetValue(key, "EnableDHCP", values.enableDhcp, kCreate);
    store.SetValue(key, "IPAddress", values.addresses, kExisting);
    store.SetValue(key, "SubnetMask", values.masks, kExisting);
    store.SetValue(key, "DefaultGateway", values.gateways, kExisting);
    store.SetValue(key, "DefaultGatewayMetric", values.gatewayMetrics, kExisting);
    store.SetValue(std::string(kInterfacesKey) + values.instanceId, "InterfaceMetric",
                   values.interfaceMetric, kCreate);
    store.SetValue(key, "NameServer", values.nameServers, kCreate);
    store.SetValue(std::string(kIpxKey) + "\\Parameters", "VirtualNetworkNumber", values.ipxNumber,
                   kCreate);
    for (std::size_t i = 0; i < std::size(kNameKeys); ++i) {
        store.SetValue(kNameKeys[i], kNameValues[i], values.computerName, kCreate);
    }
    for (std::size_t i = 0; i < std::size(kAutoLogonValues); ++i) {
        store.SetValue(kWinlogonKey, kAutoLogonValues[i], values.autoLogon[i], kCreate);
    }
}

}  // namespace netquill
