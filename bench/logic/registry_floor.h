// The baselines: exactly the registry operations the scan and the apply pipeline need, made
// straight on the store, and nothing else (no text conversion beyond cutting string data at
// its NUL, no controls, no adapter list, no events). What the program costs above these is its
// own overhead.
#pragma once

#include <string>

#include "core/registry_store.h"
#include "core/shared_state.h"

namespace netquill {

// The reads of one adapter scan, in the scan's order, each path built from what was read
// before it as the scan builds it. Returns the number of adapters found running.
int ScanReads(const RegistryStore& store, const RegistryBasePaths& paths);

// The values one apply run stores, encoded as the registry holds them; made once, up front.
struct ApplyValues {
    std::string instanceId;
    RegistryValue enableDhcp, addresses, masks, gateways, gatewayMetrics, interfaceMetric,
        nameServers, ipxNumber, computerName;
    RegistryValue autoLogon[6];
};

// The writes of one apply run: the adapter's TCP/IP values, the IPX number, the computer name
// in its four places and the automatic logon.
void ApplyWrites(RegistryStore& store, const RegistryBasePaths& paths, const ApplyValues& values);

}  // namespace netquill
