// Controls that only show a caption: the label and the group box.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "ui/controls/control.h"

namespace netquill {

enum class Alignment { kLeft, kCentre, kRight };

class Label final : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::kLabel;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }

    Alignment TextAlignment() const { return alignment_; }
    void SetTextAlignment(Alignment alignment) { alignment_ = alignment; }

    // Without a colour the system's default is used.
    std::optional<Rgb> TextColour() const { return textColour_; }
    void SetTextColour(std::optional<Rgb> colour) { textColour_ = colour; }
    std::optional<Rgb> BackColour() const { return backColour_; }
    void SetBackColour(std::optional<Rgb> colour) { backColour_ = colour; }

    bool SunkenEdge() const { return sunkenEdge_; }
    void SetSunkenEdge(bool sunken) { sunkenEdge_ = sunken; }

  private:
    std::string caption_;
    Alignment alignment_ = Alignment::kLeft;
    std::optional<Rgb> textColour_;
    std::optional<Rgb> backColour_;
    bool sunkenEdge_ = false;
};

class GroupBox final : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::kGroupBox;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }

  private:
    std::string caption_;
};

}  // namespace netquill
