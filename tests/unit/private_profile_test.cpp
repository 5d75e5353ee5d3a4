// Where our private-profile reader and writer decide for themselves: what the system functions
// leave open or do differently on Windows and Wine (the shared rules are in the contract test).
#include "cafe/private_profile.h"

#include <gtest/gtest.h>

#include <string>

namespace netquill {
namespace {

using namespace std::string_literals;

TEST(ReadProfileValue, CutNeverSplitsADoubleByteCharacter) {
    const std::string file = "[S]\r\nk=a配置\r\n";  // "a", then two characters of two bytes
    struct Case {
        std::size_t bufferSize;
        std::string expected;
    };
    const Case cases[] = {
        {0, ""}, {1, ""}, {2, "a"}, {3, "a"}, {4, "a配"}, {5, "a配"}, {6, "a配置"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bufferSize);
        EXPECT_EQ(ReadProfileValue(file, "S", "k", "", c.bufferSize), c.expected);
    }
    // A lead byte at the very end has no character to complete; it is a byte of its own.
    EXPECT_EQ(ReadProfileValue("[S]\r\nk=ab\x81\r\n", "S", "k", "", 4), "ab\x81");
}

// A damaged file: the edit box the value goes to could not show what follows a NUL.
TEST(ReadProfileValue, ValueEndsAtANul) {
    EXPECT_EQ(ReadProfileValue("[S]\r\nk=NQ\0XX\r\n"s, "S", "k", "d"), "NQ");
    EXPECT_EQ(ReadProfileValue("[S]\r\nk=\0XX\r\n"s, "S", "k", "d"), "");
}

TEST(ReadProfileValue, SectionLines) {
    struct Case {
        const char* name;
        std::string file;
        std::string section;
        std::string expected;
    };
    const Case cases[] = {
        {"NoClosingBracket", "[S\r\nk=v\r\n", "S", "d"},
        {"TextAfterClosingBracket", "[S] ; note\r\nk=v\r\n", "S", "v"},
        {"LastBracketCloses", "[a]b]\r\nk=v\r\n", "a]b", "v"},
        {"SecondSectionOfSameNameIsNotSearched", "[S]\r\na=1\r\n[s]\r\nk=v\r\n", "S", "d"},
        {"TextBeforeBracket", "x[S]\r\nk=v\r\n", "S", "d"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadProfileValue(c.file, c.section, "k", "d"), c.expected);
    }
}

TEST(WriteProfileValue, OtherLinesStayByteForByte) {
    // Blank lines, LF line ends, odd spacing and text before the first section all survive.
    const std::string file = "top\n[S]\n  a = 1 \n\n\n[T]\r\nb=2";
    EXPECT_EQ(WriteProfileValue(file, "S", "c", "3"), "top\n[S]\n  a = 1 \nc=3\r\n\n\n[T]\r\nb=2");
    EXPECT_EQ(WriteProfileValue(file, "s", "A", "9"), "top\n[S]\na=9\r\n\n\n[T]\r\nb=2");
    EXPECT_EQ(WriteProfileValue(file, "U", "c", "3"),
              "top\n[S]\n  a = 1 \n\n\n[T]\r\nb=2\r\n[U]\r\nc=3\r\n");
}

TEST(WriteProfileValue, WritesIntoTheFirstOfTwoEqualSections) {
    const std::string file = "[S]\r\na=1\r\n[S]\r\nk=2\r\n";
    const std::string written = WriteProfileValue(file, "S", "k", "3");
    EXPECT_EQ(written, "[S]\r\na=1\r\nk=3\r\n[S]\r\nk=2\r\n");
    EXPECT_EQ(ReadProfileValue(written, "S", "k", "d"), "3");
}

TEST(WriteProfileValue, ValueEndsAtALineBreakOrNul) {
    // Text pasted into a field must not turn into keys of its own.
    struct Case {
        const char* name;
        std::string value;
        std::string stored;
    };
    const Case cases[] = {
        {"CrLf", "a\r\n增位=真", "a"}, {"Lf", "a\n[T]", "a"},           {"Cr", "a\rb=c", "a"},
        {"Nul", "a\0b=c"s, "a"},       {"LeadingBreak", "\r\nb=c", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string written = WriteProfileValue("[S]\r\n增位=假\r\n", "S", "k", c.value);
        EXPECT_EQ(written, "[S]\r\n增位=假\r\nk=" + c.stored + "\r\n");
        EXPECT_EQ(ReadProfileValue(written, "S", "增位", "d"), "假");
        EXPECT_EQ(ReadProfileValue(written, "S", "k", "d"), c.stored);
    }
}

TEST(WriteProfileValue, ReplacedValuesReadBack) {
    struct Case {
        std::string value;
        std::string readBack;  // without surrounding blanks and one pair of quotes
    };
    const Case cases[] = {
        {"", ""},     {"User", "User"},   {"  pad  ", "pad"},
        {"'q'", "q"}, {"a;b=c", "a;b=c"}, {"网吧", "网吧"},
    };
    std::string file;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        file = WriteProfileValue(file, "配置", "机器", c.value);
        EXPECT_EQ(ReadProfileValue(file, "配置", "机器", "d"), c.readBack);
    }
    // One key line, replaced each time.
    EXPECT_EQ(file, "[配置]\r\n机器=网吧\r\n");
}

}  // namespace
}  // namespace netquill
