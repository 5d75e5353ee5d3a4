#include "support/adapter_seed.h"

#include "adapters/adapter_scan.h"
#include "core/shared_state.h"
#include "core/text.h"

namespace netquill {
namespace {

std::string InterfaceKey(const std::string& instanceId) {
    return StandardRegistryBasePaths().interfacesKey + instanceId;
}

}  // namespace

std::string JoinLines(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

InterfaceSettings Manual(Lines addresses, Lines masks, Lines gateways, Lines metrics,
                         std::string nameServers) {
    InterfaceSettings s;
    s.addresses = std::move(addresses);
    s.masks = std::move(masks);
    s.gateways = std::move(gateways);
    s.metrics = std::move(metrics);
    s.nameServers = std::move(nameServers);
    return s;
}

void SeedAdapter(RegistryAccess& registry, const AdapterSeed& adapter) {
    const RegistryBasePaths paths = StandardRegistryBasePaths();
    const std::string key = paths.classKey + AdapterSubkeyName(adapter.index);
    registry.WriteRegistryText(key + "\\Linkage\\UpperBind", "Tcpip");
    registry.WriteRegistryText(key + "\\Ndi\\Interfaces\\LowerRange", adapter.lowerRange);
    registry.WriteRegistryText(key + "\\DriverDesc", adapter.description);
    registry.WriteRegistryText(key + "\\NetCfgInstanceId", adapter.instanceId);
    registry.WriteRegistryText(key + "\\MatchingDeviceId", adapter.matchingDeviceId);
    const std::string connection = paths.networkKey + adapter.instanceId + "\\Connection";
    registry.WriteRegistryText(connection + "\\Name", adapter.connectionName);
    const std::string device = "PCI\\DEV_" + adapter.instanceId;
    registry.WriteRegistryText(connection + "\\PnpInstanceID", device);
    registry.WriteRegistryText(
        "SYSTEM\\CurrentControlSet\\Enum\\" + device + "\\Control\\ActiveService",
        adapter.active ? "E1000" : "");
}

void WriteInterfaceSettings(RegistryAccess& registry, const std::string& instanceId,
                            const InterfaceSettings& s) {
    const std::string key = InterfaceKey(instanceId);
    // A text first: it creates the key, which the multi-string writes need.
    registry.WriteRegistryText(key + "\\NameServer", s.nameServers);
    if (s.enableDhcp) {
        registry.WriteRegistryNumber(key + "\\EnableDHCP", std::int64_t{*s.enableDhcp});
    }
    registry.WriteMultiString(key, "IPAddress", JoinLines(s.addresses));
    registry.WriteMultiString(key, "SubnetMask", JoinLines(s.masks));
    registry.WriteMultiString(key, "DefaultGateway", JoinLines(s.gateways));
    registry.WriteMultiString(key, "DefaultGatewayMetric", JoinLines(s.metrics));
    registry.WriteRegistryText(key + "\\DhcpIPAddress", s.dhcpAddress);
    registry.WriteRegistryText(key + "\\DhcpSubnetMask", s.dhcpMask);
    registry.WriteRegistryText(key + "\\DhcpNameServer", s.dhcpNameServer);
    registry.WriteMultiString(key, "DhcpDefaultGateway", JoinLines(s.dhcpGateways));
    registry.WriteInterfaceMetric(instanceId, s.interfaceMetric);
}

InterfaceSettings ReadInterfaceSettings(const RegistryAccess& registry,
                                        const std::string& instanceId) {
    const std::string key = InterfaceKey(instanceId);
    const auto lines = [&](std::string_view name) {
        return SplitItems(registry.ReadMultiString(key, name), "\r\n");
    };
    const auto text = [&](std::string_view name) {
        return registry.ReadRegistryText(key + "\\" + std::string(name));
    };
    InterfaceSettings s;
    s.enableDhcp = registry.RegistryValueExists(key + "\\EnableDHCP")
                       ? std::optional(registry.ReadRegistryNumber(key + "\\EnableDHCP"))
                       : std::nullopt;
    s.addresses = lines("IPAddress");
    s.masks = lines("SubnetMask");
    s.gateways = lines("DefaultGateway");
    s.metrics = lines("DefaultGatewayMetric");
    s.nameServers = text("NameServer");
    s.dhcpAddress = text("DhcpIPAddress");
    s.dhcpMask = text("DhcpSubnetMask");
    s.dhcpNameServer = text("DhcpNameServer");
    s.dhcpGateways = lines("DhcpDefaultGateway");
    s.interfaceMetric = registry.ReadInterfaceMetric(instanceId);
    return s;
}

}  // namespace netquill
