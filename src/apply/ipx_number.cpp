#include "apply/ipx_number.h"

#include <cstdint>
#include <string>

#include "apply/radix.h"

namespace netquill {
namespace {

constexpr std::string_view kIpxServicePath =
    "SYSTEM\\CurrentControlSet\\Services\\NwlnkIpx\\DisplayName";
constexpr std::string_view kVirtualNetworkNumberPath =
    "SYSTEM\\CurrentControlSet\\Services\\NwlnkIpx\\Parameters\\VirtualNetworkNumber";

constexpr Rgb kEditableBlue{0, 96, 192};
constexpr Rgb kSentinelRed{255, 0, 0};

}  // namespace

void ReadIpxNetworkNumber(const RegistryAccess& registry, EditBox& box) {
    if (registry.ReadRegistryText(kIpxServicePath).empty()) {
        box.SetText(std::string(kIpxNotInstalled));
        box.SetMode(EditMode::kReadOnly);
        box.SetTextColour(kSentinelRed);
        return;
    }
    // The stored DWORD is unsigned; its signed reading would turn 80000000 and above negative.
    const auto number =
        static_cast<std::uint32_t>(registry.ReadRegistryNumber(kVirtualNetworkNumberPath));
    box.SetText(ConvertRadix(std::to_string(number), 10, 16));
    box.SetMode(EditMode::kNormal);
    box.SetTextColour(kEditableBlue);
}

}  // namespace netquill
