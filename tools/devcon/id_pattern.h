// How the device console tool matches the ids given on its command line against a device's ids.
#pragma once

#include <string>
#include <string_view>

namespace netquill::devcon {

enum class PatternTarget {
    kHardwareIds,  // every hardware id and compatible id of the device
    kInstanceId,   // the device instance id (an argument starting with "@")
};

struct IdPattern {
    std::wstring text;
    PatternTarget target = PatternTarget::kHardwareIds;
    bool literal = false;  // an argument starting with "'": "*" is an ordinary character

    friend bool operator==(const IdPattern&, const IdPattern&) = default;
};

// Reads one id argument: a leading "@" aims it at the instance id, then a leading "'" makes the
// rest literal ("'@x" is the literal hardware id "@x").
IdPattern ParseIdPattern(std::wstring_view argument);

// Compares without regard to ASCII letter case (device ids are ASCII). Without "*", or when
// literal, the whole text must be equal. Otherwise "*" stands for any run of characters, also an
// empty one: the text before the first "*" must start the id, the text after the last "*" must
// end it, and the pieces between must follow in order, none overlapping another.
bool MatchesText(const IdPattern& pattern, std::wstring_view text);

}  // namespace netquill::devcon
