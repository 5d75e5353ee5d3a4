#include "bench_machine.h"

#include <cstdint>
#include <cstdio>

#include "adapters/adapter_scan.h"
#include "apply/computer_name.h"

namespace netquill {
namespace {

constexpr std::string_view kEnumKey = "SYSTEM\\CurrentControlSet\\Enum\\";
constexpr std::string_view kIpxKey = "SYSTEM\\CurrentControlSet\\Services\\NwlnkIpx\\";

std::string Description(int index) {
    return "Bench Ethernet Adapter #" + std::to_string(index);
}

std::string PnpInstanceId(int index) {
    return "PCI\\VEN_8086&DEV_100E&SUBSYS_001E8086&REV_02\\3&267A616A&0&" + std::to_string(index);
}

void InstallAdapter(BenchProgram& bench, int index, const BenchAddresses& values) {
    RegistryAccess& registry = bench.registry;
    const RegistryBasePaths& paths = bench.state.registryBasePaths;
    const std::string id = BenchInstanceId(index);
    const std::string classKey = paths.classKey + AdapterSubkeyName(index);
    registry.WriteRegistryText(classKey + "\\DriverDesc", Description(index));
    registry.WriteRegistryText(classKey + "\\NetCfgInstanceId", id);
    registry.WriteRegistryText(classKey + "\\MatchingDeviceId", "pci\\ven_8086&dev_100e");
    bench.store.memory.CreateKey(classKey + "\\Linkage");
    registry.WriteMultiString(classKey + "\\Linkage", "UpperBind", "Tcpip\r\n");
    registry.WriteRegistryText(classKey + "\\Ndi\\Interfaces\\LowerRange", "ethernet");

    const std::string connection = paths.networkKey + id + "\\Connection";
    registry.WriteRegistryText(connection + "\\Name", "本地连接 " + std::to_string(index + 1));
    registry.WriteRegistryText(connection + "\\PnpInstanceID", PnpInstanceId(index));
    registry.WriteRegistryText(
        std::string(kEnumKey) + PnpInstanceId(index) + "\\Control\\ActiveService", "E1000");

    const std::string interfaceKey = paths.interfacesKey + id;
    registry.WriteRegistryNumber(interfaceKey + "\\EnableDHCP", std::int64_t{0});
    registry.WriteMultiString(interfaceKey, "IPAddress", values.address + "\r\n");
    registry.WriteMultiString(interfaceKey, "SubnetMask", values.mask + "\r\n");
    registry.WriteMultiString(interfaceKey, "DefaultGateway", values.gateway + "\r\n");
    registry.WriteMultiString(interfaceKey, "DefaultGatewayMetric", "0\r\n");
    registry.WriteRegistryText(interfaceKey + "\\NameServer",
                               values.preferredDns + "," + values.alternateDns);
    registry.WriteInterfaceMetric(id, values.interfaceMetric);
}

}  // namespace

std::string BenchInstanceId(int index) {
    char id[48];
    std::snprintf(id, sizeof id, "{6F1A5A2C-0C4B-4E55-9D0A-%012X}", static_cast<unsigned>(index));
    return id;
}

void InstallBenchMachine(BenchProgram& bench, int adapterCount) {
    const BenchAddresses values;
    std::vector<SystemAdapter> systemAdapters;
    for (int index = 0; index < adapterCount; ++index) {
        InstallAdapter(bench, index, values);
        SystemAdapter adapter;
        // As the system lists them: with the packet scheduler's suffix.
        adapter.description = Description(index) + " - 数据包计划程序微型端口";
        adapter.address = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, static_cast<std::uint8_t>(index)};
        systemAdapters.push_back(std::move(adapter));
    }
    bench.adapterInfo.Set(std::move(systemAdapters));
    bench.registry.WriteRegistryText(kComputerNamePath, values.computerName);
    bench.registry.WriteRegistryText(std::string(kIpxKey) + "DisplayName", "NWLink IPX");
    bench.registry.WriteRegistryNumber(std::string(kIpxKey) + "Parameters\\VirtualNetworkNumber",
                                       std::int64_t{0x1A2B3C4D});
}

}  // namespace netquill
