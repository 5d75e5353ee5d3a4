// Single-line edit box. The caret is taken to stay at the end of the text: typing appends and
// Backspace removes the last character. The user's input may be limited to a number of
// characters; the program's SetText is not.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "ui/controls/control.h"

namespace netquill {

enum class EditMode {
    kNormal,
    kReadOnly,      // the program sets the text; the user can select and copy it only
    kPassword,      // shows one "*" per character; Text() gives the real text
    kIntegerInput,  // typed printable characters other than 0-9 and "-" are refused
};

class EditBox final : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::kEditBox;

    // The real text, in every mode.
    const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }

    // What the box shows: the text, or one "*" per character in password mode.
    std::string DisplayText() const;

    EditMode Mode() const { return mode_; }
    void SetMode(EditMode mode) { mode_ = mode; }

    std::optional<Rgb> TextColour() const { return textColour_; }
    void SetTextColour(std::optional<Rgb> colour) { textColour_ = colour; }

    // Most characters the user can bring into the box (a double-byte character counts once);
    // 0 for no limit.
    std::size_t MaxLength() const { return maxLength_; }
    void SetMaxLength(std::size_t maxLength) { maxLength_ = maxLength; }

    // The user types one single-byte character. Control characters pass the integer-input
    // filter and the length limit; Backspace removes the last character and the others leave
    // the text as it is. Returns whether the box took the character: false when disabled,
    // hidden or read-only, when the integer-input filter refuses it or the box is full.
    bool TypeCharacter(char character);

    // The user types `text` character by character; a double-byte character of code page 936
    // is one character, and counts as printable. Returns how many characters the box took.
    std::size_t TypeText(std::string_view text);

    // The user pastes `text` at the end: taken unfiltered, cut to the characters that fit the
    // length limit; nothing in a read-only, disabled or hidden box. Returns whether any of it
    // was taken.
    bool Paste(std::string_view text);

    // The user presses a key while the box has the focus: fires onKeyPress with the key code
    // (13 for Enter). The text does not change here; a character the key makes arrives
    // through TypeCharacter.
    void PressKey(int keyCode);

    std::function<void(int keyCode)> onKeyPress;
    // Fires after the user's typing or pasting changed the text; SetText fires nothing.
    std::function<void()> onTextChanged;

  private:
    bool TypeOne(std::string_view character);
    std::size_t RoomLeft() const;
    void TextChangedByUser();

    std::string text_;
    EditMode mode_ = EditMode::kNormal;
    std::optional<Rgb> textColour_;
    std::size_t maxLength_ = 0;
};

}  // namespace netquill
