// The IP-address field's write rule. Any text either fills all four parts or blanks the field,
// whatever the field held before; a filled field reads back as a canonical dotted address, and
// that address written back gives the same field.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/text.h"
#include "fuzz_check.h"
#include "ui/controls/ip_address_field.h"

namespace netquill {
namespace {

bool IsCanonicalAddress(std::string_view address) {
    const std::vector<std::string> parts = SplitItems(address, ".");
    if (parts.size() != 4 || address.ends_with('.')) {
        return false;
    }
    for (const std::string& part : parts) {
        if (part.empty() || part.size() > 3 || (part.size() > 1 && part.front() == '0')) {
            return false;
        }
        for (char c : part) {
            if (c < '0' || c > '9') {
                return false;
            }
        }
        if (std::stoi(part) > 255) {
            return false;
        }
    }
    return true;
}

}  // namespace
}  // namespace netquill

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace netquill;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    IpAddressField field;
    field.SetAddress(text);
    std::size_t filled = 0;
    for (std::size_t i = 0; i < IpAddressField::kPartCount; ++i) {
        filled += field.PartAt(i).has_value() ? 1 : 0;
    }
    Require(filled == 0 || filled == IpAddressField::kPartCount,
            "a written text fills all four parts or none");
    Require(field.IsBlank() == (filled == 0), "a field without parts is blank");

    IpAddressField used;
    used.SetAddress("10.20.30.40");
    used.SetAddress(text);
    const std::string address = field.Address();
    Require(used.Address() == address, "what the field held before does not matter");

    if (field.IsBlank()) {
        Require(address.empty(), "a blank field reads as the empty text");
        return 0;
    }
    Require(IsCanonicalAddress(address), "a filled field reads as a canonical address");
    IpAddressField again;
    again.SetAddress(address);
    Require(again.Address() == address, "the read-back address writes back to itself");
    return 0;
}
