// What a test puts into the program and reads back from it without the program's own code page
// conversion in between: the clipboard's text, and registry values with the exact type and bytes
// given, whatever the type says they should hold.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace netquill {

// Puts `text` on the clipboard as Unicode text; a NUL inside goes along, and readers stop there
// as they stop at the terminating one. True when the clipboard took it.
bool PutOnClipboard(std::wstring_view text);

struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;

    friend bool operator==(const RawValue&, const RawValue&) = default;
};

// The UTF-16 units of `text` as little-endian bytes, with no terminator added.
std::vector<BYTE> BytesOf(std::wstring_view text);

// A value below HKEY_LOCAL_MACHINE exactly as stored, or nothing when it is missing.
std::optional<RawValue> ReadRawValue(std::wstring_view key, std::wstring_view name);

// Stores `value` with its byte count as given, creating the key when missing; with no value,
// deletes the one stored. True when the registry holds what was asked.
bool WriteRawValue(std::wstring_view key, std::wstring_view name,
                   const std::optional<RawValue>& value);

// A value below HKEY_LOCAL_MACHINE, named by its key and value name.
struct ValuePlace {
    std::wstring key;
    std::wstring name;
};

// Values a test changes, put back byte for byte (or removed again) when it ends.
class RawValuesKept {
  public:
    explicit RawValuesKept(std::vector<ValuePlace> places);
    RawValuesKept(const RawValuesKept&) = delete;
    RawValuesKept& operator=(const RawValuesKept&) = delete;
    ~RawValuesKept();

  private:
    std::vector<ValuePlace> places_;
    std::vector<std::optional<RawValue>> before_;
};

}  // namespace netquill
