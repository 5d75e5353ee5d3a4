// Headless controls: each kind is a small class holding the control's state. The logic reads
// and writes only these objects; on Windows a native peer mirrors them, elsewhere the object is
// the whole control. "User" methods (Click, SelectByUser, TypeCharacter, ...) stand for what a
// person does and fire the control's events; setters stand for the program and fire none.
#pragma once

#include <cstdint>

namespace netquill {

enum class ControlKind {
    kLabel,
    kEditBox,
    kIpAddressField,
    kButton,
    kPictureButton,
    kCheckBox,
    kComboBox,
    kGroupBox,
    kPageContainer,
    kListView,
    kListBox,
    kHyperlink,
};

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The picture set a picture button shows: one picture for each state of the button.
enum class ButtonPicture { kNone, kGreenArrowUp, kGreenArrowDown };

// State that every kind shares. A control starts enabled and visible.
class Control {
  public:
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

  protected:
    Control() = default;
    Control(const Control&) = default;
    Control& operator=(const Control&) = default;
    ~Control() = default;

    // A disabled or hidden control does not receive the user's input.
    bool ReachableByUser() const { return enabled_ && visible_; }

  private:
    bool enabled_ = true;
    bool visible_ = true;
};

}  // namespace netquill
