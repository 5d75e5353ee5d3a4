#include "registry/memory_registry_store.h"

#include <algorithm>

namespace netquill {

std::optional<std::vector<std::string_view>> SplitKeyPath(std::string_view keyPath) {
    std::vector<std::string_view> parts;
    if (keyPath.empty()) {
        return parts;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t slash = FindCharacter(keyPath, '\\', start);
        const std::string_view part = keyPath.substr(start, slash - start);
        if (part.empty()) {
            return std::nullopt;
        }
        parts.push_back(part);
        if (slash == std::string_view::npos) {
            return parts;
        }
        start = slash + 1;
    }
}

const RegistryValue* MemoryKey::FindValue(std::string_view valueName) const {
    const auto found = std::find_if(values.begin(), values.end(), [&](const auto& entry) {
        return EqualIgnoringCase(entry.first, valueName);
    });
    return found == values.end() ? nullptr : &found->second;
}

const MemoryKey* MemoryRegistryStore::FindKey(std::string_view keyPath) const {
    const auto parts = SplitKeyPath(keyPath);
    if (!parts) {
        return nullptr;
    }
    const MemoryKey* key = &root_;
    for (std::string_view part : *parts) {
        const auto found = key->subkeys.find(part);
        if (found == key->subkeys.end()) {
            return nullptr;
        }
        key = &found->second;
    }
    return key;
}

MemoryKey* MemoryRegistryStore::FindKey(std::string_view keyPath) {
    return const_cast<MemoryKey*>(std::as_const(*this).FindKey(keyPath));
}

MemoryKey* MemoryRegistryStore::FindOrCreateKey(std::string_view keyPath) {
    const auto parts = SplitKeyPath(keyPath);
    if (!parts) {
        return nullptr;
    }
    MemoryKey* key = &root_;
    for (std::string_view part : *parts) {
        auto found = key->subkeys.find(part);
        if (found == key->subkeys.end()) {
            found =
                key->subkeys.emplace(std::string(part), MemoryKey{std::string(part), {}, {}}).first;
        }
        key = &found->second;
    }
    return key;
}

std::optional<RegistryValue> MemoryRegistryStore::QueryValue(std::string_view keyPath,
                                                             std::string_view valueName) const {
    const MemoryKey* key = FindKey(keyPath);
    if (key == nullptr) {
        return std::nullopt;
    }
    if (const RegistryValue* value = key->FindValue(valueName)) {
        return *value;
    }
    return std::nullopt;
}

bool MemoryRegistryStore::SetValue(std::string_view keyPath, std::string_view valueName,
                                   const RegistryValue& value, KeyCreation creation) {
    MemoryKey* key =
        creation == KeyCreation::kCreateMissing ? FindOrCreateKey(keyPath) : FindKey(keyPath);
    if (key == nullptr) {
        return false;
    }
    for (auto& entry : key->values) {
        // A replaced value keeps its place and the spelling it was first stored with.
        if (EqualIgnoringCase(entry.first, valueName)) {
            entry.second = value;
            return true;
        }
    }
    key->values.emplace_back(std::string(valueName), value);
    return true;
}

bool MemoryRegistryStore::DeleteValue(std::string_view keyPath, std::string_view valueName) {
    if (MemoryKey* key = FindKey(keyPath)) {
        std::erase_if(key->values,
                      [&](const auto& entry) { return EqualIgnoringCase(entry.first, valueName); });
    }
    return true;
}

bool MemoryRegistryStore::CreateKey(std::string_view keyPath) {
    return FindOrCreateKey(keyPath) != nullptr;
}

void MemoryRegistryStore::DeleteKey(std::string_view keyPath) {
    const auto parts = SplitKeyPath(keyPath);
    if (!parts || parts->empty()) {
        return;
    }
    const std::size_t lastSlash = FindLastCharacter(keyPath, '\\');
    const std::string_view parentPath =
        lastSlash == std::string_view::npos ? std::string_view{} : keyPath.substr(0, lastSlash);
    if (MemoryKey* parent = FindKey(parentPath)) {
        if (const auto found = parent->subkeys.find(parts->back());
            found != parent->subkeys.end()) {
            parent->subkeys.erase(found);
        }
    }
}

bool MemoryRegistryStore::KeyExists(std::string_view keyPath) const {
    return FindKey(keyPath) != nullptr;
}

}  // namespace netquill
