// The system's message box, without an owner window and modal for the whole program.
#pragma once

#include "core/user_messages.h"

namespace netquill {

class RealUserMessages final : public UserMessages {
  public:
    void ShowMessage(std::string_view title, std::string_view text, MessageIcon icon) override;
};

}  // namespace netquill
