#include "core/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace netquill {
namespace {

TEST(NarrowText, ReplacesOnlyTheListedDoubleByteForms) {
    struct Case {
        std::string text;
        std::string narrowed;
    };
    const Case cases[] = {
        {"１９２．１６８", "192.168"},  // full-width digits and point
        {"－５", "-5"},                 // full-width minus
        {"ａＺ～", "aZ~"},              // A3A1..A3FE covers letters and A3FE
        {"\xA1\xA1x", " x"},            // ideographic space
        {"\xA1\xAB", "~"},              // A1AB
        {"\xA1\xEE\xA1\xEF", "**"},     // A1EE, A1EF
        {"本地连接", "本地连接"},       // other characters stay
        {"\xB0\xA3\xA3",
         "\xB0\xA3\xA3"},  // trail byte A3 is no lead byte; lone lead at the end stays
        {"abc", "abc"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NarrowText(c.text), c.narrowed) << c.text;
    }
}

TEST(IntegerValue, ReadsAsAtoiDoes) {
    struct Case {
        std::string text;
        int value;
    };
    const Case cases[] = {
        {"25", 25},
        {"  \t-17abc", -17},
        {"+8", 8},
        {"", 0},
        {"x1", 0},
        {"- 1", 0},
        {"０２０", 20},
        {"－３", -3},
        {"\xA1\xA1"
         "42",
         42},
        {"007", 7},
        {"2147483648", INT_MAX},
        {"-99999999999", INT_MIN},
        {"12.9", 12},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IntegerValue(c.text), c.value) << c.text;
    }
}

TEST(NumberValue, ReadsAsAtofDoes) {
    struct Case {
        std::string text;
        double value;
    };
    const Case cases[] = {
        {"20.7", 20.7},
        {" -3.5e2x", -350.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"1e", 1.0},
        {"1e+", 1.0},
        {"", 0.0},
        {"abc", 0.0},
        {".", 0.0},
        {"-", 0.0},
        {"0x10", 0.0},
        {"inf", 0.0},
        {"０.００000005", 5e-8},
        {"1e-400", 0.0},
        {"4294967295", 4294967295.0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(NumberValue(c.text), c.value) << c.text;
    }
    EXPECT_TRUE(std::isinf(NumberValue("1e400")));
    EXPECT_TRUE(std::isinf(NumberValue(std::string(400, '9'))));
    EXPECT_EQ(NumberValue("0.000000000000000000000000000000000000000000001e-400"), 0.0);
}

TEST(SplitItems, KeepsInnerEmptyItemsAndDropsTrailingOne) {
    using Items = std::vector<std::string>;
    struct Case {
        std::string text;
        std::string separator;
        std::optional<std::size_t> limit;
        Items items;
    };
    const Case cases[] = {
        {"", ",", {}, {}},
        {"a", ",", {}, {"a"}},
        {"a,b,c", ",", {}, {"a", "b", "c"}},
        {"a,,b", ",", {}, {"a", "", "b"}},
        {",a", ",", {}, {"", "a"}},
        {"a,", ",", {}, {"a"}},
        {"a,,", ",", {}, {"a", ""}},
        {",", ",", {}, {""}},
        {" a , b ", ",", {}, {" a ", " b "}},
        {"1.1.1.1 2.2.2.2", ",", {}, {"1.1.1.1 2.2.2.2"}},
        {"a\r\nb\r\n", "\r\n", {}, {"a", "b"}},
        {"a\rb\n", "\r\n", {}, {"a\rb\n"}},
        {"a\r\nb\r\nc\r\n", "\r\n", 2, {"a", "b"}},
        {"a\r\nb", "\r\n", 5, {"a", "b"}},
        {"a\r\nb", "\r\n", 0, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitItems(c.text, c.separator, c.limit), c.items) << c.text;
    }
}

TEST(EqualIgnoringCase, FoldsAsciiLettersButNotDoubleByteTrails) {
    EXPECT_TRUE(EqualIgnoringCase("08002bE10318", "08002BE10318"));
    EXPECT_TRUE(EqualIgnoringCase("DriverDesc", "driverdesc"));
    EXPECT_FALSE(EqualIgnoringCase("abc", "abd"));
    EXPECT_FALSE(EqualIgnoringCase("abc", "ab"));
    // 0x81 0x61 and 0x81 0x41 are two different characters whose trail bytes look like a / A.
    EXPECT_FALSE(EqualIgnoringCase("\x81\x61", "\x81\x41"));
    EXPECT_TRUE(EqualIgnoringCase("\x81\x61x", "\x81\x61X"));
    EXPECT_TRUE(LessIgnoringCase("abc", "ABD"));
    EXPECT_FALSE(LessIgnoringCase("ABD", "abc"));
}

TEST(FindCharacter, SkipsTrailBytesThatLookLikeTheCharacter) {
    const std::string text = "a\\運\\b";  // 運 is DF 5C
    EXPECT_EQ(FindCharacter(text, '\\'), 1u);
    EXPECT_EQ(FindCharacter(text, '\\', 2), 4u);
    EXPECT_EQ(FindLastCharacter(text, '\\'), 4u);
    EXPECT_EQ(FindLastCharacter("運", '\\'), std::string::npos);
    // Runs of bytes in the lead-byte range pair up from the last character boundary before them.
    const std::pair<std::string, std::size_t> lastCases[] = {
        {"\x81\x81\\", 2},          {"\x81\x81\x81\\", std::string::npos}, {"\\\x81\x81\x81\\", 0},
        {"a\\\x81\\\x81\x81\\", 6}, {"\xDF\\\xDF\\", std::string::npos},   {"\\", 0},
        {"", std::string::npos},
    };
    for (const auto& [text, position] : lastCases) {
        EXPECT_EQ(FindLastCharacter(text, '\\'), position) << text;
    }
}

TEST(TrimBlanks, RemovesWhiteSpaceAtBothEnds) {
    EXPECT_EQ(TrimBlanks(" \t a b \r\n"), "a b");
    EXPECT_EQ(TrimBlanks("   "), "");
}

}  // namespace
}  // namespace netquill
