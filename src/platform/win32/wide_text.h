// Texts at the Win32 boundary: code page 936 inside the program, UTF-16 for the W functions.
#pragma once

#include <string>
#include <string_view>

#include "core/codepage.h"

namespace netquill {

inline std::wstring ToWide(std::string_view text) {
    const std::u16string utf16 = Cp936ToUtf16(text);
    return std::wstring(utf16.begin(), utf16.end());
}

inline std::string FromWide(std::wstring_view text) {
    return Utf16ToCp936(std::u16string(text.begin(), text.end()));
}

}  // namespace netquill
