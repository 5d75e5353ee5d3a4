// Conversion between code page 936 texts and UTF-16, for the places where texts cross into
// Unicode (Win32 W functions, Unicode .reg files). Each platform supplies the implementation.
#pragma once

#include <string>
#include <string_view>

namespace netquill {

// A character that code page 936 cannot hold, or an unpaired surrogate, becomes "?" (the
// Windows backend writes one per UTF-16 unit).
std::string Utf16ToCp936(std::u16string_view text);

// A byte sequence that is not valid code page 936 becomes a replacement character (U+FFFD per
// bad byte here, the system's own choice on Windows); conversion never fails. A lead byte that
// no trail byte follows is replaced alone: the byte after it stays a character of its own.
std::u16string Cp936ToUtf16(std::string_view text);

}  // namespace netquill
