// The code page conversion's contract, the same cases for the platform's backend: iconv here,
// the system's conversion in the Windows build. The two may pick different replacements for a
// broken sequence, so the cases state what both keep: the characters around it.
#include <gtest/gtest.h>

#include <string>

#include "core/codepage.h"

namespace netquill {
namespace {

struct LoneLeadCase {
    const char* name;
    std::string after;  // what follows a lead byte that has no trail byte
};

// A lead byte without its trail byte takes nothing with it: what follows converts as it would
// alone. Ends a template value read from a damaged file, followed by what the program appends.
TEST(CodepageContract, ALoneLeadByteIsReplacedAloneAndKeepsWhatFollows) {
    const LoneLeadCase cases[] = {
        {"nothing", ""},
        {"a digit", "25"},
        {"the DNS separator", ",8.8.8.8"},
        {"a line break", "\r\n"},
        {"a blank", " b"},
        {"a NUL", std::string("\0b", 2)},
        {"DEL", "\x7F"},
        {"0xFF, which is no trail byte", "\xFF"},
    };
    const std::u16string broken = Cp936ToUtf16("NQ\x81");
    ASSERT_EQ(broken.size(), 3u);
    EXPECT_EQ(broken.substr(0, 2), u"NQ");
    for (const LoneLeadCase& c : cases) {
        EXPECT_EQ(Cp936ToUtf16("NQ\x81" + c.after), broken + Cp936ToUtf16(c.after)) << c.name;
    }
}

struct MissingCase {
    const char* name;
    std::u16string character;
};

// Characters that code page 936 cannot hold become "?" (one, or one per UTF-16 unit) and never
// a lead byte that could take the next character with it.
TEST(CodepageContract, CharactersTheCodePageLacksBecomeQuestionMarks) {
    const MissingCase cases[] = {
        {"an unpaired high surrogate", u"\xD800"},
        {"an unpaired low surrogate", u"\xDC00"},
        {"a pair reversed", u"\xDC00\xD800"},
        {"an emoji", u"\U0001F600"},
        {"a noncharacter", u"\uFFFF"},
        {"C1 controls", u"\u0080\u009F"},
    };
    for (const MissingCase& c : cases) {
        const std::string converted = Utf16ToCp936(u"a" + c.character + u"z");
        ASSERT_GE(converted.size(), 3u) << c.name;
        EXPECT_EQ(converted.front(), 'a') << c.name;
        EXPECT_EQ(converted.back(), 'z') << c.name;
        EXPECT_EQ(converted.find_first_not_of('?', 1), converted.size() - 1) << c.name;
    }
}

// What code page 936 holds comes back byte for byte, however long.
TEST(CodepageContract, TextsOfTheCodePageRoundTrip) {
    std::string longText;
    while (longText.size() < 100000) {
        longText += "网卡 192.168.0.1\x80,";
    }
    for (const std::string& text : {std::string("本地连接 2"), std::string("\x80"), longText}) {
        EXPECT_EQ(Utf16ToCp936(Cp936ToUtf16(text)), text) << text.substr(0, 20);
    }
}

}  // namespace
}  // namespace netquill
