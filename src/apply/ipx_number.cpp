#include "apply/ipx_number.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "apply/radix.h"
#include "core/text.h"

namespace netquill {
namespace {

constexpr std::string_view kIpxServicePath =
    "SYSTEM\\CurrentControlSet\\Services\\NwlnkIpx\\DisplayName";
constexpr std::string_view kVirtualNetworkNumberPath =
    "SYSTEM\\CurrentControlSet\\Services\\NwlnkIpx\\Parameters\\VirtualNetworkNumber";

constexpr Rgb kEditableBlue{0, 96, 192};
constexpr Rgb kSentinelRed{255, 0, 0};

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The texts that name a 32-bit number; a ninth digit or any other character would make the
// conversion store something the user did not type.
bool IsNetworkNumberText(std::string_view text) {
    return text.size() <= 8 && std::ranges::all_of(text, IsHexDigit);
}

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

WriteOutcome WriteIpxNetworkNumber(RegistryAccess& registry, const EditBox& box) {
    const std::string& text = box.Text();
    if (text == kIpxNotInstalled) {
        return WriteOutcome::kSkipped;
    }
    if (!IsNetworkNumberText(text)) {
        return WriteOutcome::kRejected;
    }
    const double number = NumberValue(ConvertRadix(text, 16, 10));
    return registry.WriteRegistryNumber(kVirtualNetworkNumberPath, number) ? WriteOutcome::kWritten
                                                                           : WriteOutcome::kFailed;
}

}  // namespace netquill
