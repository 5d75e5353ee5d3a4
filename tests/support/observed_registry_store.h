// A registry store for tests that keeps a log of every change asked of it and can refuse chosen
// writes, as a registry does where the program lacks the right to write.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/memory_registry_store.h"

namespace netquill {

class ObservedRegistryStore final : public RegistryStore {
  public:
    std::optional<RegistryValue> QueryValue(std::string_view keyPath,
                                            std::string_view valueName) const override {
        return memory.QueryValue(keyPath, valueName);
    }

    // Logged as "set <key>\<value>"; refused without a change when `refuse` says so.
    bool SetValue(std::string_view keyPath, std::string_view valueName, const RegistryValue& value,
                  KeyCreation creation) override {
        const std::string path = Path(keyPath, valueName);
        log.push_back("set " + path);
        return !(refuse && refuse(path)) && memory.SetValue(keyPath, valueName, value, creation);
    }

    // Logged as "delete <key>\<value>". A refused delete of a value that exists fails; one of
    // a missing value still succeeds, as the store's contract says.
    bool DeleteValue(std::string_view keyPath, std::string_view valueName) override {
        const std::string path = Path(keyPath, valueName);
        log.push_back("delete " + path);
        if (refuse && refuse(path)) {
            return !memory.QueryValue(keyPath, valueName).has_value();
        }
        return memory.DeleteValue(keyPath, valueName);
    }

    // Refuses `count` changes in a row, from change number `first` on (counting from 0, from
    // now): a registry that stops taking writes midway, or refuses only one of them.
    void RefuseChanges(std::size_t first, std::size_t count = SIZE_MAX) {
        refuse = [first, count, seen = std::size_t{0}](const std::string&) mutable {
            const std::size_t index = seen++;
            return index >= first && index - first < count;
        };
    }

    MemoryRegistryStore memory;
    std::vector<std::string> log;
    // Given "<key>\<value>", true to refuse the change.
    std::function<bool(const std::string&)> refuse;

  private:
    static std::string Path(std::string_view keyPath, std::string_view valueName) {
        return std::string(keyPath).append("\\").append(valueName);
    }
};

}  // namespace netquill
