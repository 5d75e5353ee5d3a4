// The IPX virtual network number, shown and typed in hexadecimal.
#pragma once

#include <string_view>

#include "apply/write_outcome.h"
#include "registry/registry_access.h"
#include "ui/controls/edit_box.h"

namespace netquill {

inline constexpr std::string_view kIpxNotInstalled = "未安装IPX协议";

// Fills `box` with the stored number in hexadecimal (blue, editable), or with the sentinel text
// (red, read-only) when the IPX protocol is not installed.
void ReadIpxNetworkNumber(const RegistryAccess& registry, EditBox& box);

// Stores the number typed in `box` (hexadecimal, 1 to 8 digits in either letter case; the empty
// text stands for 0), the full unsigned 32-bit range. Skipped while the box holds the sentinel
// text. Any other text names no network number and is rejected, so the stored one stays.
WriteOutcome WriteIpxNetworkNumber(RegistryAccess& registry, const EditBox& box);

}  // namespace netquill
