// Port to the machine registry below HKEY_LOCAL_MACHINE. Key paths are backslash-separated,
// without a leading backslash; the empty path is the hive itself. Key and value names compare
// without regard to letter case. Texts and string data are code page 936 bytes.
//
// Error contract: nothing throws. A read that cannot be done gives no value; a write or delete
// reports false when the store is left as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace netquill {

// Registry value types, numbered as Windows numbers them.
enum RegistryType : std::uint32_t {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegMultiSz = 7,
    kRegQword = 11,
};

// One stored value: its type and its data bytes as the ANSI registry functions return them.
struct RegistryValue {
    std::uint32_t type = kRegNone;
    std::string data;

    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

enum class KeyCreation { kCreateMissing, kOpenExisting };

class RegistryStore {
  public:
    virtual ~RegistryStore() = default;

    // The value `valueName` of key `keyPath`, or nothing when the key cannot be opened for
    // reading or holds no such value. The whole data is returned, whatever its length.
    virtual std::optional<RegistryValue> QueryValue(std::string_view keyPath,
                                                    std::string_view valueName) const = 0;

    // Stores a value, replacing one of the same name whatever its type. With kCreateMissing the
    // key and any missing keys above it are created; with kOpenExisting a missing key fails.
    virtual bool SetValue(std::string_view keyPath, std::string_view valueName,
                          const RegistryValue& value, KeyCreation creation) = 0;

    // Deletes a value without creating its key. A missing key or value counts as success: there
    // was nothing to delete. False only when an existing value could not be removed.
    virtual bool DeleteValue(std::string_view keyPath, std::string_view valueName) = 0;
};

}  // namespace netquill
