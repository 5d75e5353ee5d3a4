// NarrowText and the helpers that walk code page 936 characters. Narrowing works character by
// character, never lengthens a text and is idempotent; the number readers see a text and its
// narrowed form alike; the search for the last character agrees with the forward search.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/text.h"
#include "fuzz_check.h"

namespace netquill {
namespace {

// The last match of the forward search, taken one match after the other.
std::size_t LastByForwardSearch(std::string_view text, char c) {
    std::size_t last = std::string_view::npos;
    for (std::size_t found = FindCharacter(text, c); found != std::string_view::npos;
         found = FindCharacter(text, c, found + 1)) {
        last = found;
    }
    return last;
}

}  // namespace
}  // namespace netquill

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace netquill;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::string narrowed = NarrowText(text);
    Require(narrowed.size() <= text.size(), "narrowing never lengthens a text");
    Require(NarrowText(narrowed) == narrowed, "narrowing is idempotent");

    std::string byCharacter;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t width =
            IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        byCharacter += NarrowText(text.substr(i, width));
        i += width;
    }
    Require(byCharacter == narrowed, "narrowing works character by character");

    Require(IntegerValue(text) == IntegerValue(narrowed), "integers read the narrowed text");
    const double number = NumberValue(text);
    Require(!std::isnan(number), "a number read from text is never NaN");
    Require(number == NumberValue(narrowed), "numbers read the narrowed text");

    for (char c : {'\\', '.', '=', ']', '"'}) {
        Require(FindLastCharacter(text, c) == LastByForwardSearch(text, c),
                "the last character found from the end is the forward search's last");
    }
    return 0;
}
