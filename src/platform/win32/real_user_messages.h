// The system's message box, without an owner window and modal for the whole program.
#pragma once

#include <functional>
#include <utility>

#include "core/user_messages.h"

namespace netquill {

class RealUserMessages final : public UserMessages {
  public:
    // Runs before each box shows: the windows' peers push the program's changes there, so that
    // the windows behind the box show what it speaks of (a page turned back, a list as it is).
    void SetBeforeShow(std::function<void()> beforeShow) { beforeShow_ = std::move(beforeShow); }

    void ShowMessage(std::string_view title, std::string_view text, MessageIcon icon) override;

  private:
    std::function<void()> beforeShow_;
};

}  // namespace netquill
