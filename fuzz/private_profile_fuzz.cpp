// The template-file reader and writer. Reading any file with any names never overruns the
// buffer; writing a key with well-formed names reads back, leaves every other key's value as it
// was, and writing the same value again changes nothing.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cafe/private_profile.h"
#include "core/text.h"
#include "fuzz_check.h"

namespace netquill {
namespace {

// Whether the text ends on a whole character, not on the first byte of a double-byte one.
bool EndsOnWholeCharacter(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        i += IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    }
    return i == text.size();
}

// Names the file format can hold: on one line, without blanks around them (the reader trims
// those), ending on a whole character (else the "]" or "=" after them would be swallowed).
bool IsWellFormedName(std::string_view name) {
    return name.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos &&
           TrimBlanks(name) == name && EndsOnWholeCharacter(name);
}

// A key name must also not hold "=" nor start a line that reads as a section.
bool IsWellFormedKey(std::string_view key) {
    return IsWellFormedName(key) && FindCharacter(key, '=') == std::string_view::npos &&
           !key.starts_with('[');
}

// A value that reads back as written: one line, no blanks around it, not quoted.
bool ReadsBackAsWritten(std::string_view value) {
    return value.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos &&
           TrimBlanks(value) == value && !value.starts_with('"') && !value.starts_with('\'') &&
           value.size() < kProfileBufferSize;
}

}  // namespace
}  // namespace netquill

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace netquill;
    FuzzedDataProvider input(data, size);
    const std::string content = input.ConsumeRandomLengthString();
    const std::string section = input.ConsumeRandomLengthString();
    const std::string key = input.ConsumeRandomLengthString();
    const std::string value = input.ConsumeRandomLengthString();
    const std::string otherSection = input.ConsumeRandomLengthString();
    const std::string otherKey = input.ConsumeRandomLengthString();
    const std::string defaultValue = input.ConsumeRandomLengthString();
    const std::size_t bufferSize = input.ConsumeIntegralInRange<std::size_t>(0, 80);

    const std::string cut =
        ReadProfileValue(content, otherSection, otherKey, defaultValue, bufferSize);
    Require(cut.size() <= (bufferSize == 0 ? 0 : bufferSize - 1), "a read fits its buffer");

    if (!IsWellFormedName(section) || !IsWellFormedKey(key)) {
        return 0;
    }
    const std::string written = WriteProfileValue(content, section, key, value);
    const std::string fresh = WriteProfileValue("", section, key, value);
    Require(ReadProfileValue(written, section, key, defaultValue) ==
                ReadProfileValue(fresh, section, key, defaultValue),
            "a written value reads back as from a file that holds only it");
    if (ReadsBackAsWritten(value)) {
        Require(ReadProfileValue(written, section, key, defaultValue) == value,
                "a written value reads back");
    }
    if (!EqualIgnoringCase(otherSection, section) || !EqualIgnoringCase(otherKey, key)) {
        Require(ReadProfileValue(written, otherSection, otherKey, defaultValue) ==
                    ReadProfileValue(content, otherSection, otherKey, defaultValue),
                "writing one key leaves the others as they were");
    }
    Require(WriteProfileValue(written, section, key, value) == written,
            "writing the same value again changes nothing");
    return 0;
}
