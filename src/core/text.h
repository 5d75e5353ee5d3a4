// Text helpers shared by every layer. A text is a std::string holding code page 936 (GBK)
// bytes; equality is byte for byte unless a function says otherwise.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace netquill {

inline constexpr std::string_view kLineBreak = "\r\n";

// True when `byte` starts a double-byte character of code page 936.
constexpr bool IsLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

// Replaces the full-width forms A3A1..A3FE by ASCII 21..7E, A1A1 by a space, A1AB by "~" and
// A1EE / A1EF by "*"; every other character is kept. Walks character boundaries, so a trail
// byte is never mistaken for a lead byte.
std::string NarrowText(std::string_view text);

// The text narrowed, then read as atoi reads it: leading white space, optional sign, decimal
// digits up to the first other character; 0 without digits. Values beyond the int range are
// clamped, as the Windows C runtime does.
int IntegerValue(std::string_view text);

// The text narrowed, then read as atof reads it: leading white space, optional sign, digits with
// an optional fraction and exponent; 0 when the text does not start with a number. Only decimal
// notation counts (no hexadecimal, "inf" or "nan"), and the decimal point is always ".".
double NumberValue(std::string_view text);

// Splits at every `separator`: each piece before a separator is an item (empty ones too), the
// piece after the last one only when it is not empty. An empty text gives no item. With a limit,
// at most that many items are produced.
std::vector<std::string> SplitItems(std::string_view text, std::string_view separator,
                                    std::optional<std::size_t> limit = std::nullopt);

// Position of the first / last single-byte character `c` (an ASCII byte that is not the trail
// byte of a double-byte character), or npos.
std::size_t FindCharacter(std::string_view text, char c, std::size_t from = 0);
std::size_t FindLastCharacter(std::string_view text, char c);

// Compares two texts with ASCII letters folded, leaving double-byte characters untouched.
bool EqualIgnoringCase(std::string_view left, std::string_view right);

// Orders texts as EqualIgnoringCase compares them.
bool LessIgnoringCase(std::string_view left, std::string_view right);

// Removes blanks (space, tab, CR, LF, vertical tab, form feed) at both ends.
std::string_view TrimBlanks(std::string_view text);

}  // namespace netquill
