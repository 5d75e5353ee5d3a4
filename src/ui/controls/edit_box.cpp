#include "ui/controls/edit_box.h"

#include "core/text.h"

namespace netquill {
namespace {

constexpr char kBackspace = '\b';

// Length in bytes of the character starting at `text[at]`. A lead byte at the very end stands
// alone.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
    return IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

// Start of the last character; walks from the front, since a trail byte can look like a lead.
std::size_t LastCharacterStart(std::string_view text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); i += CharacterLength(text, i)) {
        start = i;
    }
    return start;
}

bool IsControlCharacter(std::string_view character) {
    const auto byte = static_cast<unsigned char>(character.front());
    return character.size() == 1 && (byte < 0x20 || byte == 0x7F);
}

bool PassesIntegerFilter(std::string_view character) {
    if (IsControlCharacter(character)) {
        return true;
    }
    const char c = character.front();
    return character.size() == 1 && ((c >= '0' && c <= '9') || c == '-');
}

}  // namespace

std::string EditBox::DisplayText() const {
    if (mode_ != EditMode::kPassword) {
        return text_;
    }
    std::string masked;
    for (std::size_t i = 0; i < text_.size(); i += CharacterLength(text_, i)) {
        masked.push_back('*');
    }
    return masked;
}

bool EditBox::TypeCharacter(char character) {
    return TypeOne(std::string_view(&character, 1));
}

std::size_t EditBox::TypeText(std::string_view text) {
    std::size_t taken = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharacterLength(text, i);
        if (TypeOne(text.substr(i, length))) {
            ++taken;
        }
        i += length;
    }
    return taken;
}

bool EditBox::TypeOne(std::string_view character) {
    if (!ReachableByUser() || mode_ == EditMode::kReadOnly) {
        return false;
    }
    if (mode_ == EditMode::kIntegerInput && !PassesIntegerFilter(character)) {
        return false;
    }
    if (IsControlCharacter(character)) {
        if (character.front() == kBackspace && !text_.empty()) {
            text_.erase(LastCharacterStart(text_));
            TextChangedByUser();
        }
        return true;
    }
    if (RoomLeft() == 0) {
        return false;
    }
    text_.append(character);
    TextChangedByUser();
    return true;
}

bool EditBox::Paste(std::string_view text) {
    if (!ReachableByUser() || mode_ == EditMode::kReadOnly) {
        return false;
    }
    std::size_t end = 0;
    for (std::size_t room = RoomLeft(); end < text.size() && room > 0; --room) {
        end += CharacterLength(text, end);
    }
    if (end == 0) {
        return false;
    }
    text_.append(text.substr(0, end));
    TextChangedByUser();
    return true;
}

std::size_t EditBox::RoomLeft() const {
    if (maxLength_ == 0) {
        return std::string_view::npos;
    }
    std::size_t length = 0;
    for (std::size_t i = 0; i < text_.size(); i += CharacterLength(text_, i)) {
        ++length;
    }
    return length < maxLength_ ? maxLength_ - length : 0;
}

void EditBox::TextChangedByUser() {
    if (onTextChanged) {
        onTextChanged();
    }
}

void EditBox::PressKey(int keyCode) {
    if (ReachableByUser() && onKeyPress) {
        onKeyPress(keyCode);
    }
}

}  // namespace netquill
