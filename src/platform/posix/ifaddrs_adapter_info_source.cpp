#include "platform/posix/ifaddrs_adapter_info_source.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <netpacket/packet.h>

#include <algorithm>

namespace netquill {

std::vector<SystemAdapter> IfaddrsAdapterInfoSource::ListSystemAdapters() const {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) {
        return {};
    }
    std::vector<SystemAdapter> adapters;
    for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
        // One packet-family entry per interface carries its hardware address.
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_PACKET ||
            (entry->ifa_flags & IFF_LOOPBACK) != 0) {
            continue;
        }
        const auto* link = reinterpret_cast<const sockaddr_ll*>(entry->ifa_addr);
        SystemAdapter adapter;
        adapter.description = entry->ifa_name;
        std::copy_n(link->sll_addr, std::min<std::size_t>(link->sll_halen, 8),
                    adapter.address.begin());
        adapters.push_back(std::move(adapter));
    }
    freeifaddrs(list);
    return adapters;
}

}  // namespace netquill
