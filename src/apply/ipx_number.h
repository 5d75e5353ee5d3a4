// The IPX virtual network number, shown and typed in hexadecimal.
#pragma once

#include <string_view>

#include "registry/registry_access.h"
#include "ui/controls/edit_box.h"

namespace netquill {

inline constexpr std::string_view kIpxNotInstalled = "未安装IPX协议";

// Fills `box` with the stored number in hexadecimal (blue, editable), or with the sentinel text
// (red, read-only) when the IPX protocol is not installed.
void ReadIpxNetworkNumber(const RegistryAccess& registry, EditBox& box);

}  // namespace netquill
