// ConvertRadix. Equal or invalid radixes give the text unchanged. Otherwise the output is a
// canonical number of the target radix below 2^32, it converts back and forth to itself, and
// for a text of valid digits small enough to add up exactly it holds the text's value modulo 2^32.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "apply/radix.h"
#include "fuzz_check.h"

namespace netquill {
namespace {

std::optional<int> DigitOf(char c, int radix) {
    int digit = 36;
    if (c >= '0' && c <= '9') {
        digit = c - '0';
    } else if (c >= 'A' && c <= 'Z') {
        digit = c - 'A' + 10;
    } else if (c >= 'a' && c <= 'z') {
        digit = c - 'a' + 10;
    }
    return digit < radix ? std::optional<int>(digit) : std::nullopt;
}

// The exact value of a text of valid digits, or nothing when a digit is invalid or the value
// reaches 2^53, beyond which the conversion's arithmetic need not be exact.
std::optional<std::uint64_t> ExactValue(std::string_view text, int radix) {
    std::uint64_t value = 0;
    for (char c : text) {
        const std::optional<int> digit = DigitOf(c, radix);
        if (!digit || value > ((std::uint64_t{1} << 53) - 1 - *digit) / radix) {
            return std::nullopt;
        }
        value = value * radix + *digit;
    }
    return value;
}

}  // namespace
}  // namespace netquill

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace netquill;
    FuzzedDataProvider input(data, size);
    const int from = input.ConsumeIntegralInRange<int>(0, 40);
    const int to = input.ConsumeIntegralInRange<int>(0, 40);
    const std::string text = input.ConsumeRemainingBytesAsString();

    const std::string output = ConvertRadix(text, from, to);
    const auto valid = [](int radix) { return radix >= 2 && radix <= 36; };
    if (from == to || !valid(from) || !valid(to)) {
        Require(output == text, "equal or invalid radixes leave the text unchanged");
        return 0;
    }
    const std::optional<std::uint64_t> value = ExactValue(output, to);
    Require(value.has_value() && *value <= 0xFFFFFFFFu,
            "the output is a number of the target radix below 2^32");
    Require(output == "0" || !output.starts_with('0'), "the output has no leading zeros");
    for (char c : output) {
        Require(!(c >= 'a' && c <= 'z'), "the output is upper case");
    }
    Require(ConvertRadix(ConvertRadix(output, to, from), from, to) == output,
            "the output survives a round trip through the source radix");
    Require((to == 10 ? output : ConvertRadix(output, to, 10)) == std::to_string(*value),
            "the output names its value in decimal");
    if (const std::optional<std::uint64_t> exact = ExactValue(text, from)) {
        Require(*value == (*exact & 0xFFFFFFFFu), "the output holds the text's low 32 bits");
    }
    return 0;
}
