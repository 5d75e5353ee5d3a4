// The registry layer: every read and write of the machine registry goes through here. Places are
// named by value paths: a key path and a value name in one text, split at the last backslash.
//
// Reads never fail loudly: what cannot be read gives the empty text, 0 or false. Writes and
// deletes return whether the registry now holds what was asked, so that the apply pipeline can
// tell the user what could not be stored; a failed write leaves the old value in place.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/environment.h"
#include "core/registry_store.h"

namespace netquill {

struct ValuePath {
    std::string_view keyPath;  // empty for a value directly under HKEY_LOCAL_MACHINE
    std::string_view valueName;
};

// Splits at the last backslash, so "key\Connection\Name" names "Name" of "key\Connection".
ValuePath SplitValuePath(std::string_view valuePath);

// The value path of the interface metric of the adapter `instanceId`.
std::string InterfaceMetricPath(std::string_view instanceId);

class RegistryAccess {
  public:
    RegistryAccess(RegistryStore& store, const Environment& environment)
        : store_(store), environment_(environment) {}

    // REG_SZ up to its first NUL; REG_EXPAND_SZ the same, with environment references expanded;
    // any other type, or nothing stored, gives the empty text.
    std::string ReadRegistryText(std::string_view valuePath) const;
    // A REG_DWORD as a signed 32-bit number (0xFFFFFFFF reads -1); anything else gives 0.
    std::int32_t ReadRegistryNumber(std::string_view valuePath) const;
    // True when a value of that name exists, whatever its type and size.
    bool RegistryValueExists(std::string_view valuePath) const;

    // Stores REG_SZ (text and one NUL), creating the key and its parents when missing.
    bool WriteRegistryText(std::string_view valuePath, std::string_view text);
    // Stores REG_DWORD: the low 32 bits of the number.
    bool WriteRegistryNumber(std::string_view valuePath, std::int64_t number);
    // Stores REG_DWORD: the integer part (toward zero) taken as a 64-bit integer, of which the
    // low 32 bits are kept; a real outside the 64-bit range (or not a number) stores 0.
    bool WriteRegistryNumber(std::string_view valuePath, double number);
    // Deletes the value; a missing key or value is success and changes nothing.
    bool DeleteRegistryValue(std::string_view valuePath);

    // The value's data, whatever its type, as multi-line text; empty when nothing is stored.
    std::string ReadMultiString(std::string_view keyPath, std::string_view valueName) const;
    // Stores REG_MULTI_SZ built from multi-line text. The key is not created: a missing key
    // fails and writes nothing.
    bool WriteMultiString(std::string_view keyPath, std::string_view valueName,
                          std::string_view lines);

    // The interface metric as decimal text, or the empty text for automatic (0 or missing).
    std::string ReadInterfaceMetric(std::string_view instanceId) const;
    // Stores the metric text's number value, or deletes the value for an automatic metric (a
    // magnitude of at most 1e-7: empty text, "0", not a number).
    bool WriteInterfaceMetric(std::string_view instanceId, std::string_view metricText);

  private:
    RegistryStore& store_;
    const Environment& environment_;
};

}  // namespace netquill
