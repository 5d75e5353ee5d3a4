#include "support/registry_values.h"

#include <cstdio>

namespace netquill {
namespace {

void Collect(const MemoryKey& key, const std::string& path, RegistryValues& values) {
    for (const auto& [name, value] : key.values) {
        values.emplace(path + name, value);
    }
    for (const auto& [name, subkey] : key.subkeys) {
        Collect(subkey, path + subkey.name + "\\", values);
    }
}

}  // namespace

RegistryValues AllRegistryValues(const MemoryRegistryStore& store) {
    RegistryValues values;
    Collect(store.Root(), "", values);
    return values;
}

void PrintTo(const RegistryValue& value, std::ostream* out) {
    *out << "type " << value.type << " \"";
    for (const char c : value.data) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            *out << c;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            *out << escaped;
        }
    }
    *out << '"';
}

}  // namespace netquill
