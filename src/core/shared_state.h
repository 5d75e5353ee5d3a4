// The state every handler of the program works on: one instance, created empty at start-up and
// kept until the program ends.
#pragma once

#include <string>
#include <vector>

namespace netquill {

// What the program knows of one adapter; every field is a text, empty for "none".
struct AdapterRecord {
    std::string description;       // DriverDesc; the adapter's combo box item
    std::string instanceId;        // NetCfgInstanceId, a brace-enclosed GUID
    std::string matchingDeviceId;  // hardware id for the device console tool
    std::string connectionName;    // the network connection's display name
    std::string macAddress;        // "00-1A-2B-3C-4D-5E", empty when the lookup found none
    std::string interfaceMetric;   // decimal, empty for automatic
    std::string ipAddresses;       // one per line, each followed by CR LF
    std::string subnetMasks;       // one per line, the i-th for the i-th address
    std::string gateways;          // one per line
    std::string gatewayMetrics;    // one per line, the i-th for the i-th gateway
    std::string nameServers;       // as stored; split at ","
    std::string configMode;        // "手动配置" or "通过DHCP指派"

    friend bool operator==(const AdapterRecord&, const AdapterRecord&) = default;
};

struct AddressEntry {
    std::string address;
    std::string mask;
    friend bool operator==(const AddressEntry&, const AddressEntry&) = default;
};

struct GatewayEntry {
    std::string gateway;
    std::string metric;  // "0" means automatic
    friend bool operator==(const GatewayEntry&, const GatewayEntry&) = default;
};

// The three registry key paths below HKEY_LOCAL_MACHINE, each ending in a backslash.
struct RegistryBasePaths {
    std::string classKey;
    std::string networkKey;
    std::string interfacesKey;
};

inline RegistryBasePaths StandardRegistryBasePaths() {
    return {
        // The lower-case "b" is how the program has always spelled it; names ignore case.
        "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002bE10318}\\",
        "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\",
        "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\",
    };
}

// A pair of texts as the advanced window's lists and entry dialog exchange them: (address, mask),
// (gateway, metric as shown) or (DNS server, empty text).
struct EntryPair {
    std::string first;
    std::string second;
    friend bool operator==(const EntryPair&, const EntryPair&) = default;
};

// What the entry dialog edits; 0 only before the first opening.
enum class EntryKind { kNone = 0, kAddress = 1, kGateway = 2, kDnsServer = 3 };

// Private state of the advanced window and its entry dialog, kept for the whole run.
struct AdvancedWindowState {
    EntryPair lastRemovedAddress;
    EntryPair lastRemovedGateway;
    EntryPair lastRemovedDnsServer;
    EntryPair pendingEntry;
    EntryKind entryDialogMode = EntryKind::kNone;
    bool entryDialogEditing = false;
};

struct SharedState {
    // Entry k (from 0 here) belongs to item k of the adapter combo box.
    std::vector<AdapterRecord> adapterTable;
    // Position from 1 of the adapter on show; 0 until one is shown.
    int selectedAdapter = 0;
    std::vector<AddressEntry> addressList;
    std::vector<GatewayEntry> gatewayList;
    std::vector<std::string> dnsList;
    std::string interfaceMetricText;
    RegistryBasePaths registryBasePaths;  // empty until the main window is created
    bool cafeConfigLoaded = false;
    AdvancedWindowState advanced;
};

}  // namespace netquill
