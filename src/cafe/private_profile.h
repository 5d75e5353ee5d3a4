// Reading and writing keys of a Windows private-profile (INI) file held in memory, by the rules
// of GetPrivateProfileStringA and WritePrivateProfileStringA. Texts and file bytes are code page
// 936; the functions never touch the disk, so the caller decides how the file is stored.
//
// The file is a sequence of lines ending in CR LF, LF or CR. A line whose first non-blank
// character is "[" and that holds a "]" later on starts a section, named by the text between
// "[" and the last "]" with blanks trimmed. Inside a section, a line holding "=" is a key: its
// name is the text before the first "=", its value the text after it, both trimmed of blanks.
// Any other line (comments included) is kept but is no key. Section and key names match with
// ASCII letters folded; double-byte characters compare byte for byte. Where a name occurs
// twice, the first occurrence counts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace netquill {

// The buffer the program reads values into: values are cut to 10,239 bytes.
inline constexpr std::size_t kProfileBufferSize = 10240;

// The value of `key` in `section` of the file `content` (empty for a missing file): trimmed of
// blanks, then stripped of one pair of enclosing quotes when it has at least two characters and
// starts and ends with the same quote (" or '). A missing section or key gives `defaultValue`
// with its trailing blanks removed; a key present with nothing after "=" gives the empty text.
// The result ends at a NUL byte in the value, and is cut to bufferSize - 1 bytes; a double-byte
// character that would be split is left out whole.
std::string ReadProfileValue(std::string_view content, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             std::size_t bufferSize = kProfileBufferSize);

// The file `content` (empty for a missing file) after setting `key` in `section` to `value`.
// An existing key's line becomes "name=value", keeping the name as the file spells it. A new key
// goes after the last non-blank line of the first matching section; a missing section is
// appended at the end with the names as given. Every other line stays as it was, byte for byte.
// Written lines end in CR LF. The value ends at its first CR, LF or NUL, so that it cannot spill
// into lines of its own.
std::string WriteProfileValue(std::string_view content, std::string_view section,
                              std::string_view key, std::string_view value);

}  // namespace netquill
