// A registry held in memory: the store behind the program on Linux and in tests. Keys keep the
// spelling they were created with; subkeys are ordered as the system lists them (by name,
// letter case ignored), values in the order they were first stored.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/registry_store.h"
#include "core/text.h"

namespace netquill {

struct NameLessIgnoringCase {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return LessIgnoringCase(a, b); }
};

struct MemoryKey {
    std::string name;
    std::vector<std::pair<std::string, RegistryValue>> values;
    std::map<std::string, MemoryKey, NameLessIgnoringCase> subkeys;

    const RegistryValue* FindValue(std::string_view valueName) const;

    // Exact comparison, spelling of names included.
    friend bool operator==(const MemoryKey&, const MemoryKey&) = default;
};

class MemoryRegistryStore final : public RegistryStore {
  public:
    std::optional<RegistryValue> QueryValue(std::string_view keyPath,
                                            std::string_view valueName) const override;
    bool SetValue(std::string_view keyPath, std::string_view valueName, const RegistryValue& value,
                  KeyCreation creation) override;
    bool DeleteValue(std::string_view keyPath, std::string_view valueName) override;

    // Creates the key and its missing parents; false for a malformed path.
    bool CreateKey(std::string_view keyPath);
    // Removes a key with everything below it; a missing key is no error.
    void DeleteKey(std::string_view keyPath);
    bool KeyExists(std::string_view keyPath) const;

    // The hive itself (HKEY_LOCAL_MACHINE), for walking the whole tree.
    const MemoryKey& Root() const { return root_; }

    friend bool operator==(const MemoryRegistryStore& a, const MemoryRegistryStore& b) {
        return a.root_ == b.root_;
    }

  private:
    const MemoryKey* FindKey(std::string_view keyPath) const;
    MemoryKey* FindKey(std::string_view keyPath);
    MemoryKey* FindOrCreateKey(std::string_view keyPath);

    MemoryKey root_;
};

// The parts of a key path, or nothing when a part is empty (a doubled, leading or trailing
// backslash). The empty path has no parts and names the hive.
std::optional<std::vector<std::string_view>> SplitKeyPath(std::string_view keyPath);

}  // namespace netquill
