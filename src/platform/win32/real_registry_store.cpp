#include "platform/win32/real_registry_store.h"

#include <windows.h>

#include <vector>

#include "platform/win32/wide_text.h"

namespace netquill {
namespace {

// Closes the key on every way out of an operation.
class OpenKey {
  public:
    OpenKey() = default;
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() {
        if (handle_ != nullptr) {
            RegCloseKey(handle_);
        }
    }
    HKEY* Out() { return &handle_; }
    HKEY Get() const { return handle_; }

  private:
    HKEY handle_ = nullptr;
};

LSTATUS Open(std::string_view keyPath, REGSAM access, OpenKey& key) {
    return RegOpenKeyExW(HKEY_LOCAL_MACHINE, ToWide(keyPath).c_str(), 0, access, key.Out());
}

bool HoldsText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

std::string TextFromUtf16Bytes(const std::vector<BYTE>& bytes) {
    // An odd last byte is no whole UTF-16 unit and is dropped.
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    return Utf16ToCp936(units);
}

std::vector<BYTE> Utf16BytesFromText(std::string_view text) {
    const std::u16string units = Cp936ToUtf16(text);
    std::vector<BYTE> bytes;
    bytes.reserve(units.size() * 2);
    for (char16_t unit : units) {
        bytes.push_back(static_cast<BYTE>(unit & 0xFF));
        bytes.push_back(static_cast<BYTE>(unit >> 8));
    }
    return bytes;
}

}  // namespace

std::optional<RegistryValue> RealRegistryStore::QueryValue(std::string_view keyPath,
                                                           std::string_view valueName) const {
    OpenKey key;
    if (Open(keyPath, KEY_QUERY_VALUE, key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    const std::wstring name = ToWide(valueName);
    DWORD type = 0;
    DWORD size = 0;
    std::vector<BYTE> bytes;
    LSTATUS status = RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, &size);
    // The value may grow between the two calls; ask again until the buffer holds it whole.
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        bytes.resize(size);
        status = RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, bytes.data(), &size);
        if (status == ERROR_SUCCESS) {
            bytes.resize(size);
            RegistryValue value{type, {}};
            value.data = HoldsText(type) ? TextFromUtf16Bytes(bytes)
                                         : std::string(bytes.begin(), bytes.end());
            return value;
        }
    }
    return std::nullopt;
}

bool RealRegistryStore::SetValue(std::string_view keyPath, std::string_view valueName,
                                 const RegistryValue& value, KeyCreation creation) {
    OpenKey key;
    const LSTATUS opened =
        creation == KeyCreation::kCreateMissing
            ? RegCreateKeyExW(HKEY_LOCAL_MACHINE, ToWide(keyPath).c_str(), 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, key.Out(), nullptr)
            : Open(keyPath, KEY_SET_VALUE, key);
    if (opened != ERROR_SUCCESS) {
        return false;
    }
    const std::vector<BYTE> bytes = HoldsText(value.type)
                                        ? Utf16BytesFromText(value.data)
                                        : std::vector<BYTE>(value.data.begin(), value.data.end());
    return RegSetValueExW(key.Get(), ToWide(valueName).c_str(), 0, value.type, bytes.data(),
                          static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

bool RealRegistryStore::DeleteValue(std::string_view keyPath, std::string_view valueName) {
    OpenKey key;
    const LSTATUS opened = Open(keyPath, KEY_SET_VALUE, key);
    if (opened == ERROR_FILE_NOT_FOUND) {
        return true;
    }
    if (opened != ERROR_SUCCESS) {
        // Without the right to write, deleting is still no failure when there is nothing to delete.
        return !QueryValue(keyPath, valueName).has_value();
    }
    const LSTATUS deleted = RegDeleteValueW(key.Get(), ToWide(valueName).c_str());
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

}  // namespace netquill
