// Hardware addresses of the scanned adapters, matched by description against the system's
// adapter list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/adapter_info_source.h"
#include "core/event_loop.h"
#include "core/shared_state.h"

namespace netquill {

struct AdapterInfoEntry {
    std::string systemDescription;
    std::string hardwareAddress;  // "%02X-%02X-%02X-%02X-%02X-%02X" of the first six bytes
};

struct HardwareAddressPair {
    std::string matchName;
    std::string hardwareAddress;
};

// The system's description without the packet scheduler suffix and without blanks (space and
// the ideographic space) at both ends.
std::string MatchName(std::string_view systemDescription);

std::vector<AdapterInfoEntry> QueryAdapterInfo(const AdapterInfoSource& source);

std::vector<HardwareAddressPair> ListHardwareAddresses(const AdapterInfoSource& source,
                                                       EventLoop& loop);

// The address of the first system adapter in `pairs` whose match name equals the record's
// description byte for byte, or the empty text.
std::string LookUpMacAddress(const std::vector<HardwareAddressPair>& pairs,
                             const AdapterRecord& record);

}  // namespace netquill
