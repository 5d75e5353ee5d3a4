#include "core/text.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>

namespace netquill {
namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char FoldAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Replacement of one double-byte character, or 0 when it stays as it is.
char NarrowedForm(unsigned char lead, unsigned char trail) {
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
        return static_cast<char>(trail - 0xA1 + 0x21);
    }
    if (lead == 0xA1) {
        switch (trail) {
            case 0xA1:
                return ' ';
            case 0xAB:
                return '~';
            case 0xEE:
            case 0xEF:
                return '*';
            default:
                break;
        }
    }
    return 0;
}

// Decimal magnitude (position of the first significant digit relative to the point) of a
// mantissa, used to tell overflow from underflow when the conversion is out of range.
long long DecimalMagnitude(std::string_view mantissa) {
    long long integerDigits = 0;
    bool seenPoint = false;
    long long leadingFractionZeros = 0;
    bool seenSignificant = false;
    for (char c : mantissa) {
        if (c == '.') {
            seenPoint = true;
            continue;
        }
        if (!seenSignificant && c == '0') {
            if (seenPoint) {
                ++leadingFractionZeros;
            }
            continue;
        }
        seenSignificant = true;
        if (!seenPoint) {
            ++integerDigits;
        } else {
            break;
        }
    }
    return integerDigits > 0 ? integerDigits : -leadingFractionZeros;
}

}  // namespace

std::string NarrowText(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(lead) && i + 1 < text.size()) {
            const auto trail = static_cast<unsigned char>(text[i + 1]);
            if (char narrowed = NarrowedForm(lead, trail)) {
                result.push_back(narrowed);
            } else {
                result.push_back(text[i]);
                result.push_back(text[i + 1]);
            }
            ++i;
        } else {
            result.push_back(text[i]);
        }
    }
    return result;
}

int IntegerValue(std::string_view text) {
    const std::string narrowed = NarrowText(text);
    std::size_t i = 0;
    while (i < narrowed.size() && IsCSpace(narrowed[i])) {
        ++i;
    }
    bool negative = false;
    if (i < narrowed.size() && (narrowed[i] == '+' || narrowed[i] == '-')) {
        negative = narrowed[i] == '-';
        ++i;
    }
    // Accumulate in 64 bits and stop growing once past the int range.
    std::int64_t value = 0;
    constexpr std::int64_t kBeyond = static_cast<std::int64_t>(INT_MAX) + 2;
    for (; i < narrowed.size() && IsDigit(narrowed[i]); ++i) {
        if (value < kBeyond) {
            value = value * 10 + (narrowed[i] - '0');
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

double NumberValue(std::string_view text) {
    const std::string narrowed = NarrowText(text);
    std::size_t i = 0;
    while (i < narrowed.size() && IsCSpace(narrowed[i])) {
        ++i;
    }
    bool negative = false;
    if (i < narrowed.size() && (narrowed[i] == '+' || narrowed[i] == '-')) {
        negative = narrowed[i] == '-';
        ++i;
    }
    const std::size_t mantissaStart = i;
    std::size_t digits = 0;
    for (; i < narrowed.size() && IsDigit(narrowed[i]); ++i) {
        ++digits;
    }
    if (i < narrowed.size() && narrowed[i] == '.') {
        ++i;
        for (; i < narrowed.size() && IsDigit(narrowed[i]); ++i) {
            ++digits;
        }
    }
    if (digits == 0) {
        return 0.0;
    }
    const std::string mantissa = narrowed.substr(mantissaStart, i - mantissaStart);
    long long exponent = 0;
    if (i < narrowed.size() && (narrowed[i] == 'e' || narrowed[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < narrowed.size() && (narrowed[j] == '+' || narrowed[j] == '-')) {
            negativeExponent = narrowed[j] == '-';
            ++j;
        }
        if (j < narrowed.size() && IsDigit(narrowed[j])) {
            for (; j < narrowed.size() && IsDigit(narrowed[j]); ++j) {
                if (exponent < 100000) {
                    exponent = exponent * 10 + (narrowed[j] - '0');
                }
            }
            if (negativeExponent) {
                exponent = -exponent;
            }
        }
    }
    // "0" in front keeps ".5" acceptable to from_chars.
    const std::string number = "0" + mantissa + "e" + std::to_string(exponent);
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        value = DecimalMagnitude(mantissa) + exponent > 0 ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

std::vector<std::string> SplitItems(std::string_view text, std::string_view separator,
                                    std::optional<std::size_t> limit) {
    std::vector<std::string> items;
    const std::size_t maximum = limit.value_or(std::numeric_limits<std::size_t>::max());
    if (separator.empty()) {
        if (!text.empty() && maximum > 0) {
            items.emplace_back(text);
        }
        return items;
    }
    std::size_t start = 0;
    while (items.size() < maximum) {
        const std::size_t found = text.find(separator, start);
        if (found == std::string_view::npos) {
            if (start < text.size()) {
                items.emplace_back(text.substr(start));
            }
            break;
        }
        items.emplace_back(text.substr(start, found - start));
        start = found + separator.size();
    }
    return items;
}

std::size_t FindCharacter(std::string_view text, char c, std::size_t from) {
    // `from` is taken to be a character boundary.
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == c) {
            return i;
        }
        if (IsLeadByte(static_cast<unsigned char>(text[i]))) {
            ++i;
        }
    }
    return std::string_view::npos;
}

std::size_t FindLastCharacter(std::string_view text, char c) {
    // Searched from the end, since every registry access looks for the last backslash of a long
    // path. A byte outside the lead-byte range always ends a character, so a match is a character
    // of its own when an even number of lead-range bytes lie between it and the nearest such
    // byte before it (or the start).
    for (std::size_t found = text.rfind(c); found != std::string_view::npos;
         found = found == 0 ? std::string_view::npos : text.rfind(c, found - 1)) {
        std::size_t leads = 0;
        while (leads < found && IsLeadByte(static_cast<unsigned char>(text[found - 1 - leads]))) {
            ++leads;
        }
        if (leads % 2 == 0) {
            return found;
        }
    }
    return std::string_view::npos;
}

bool EqualIgnoringCase(std::string_view left, std::string_view right) {
    if (left.size() != right.size()) {
        return false;
    }
    return !LessIgnoringCase(left, right) && !LessIgnoringCase(right, left);
}

bool LessIgnoringCase(std::string_view left, std::string_view right) {
    std::size_t i = 0;
    bool insideDoubleByte = false;
    for (; i < left.size() && i < right.size(); ++i) {
        char a = left[i];
        char b = right[i];
        if (!insideDoubleByte) {
            a = FoldAscii(a);
            b = FoldAscii(b);
        }
        if (a != b) {
            return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
        }
        // Both texts share this byte, so they agree on where characters start.
        insideDoubleByte = !insideDoubleByte && IsLeadByte(static_cast<unsigned char>(left[i]));
    }
    return left.size() < right.size();
}

std::string_view TrimBlanks(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsCSpace(text[begin])) {
        ++begin;
    }
    while (end > begin && IsCSpace(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

}  // namespace netquill
