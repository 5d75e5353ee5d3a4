// Message boxes for tests: each is recorded and "closed" at once.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/user_messages.h"

namespace netquill {

struct ShownMessage {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::kInformation;

    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

class RecordingUserMessages final : public UserMessages {
  public:
    void ShowMessage(std::string_view title, std::string_view text, MessageIcon icon) override {
        shown_.push_back({std::string(title), std::string(text), icon});
    }

    const std::vector<ShownMessage>& Shown() const { return shown_; }

  private:
    std::vector<ShownMessage> shown_;
};

}  // namespace netquill
