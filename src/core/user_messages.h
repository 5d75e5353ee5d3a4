// Port to the system's message box: the few messages the program shows the user.
// Error contract: nothing fails; a box that cannot be shown is skipped.
#pragma once

#include <string_view>

namespace netquill {

enum class MessageIcon { kInformation, kExclamation, kError };

class UserMessages {
  public:
    virtual ~UserMessages() = default;

    // Shows `text` under `title` (code page 936) with one OK button, without an owner window and
    // modal for the whole program, and returns when the user has closed it.
    virtual void ShowMessage(std::string_view title, std::string_view text, MessageIcon icon) = 0;
};

}  // namespace netquill
