#include "adapters/hardware_address.h"

#include <cstdio>

#include "core/text.h"

namespace netquill {
namespace {

constexpr std::string_view kSchedulerSuffix = "- 数据包计划程序微型端口";
constexpr std::string_view kIdeographicSpace = "\xA1\xA1";

std::string FormatHardwareAddress(const std::array<std::uint8_t, 8>& address) {
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", address[0], address[1],
                  address[2], address[3], address[4], address[5]);
    return text;
}

// Length of the blank at the start of `text`: a space, an ideographic space, or none.
std::size_t LeadingBlank(std::string_view text) {
    if (text.starts_with(' ')) {
        return 1;
    }
    return text.starts_with(kIdeographicSpace) ? kIdeographicSpace.size() : 0;
}

// Where the last character of `text` starts; a trail byte alone cannot tell, so walk from the
// start.
std::size_t LastCharacterStart(std::string_view text) {
    std::size_t last = 0;
    for (std::size_t i = 0; i < text.size();) {
        last = i;
        i += IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    }
    return last;
}

std::string_view TrimMatchBlanks(std::string_view text) {
    while (std::size_t blank = LeadingBlank(text)) {
        text.remove_prefix(blank);
    }
    while (!text.empty()) {
        if (text.ends_with(' ')) {
            text.remove_suffix(1);
        } else if (text.ends_with(kIdeographicSpace) &&
                   LastCharacterStart(text) == text.size() - kIdeographicSpace.size()) {
            text.remove_suffix(kIdeographicSpace.size());
        } else {
            break;
        }
    }
    return text;
}

}  // namespace

std::string MatchName(std::string_view systemDescription) {
    const std::size_t suffix = systemDescription.find(kSchedulerSuffix);
    return std::string(TrimMatchBlanks(systemDescription.substr(0, suffix)));
}

std::vector<AdapterInfoEntry> QueryAdapterInfo(const AdapterInfoSource& source) {
    std::vector<AdapterInfoEntry> entries;
    for (const SystemAdapter& adapter : source.ListSystemAdapters()) {
        entries.push_back({adapter.description, FormatHardwareAddress(adapter.address)});
    }
    return entries;
}

std::vector<HardwareAddressPair> ListHardwareAddresses(const AdapterInfoSource& source,
                                                       EventLoop& loop) {
    std::vector<HardwareAddressPair> pairs;
    for (AdapterInfoEntry& entry : QueryAdapterInfo(source)) {
        pairs.push_back({MatchName(entry.systemDescription), std::move(entry.hardwareAddress)});
        PumpEvents(loop);
    }
    PumpEvents(loop);
    return pairs;
}

std::string LookUpMacAddress(const std::vector<HardwareAddressPair>& pairs,
                             const AdapterRecord& record) {
    for (const HardwareAddressPair& pair : pairs) {
        if (pair.matchName == record.description) {
            return pair.hardwareAddress;
        }
    }
    return {};
}

}  // namespace netquill
