// The adapter scan: finds the running Ethernet adapters of the network adapter class and rebuilds
// the adapter table and the adapter combo box from them.
#pragma once

#include <string>
#include <string_view>

#include "registry/registry_access.h"
#include "ui/program.h"

namespace netquill {

inline constexpr std::string_view kNoAdapterFound = "未发现网卡信息";
inline constexpr std::string_view kDetecting = "检测中……";
inline constexpr std::string_view kManualConfig = "手动配置";
inline constexpr std::string_view kDhcpConfig = "通过DHCP指派";

// The subkey name of an index below the class key: four digits up to 9999, plain decimal after.
std::string AdapterSubkeyName(int index);

// True when the adapter's device entry names an active service, that is the device runs.
bool IsAdapterActive(const RegistryAccess& registry, std::string_view instanceId);

// Pumps events between adapters; a selection or an exit made meanwhile is handled at once. The
// combo box item and its table entry are always added together.
void ScanAdapters(Program& program);

}  // namespace netquill
