#include "ui/controls/ip_address_field.h"

#include <algorithm>

#include "core/text.h"

namespace netquill {

std::string IpAddressField::Address() const {
    if (IsBlank()) {
        return {};
    }
    std::string address;
    for (std::size_t i = 0; i < kPartCount; ++i) {
        if (i > 0) {
            address.push_back('.');
        }
        address.append(std::to_string(parts_[i].value_or(0)));
    }
    return address;
}

void IpAddressField::SetAddress(std::string_view text) {
    std::array<Part, kPartCount> parts{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < kPartCount; ++i) {
        const bool last = i + 1 == kPartCount;
        const std::size_t dot = last ? text.size() : text.find('.', start);
        if (dot == std::string_view::npos) {
            parts_ = {};
            return;
        }
        const int value = IntegerValue(text.substr(start, dot - start));
        if (value < 0 || value > 255) {
            parts_ = {};
            return;
        }
        parts[i] = static_cast<std::uint8_t>(value);
        start = dot + 1;
    }
    parts_ = parts;
}

bool IpAddressField::IsBlank() const {
    return std::ranges::none_of(parts_, [](const Part& part) { return part.has_value(); });
}

void IpAddressField::SetPartByUser(std::size_t index, Part value) {
    if (index < kPartCount && ReachableByUser()) {
        parts_[index] = value;
    }
}

}  // namespace netquill
