#include "e2e/raw_access.h"

#include <cstring>

namespace netquill {

bool PutOnClipboard(std::wstring_view text) {
    // Another process may hold the clipboard for a moment.
    bool opened = false;
    for (int attempt = 0; attempt < 50 && !opened; ++attempt) {
        opened = OpenClipboard(nullptr) != FALSE;
        if (!opened) {
            Sleep(20);
        }
    }
    if (!opened) {
        return false;
    }
    EmptyClipboard();
    const std::size_t size = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    bool put = false;
    if (memory != nullptr) {
        auto* units = static_cast<wchar_t*>(GlobalLock(memory));
        std::memcpy(units, text.data(), text.size() * sizeof(wchar_t));
        units[text.size()] = L'\0';
        GlobalUnlock(memory);
        put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!put) {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
    return put;
}

std::vector<BYTE> BytesOf(std::wstring_view text) {
    std::vector<BYTE> bytes;
    bytes.reserve(text.size() * 2);
    for (const wchar_t unit : text) {
        bytes.push_back(static_cast<BYTE>(unit & 0xFF));
        bytes.push_back(static_cast<BYTE>(unit >> 8));
    }
    return bytes;
}

std::optional<RawValue> ReadRawValue(std::wstring_view key, std::wstring_view name) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, std::wstring(key).c_str(), 0, KEY_QUERY_VALUE, &handle) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    const std::wstring valueName(name);
    RawValue value;
    DWORD size = 0;
    LSTATUS status =
        RegQueryValueExW(handle, valueName.c_str(), nullptr, &value.type, nullptr, &size);
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        value.bytes.resize(size);
        status = RegQueryValueExW(handle, valueName.c_str(), nullptr, &value.type,
                                  value.bytes.data(), &size);
        if (status == ERROR_SUCCESS) {
            value.bytes.resize(size);
            break;
        }
    }
    RegCloseKey(handle);
    return status == ERROR_SUCCESS ? std::optional<RawValue>(std::move(value)) : std::nullopt;
}

bool WriteRawValue(std::wstring_view key, std::wstring_view name,
                   const std::optional<RawValue>& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, std::wstring(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &handle, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::wstring valueName(name);
    LSTATUS status = ERROR_SUCCESS;
    if (value) {
        status = RegSetValueExW(handle, valueName.c_str(), 0, value->type, value->bytes.data(),
                                static_cast<DWORD>(value->bytes.size()));
    } else {
        status = RegDeleteValueW(handle, valueName.c_str());
        status = status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
    }
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

RawValuesKept::RawValuesKept(std::vector<ValuePlace> places) : places_(std::move(places)) {
    for (const ValuePlace& place : places_) {
        before_.push_back(ReadRawValue(place.key, place.name));
    }
}

RawValuesKept::~RawValuesKept() {
    for (std::size_t i = 0; i < places_.size(); ++i) {
        WriteRawValue(places_[i].key, places_[i].name, before_[i]);
    }
}

}  // namespace netquill
