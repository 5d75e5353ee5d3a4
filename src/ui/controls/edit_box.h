// Single-line edit box. The caret is taken to stay at the end of the text: typing appends and
// Backspace removes the last character. No length limit.
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

    // The user types one single-byte character. Control characters pass the integer-input
    // filter; Backspace removes the last character and the others leave the text as it is.
    // Returns whether the box took the character: false when disabled, hidden or read-only,
    // or when the integer-input filter refuses it.
    bool TypeCharacter(char character);

    // The user types `text` character by character; a double-byte character of code page 936
    // is one character, and counts as printable. Returns how many characters the box took.
    std::size_t TypeText(std::string_view text);

    // The user pastes `text` at the end: taken whole and unfiltered, except in a read-only,
    // disabled or hidden box. Returns whether it was taken.
    bool Paste(std::string_view text);

    // The user presses a key while the box has the focus: fires onKeyPress with the key code
    // (13 for Enter). The text does not change here; a character the key makes arrives
    // through TypeCharacter.
    void PressKey(int keyCode);

    std::function<void(int keyCode)> onKeyPress;

  private:
    bool TypeOne(std::string_view character);

    std::string text_;
    EditMode mode_ = EditMode::kNormal;
    std::optional<Rgb> textColour_;
};

}  // namespace netquill
