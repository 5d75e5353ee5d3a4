#include "adapters/adapter_scan.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "adapters/hardware_address.h"
#include "adapters/selected_adapter.h"
#include "apply/computer_name.h"
#include "apply/ipx_number.h"

namespace netquill {
namespace {

constexpr std::string_view kNetworkKey =
    "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\";
constexpr std::string_view kEnumKey = "SYSTEM\\CurrentControlSet\\Enum\\";

std::string Join(std::string_view a, std::string_view b) {
    return std::string(a).append(b);
}

// Fills the address fields from the interface key as the adapter's mode asks; an EnableDHCP
// that is neither 0 nor 1 leaves them empty rather than holding another adapter's values.
void ReadInterfaceSettings(const RegistryAccess& registry, std::string_view interfaceKey,
                           AdapterRecord& record) {
    const std::string key(interfaceKey);
    const auto text = [&](std::string_view name) {
        return registry.ReadRegistryText(Join(key + "\\", name));
    };
    const std::int32_t enableDhcp = registry.ReadRegistryNumber(key + "\\EnableDHCP");
    if (enableDhcp == 0) {
        record.ipAddresses = registry.ReadMultiString(key, "IPAddress");
        record.subnetMasks = registry.ReadMultiString(key, "SubnetMask");
        record.gateways = registry.ReadMultiString(key, "DefaultGateway");
        record.nameServers = text("NameServer");
        record.configMode = kManualConfig;
    } else if (enableDhcp == 1) {
        record.ipAddresses = text("DhcpIPAddress");
        record.subnetMasks = text("DhcpSubnetMask");
        record.gateways = registry.ReadMultiString(key, "DhcpDefaultGateway");
        record.nameServers = text("DhcpNameServer");
        record.configMode = kDhcpConfig;
    } else {
        return;
    }
    record.gatewayMetrics = registry.ReadMultiString(key, "DefaultGatewayMetric");
    record.interfaceMetric = registry.ReadInterfaceMetric(record.instanceId);
}

}  // namespace

std::string AdapterSubkeyName(int index) {
    char name[16];
    std::snprintf(name, sizeof name, "%04d", index);
    return name;
}

bool IsAdapterActive(const RegistryAccess& registry, std::string_view instanceId) {
    const std::string devicePath =
        registry.ReadRegistryText(Join(kNetworkKey, instanceId) + "\\Connection\\PnpInstanceID");
    return !registry.ReadRegistryText(Join(kEnumKey, devicePath) + "\\Control\\ActiveService")
                .empty();
}

void ScanAdapters(Program& program) {
    MainWindow& window = program.mainWindow;
    RegistryAccess& registry = program.registry;
    const RegistryBasePaths paths = program.state.registryBasePaths;

    window.MAC信息框.SetText(std::string(kDetecting));
    window.提示标签.SetCaption(std::string(kDetecting));
    program.state.adapterTable.clear();
    window.网卡选择框.ClearItems();

    // Taken once per scan, when the first running adapter needs it: a query of the system for
    // every adapter made the scan quadratic in the number of adapters.
    std::optional<std::vector<HardwareAddressPair>> hardwareAddresses;
    for (int index = 0;; ++index) {
        const std::string subkey = paths.classKey + AdapterSubkeyName(index);
        if (!registry.RegistryValueExists(subkey + "\\Linkage\\UpperBind")) {
            break;
        }
        if (registry.ReadRegistryText(subkey + "\\Ndi\\Interfaces\\LowerRange") != "ethernet") {
            continue;
        }
        AdapterRecord record;
        record.description = registry.ReadRegistryText(subkey + "\\DriverDesc");
        record.instanceId = registry.ReadRegistryText(subkey + "\\NetCfgInstanceId");
        record.matchingDeviceId = registry.ReadRegistryText(subkey + "\\MatchingDeviceId");
        if (!IsAdapterActive(registry, record.instanceId)) {
            continue;
        }
        record.connectionName =
            registry.ReadRegistryText(paths.networkKey + record.instanceId + "\\Connection\\Name");
        if (!hardwareAddresses) {
            hardwareAddresses = ListHardwareAddresses(program.adapterInfo, program.loop);
        }
        record.macAddress = LookUpMacAddress(*hardwareAddresses, record);
        ReadInterfaceSettings(registry, paths.interfacesKey + record.instanceId, record);

        PumpEvents(program.loop);
        // No pump between these two: a selection always finds its record.
        window.网卡选择框.AddItem(record.description);
        program.state.adapterTable.push_back(std::move(record));
    }

    PumpEvents(program.loop);
    window.机器名框.SetText(ReadComputerName(registry));
    PumpEvents(program.loop);
    ReadIpxNetworkNumber(registry, window.网络号框);
    PumpEvents(program.loop);
    window.SetCommandButtonsDisabled(false);
    if (window.网卡选择框.ItemCount() == 0) {
        window.网卡选择框.AddItem(std::string(kNoAdapterFound));
    }
    window.网卡选择框.SetCurrentIndex(0);
    ShowSelectedAdapter(program);
    PumpEvents(program.loop);
}

}  // namespace netquill
