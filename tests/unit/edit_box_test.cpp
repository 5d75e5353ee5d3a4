#include "ui/controls/edit_box.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace netquill {
namespace {

struct TypingCase {
    EditMode mode;
    std::string before;
    std::string typed;
    std::string after;
    std::size_t taken;
};

TEST(EditBox, TypingFollowsTheBoxMode) {
    using enum EditMode;
    const TypingCase cases[] = {
        {kIntegerInput, "", "12a-3", "12-3", 4},
        {kIntegerInput, "", "--5-", "--5-", 4},  // "-" anywhere
        {kIntegerInput, "", "+ .e", "", 0},      // other printable characters refused
        {kIntegerInput, "", "１２", "", 0},      // full-width digits are not digits here
        {kIntegerInput, "", "中", "", 0},
        {kIntegerInput, "12", "\b", "1", 1},         // control keys pass
        {kIntegerInput, "12", "\r\t\x1b", "12", 3},  // and leave the text as it is
        {kNormal, "", "a中 b", "a中 b", 4},          // a double-byte character is one
        {kNormal, "a中", "\b", "a", 1},
        {kNormal, "", "\b", "", 1},
        {kNormal, "", "\x81", "\x81", 1},  // a lone lead byte is taken as typed
        {kPassword, "", "abc", "abc", 3},
        {kReadOnly, "12", "3\b", "12", 0},
    };
    for (const TypingCase& c : cases) {
        EditBox box;
        box.SetMode(c.mode);
        box.SetText(c.before);
        EXPECT_EQ(box.TypeText(c.typed), c.taken) << c.typed;
        EXPECT_EQ(box.Text(), c.after) << c.typed;
    }
}

TEST(EditBox, PastedTextIsNotFiltered) {
    EditBox box;
    box.SetMode(EditMode::kIntegerInput);
    EXPECT_TRUE(box.Paste("12ab"));
    EXPECT_EQ(box.Text(), "12ab");
    box.SetMode(EditMode::kReadOnly);
    EXPECT_FALSE(box.Paste("x"));
    EXPECT_EQ(box.Text(), "12ab");
}

TEST(EditBox, DisabledBoxTakesNoInput) {
    EditBox box;
    int presses = 0;
    box.onKeyPress = [&](int) { ++presses; };
    box.SetEnabled(false);
    EXPECT_FALSE(box.TypeCharacter('1'));
    EXPECT_FALSE(box.Paste("1"));
    box.PressKey(13);
    EXPECT_EQ(box.Text(), "");
    EXPECT_EQ(presses, 0);
}

TEST(EditBox, PasswordBoxShowsOneStarPerCharacterAndGivesTheRealText) {
    EditBox box;
    box.SetMode(EditMode::kPassword);
    box.TypeText("a中b");
    EXPECT_EQ(box.DisplayText(), "***");
    EXPECT_EQ(box.Text(), "a中b");
    box.SetMode(EditMode::kNormal);
    EXPECT_EQ(box.DisplayText(), "a中b");
}

TEST(EditBox, KeyPressCarriesTheKeyCode) {
    EditBox box;
    std::vector<int> codes;
    box.onKeyPress = [&](int code) { codes.push_back(code); };
    box.PressKey(13);
    box.PressKey(65);
    EXPECT_EQ(codes, (std::vector<int>{13, 65}));
    EXPECT_EQ(box.Text(), "");
}

TEST(EditBox, LengthLimitBoundsTypingAndPastingButNotTheProgram) {
    struct Case {
        std::string before;
        std::string typed;   // typed character by character
        std::string pasted;  // then pasted
        std::string after;
    };
    const Case cases[] = {
        {"", "12345", "", "1234"},       // typing stops at the limit
        {"123", "", "4567", "1234"},     // pasting is cut there
        {"12", "中", "", "12中"},        // a double-byte character counts once
        {"12中", "", "文字", "12中文"},  // and is never cut in half
        {"1234", "\b5", "", "1235"},     // Backspace makes room
        {"123456", "7", "8", "123456"},  // a longer text set by the program stays
    };
    for (const Case& c : cases) {
        EditBox box;
        box.SetMaxLength(4);
        box.SetText(c.before);
        box.TypeText(c.typed);
        box.Paste(c.pasted);
        EXPECT_EQ(box.Text(), c.after) << c.before << " + " << c.typed << " + " << c.pasted;
    }
}

TEST(EditBox, TextChangedFiresForTheUsersChangesOnly) {
    EditBox box;
    box.SetMode(EditMode::kIntegerInput);
    box.SetMaxLength(2);
    std::vector<std::string> seen;
    box.onTextChanged = [&] { seen.push_back(box.Text()); };
    box.SetText("9");          // the program: no event
    box.TypeText("a1");        // "a" refused, "1" taken
    box.TypeText("2");         // full
    box.TypeText("\b\b\b\r");  // two removals, then nothing left to remove
    box.Paste("");
    box.Paste("34x");
    EXPECT_EQ(seen, (std::vector<std::string>{"91", "9", "", "34"}));
}

}  // namespace
}  // namespace netquill
