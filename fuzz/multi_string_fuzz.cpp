// The multi-string conversion. Lines survive the way to REG_MULTI_SZ data and back, each then
// closed by CR LF; any data read as lines is a fixed point of the round trip; data always ends in
// the NUL that closes the list.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "registry/multi_string.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace netquill;
    const std::string_view input(reinterpret_cast<const char*>(bytes), size);

    const std::string data = LinesToMultiStringData(input);
    Require(data.ends_with('\0'), "multi-string data ends in a NUL");
    Require(data == std::string_view("\0", 1) || data.ends_with(std::string_view("\0\0", 2)),
            "multi-string data is closed by an empty string");

    // A NUL inside a line would end its string early; lines typed by the user hold none.
    if (input.find('\0') == std::string_view::npos) {
        const std::string expected = input.empty() || input.ends_with("\r\n")
                                         ? std::string(input)
                                         : std::string(input) + "\r\n";
        Require(MultiStringDataToLines(data) == expected, "lines survive the round trip");
    }

    const std::string lines = MultiStringDataToLines(input);
    Require(lines.empty() || lines.ends_with("\r\n"), "every line is closed by CR LF");
    Require(MultiStringDataToLines(LinesToMultiStringData(lines)) == lines,
            "lines read from data survive the round trip");
    return 0;
}
