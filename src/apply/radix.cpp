#include "apply/radix.h"

#include <cmath>
#include <cstdint>

namespace netquill {
namespace {

constexpr std::string_view kDigits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

int DigitValue(char c) {
    if (c >= 'a' && c <= 'z') {
        c = static_cast<char>(c - 'a' + 'A');
    }
    const std::size_t position = kDigits.find(c);
    return position == std::string_view::npos ? 0 : static_cast<int>(position);
}

bool IsRadix(int radix) {
    return radix >= 2 && radix <= 36;
}

// The low 32 bits of a whole number held in a double; a value too large to be finite gives 0.
std::uint32_t LowBits(double whole) {
    const double wrapped = std::fmod(whole, 4294967296.0);
    if (std::isnan(wrapped)) {
        return 0;
    }
    return static_cast<std::uint32_t>(wrapped < 0 ? wrapped + 4294967296.0 : wrapped);
}

}  // namespace

std::string ConvertRadix(std::string_view text, int fromRadix, int toRadix) {
    if (fromRadix == toRadix || !IsRadix(fromRadix) || !IsRadix(toRadix)) {
        return std::string(text);
    }
    double sum = 0;
    const std::size_t count = text.size();
    for (std::size_t i = 0; i < count; ++i) {
        const int digit = DigitValue(text[i]);
        if (digit == 0) {
            continue;  // adds nothing, also where the power of its place is beyond a double
        }
        sum += digit * std::pow(fromRadix, static_cast<double>(count - 1 - i));
        sum = std::trunc(sum);
    }
    std::uint32_t value = LowBits(sum);
    const auto radix = static_cast<std::uint32_t>(toRadix);
    std::string result;
    while (value >= radix) {
        result.insert(result.begin(), kDigits[value % radix]);
        value /= radix;
    }
    result.insert(result.begin(), kDigits[value]);
    return result;
}

}  // namespace netquill
