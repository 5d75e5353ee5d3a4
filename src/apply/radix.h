// Conversion of a number text between radixes 2 to 36, as the IPX network number box uses it.
#pragma once

#include <string>
#include <string_view>

namespace netquill {

// Digits are "0-9A-Z" (letters in either case). Each byte adds its digit value times the radix
// power of its place; the sum is truncated toward zero after each byte and only its low 32 bits
// are kept. Digits are not checked against the radix ("G" counts 16 in radix 16), and a byte
// outside the alphabet counts as the digit 0. The output is upper case without leading zeros;
// the low 32 bits are written as an unsigned number, so 8-digit hexadecimal numbers from 80000000
// on survive a round trip. Equal radixes, or a radix outside 2..36, give the text unchanged.
std::string ConvertRadix(std::string_view text, int fromRadix = 10, int toRadix = 10);

}  // namespace netquill
