// Controls the user clicks: the push button, the picture button, the check box and the hyperlink.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "ui/controls/control.h"

namespace netquill {

class Button final : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::kButton;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }

    // The window's default button is clicked by Enter in the window's edit boxes.
    bool IsDefault() const { return isDefault_; }
    void SetDefault(bool isDefault) { isDefault_ = isDefault; }

    // The user clicks: fires onClick unless the button is disabled or hidden.
    void Click() {
        if (ReachableByUser() && onClick) {
            onClick();
        }
    }

    std::function<void()> onClick;

  private:
    std::string caption_;
    bool isDefault_ = false;
};

// A push button that shows a picture instead of a caption; the native peer draws the picture of
// the button's state (normal, hot, pressed, disabled).
class PictureButton final : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::kPictureButton;

    ButtonPicture Picture() const { return picture_; }
    void SetPicture(ButtonPicture picture) { picture_ = picture; }

    // The user clicks: fires onClick unless the button is disabled or hidden.
    void Click() {
        if (ReachableByUser() && onClick) {
            onClick();
        }
    }

    std::function<void()> onClick;

  private:
    ButtonPicture picture_ = ButtonPicture::kNone;
};

class CheckBox final : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::kCheckBox;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }

    bool Checked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }

    // The user clicks: toggles the tick, then fires onClick; nothing when disabled or hidden.
    void Click() {
        if (!ReachableByUser()) {
            return;
        }
        checked_ = !checked_;
        if (onClick) {
            onClick();
        }
    }

    std::function<void()> onClick;

  private:
    std::string caption_;
    bool checked_ = false;
};

// A caption that opens an address in the default browser when clicked; the native peer does
// the opening.
class Hyperlink final : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::kHyperlink;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }

    const std::string& Address() const { return address_; }
    void SetAddress(std::string address) { address_ = std::move(address); }

  private:
    std::string caption_;
    std::string address_;
};

}  // namespace netquill
