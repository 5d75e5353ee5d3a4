#include "platform/win32/ui/button_peers.h"

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <optional>
#include <string>

#include "platform/win32/ui/peer_colours.h"
#include "platform/win32/wide_text.h"

namespace netquill {
namespace {

class ButtonPeer final : public ControlPeer {
  public:
    ButtonPeer(WindowPeers& owner, const ControlLayout& row, Button& button)
        : ControlPeer(owner, row, button), button_(button) {}

    void OnCommand(WORD code) override {
        if (code == BN_CLICKED) {
            button_.Click();
        }
    }

    bool OnEnterKey() override {
        button_.Click();
        return true;
    }

  private:
    DWORD ButtonStyle() const { return button_.IsDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON; }

    NativeClass Describe() const override {
        return {WC_BUTTONW, WS_TABSTOP | ButtonStyle(), 0, ToWide(button_.Caption())};
    }

    void Created() override {
        shownCaption_ = button_.Caption();
        shownDefault_ = button_.IsDefault();
    }

    void PushContent() override {
        if (button_.Caption() != shownCaption_) {
            shownCaption_ = button_.Caption();
            SetWindowTextW(hwnd_, ToWide(shownCaption_).c_str());
        }
        if (button_.IsDefault() != shownDefault_) {
            shownDefault_ = button_.IsDefault();
            SendMessageW(hwnd_, BM_SETSTYLE, ButtonStyle(), TRUE);
        }
    }

    Button& button_;
    std::string shownCaption_;
    bool shownDefault_ = false;
};

class CheckBoxPeer final : public ControlPeer {
  public:
    CheckBoxPeer(WindowPeers& owner, const ControlLayout& row, CheckBox& checkBox)
        : ControlPeer(owner, row, checkBox), checkBox_(checkBox) {}

    // Not an automatic check box: the model toggles, and the push shows it.
    void OnCommand(WORD code) override {
        if (code == BN_CLICKED) {
            checkBox_.Click();
        }
    }

    HBRUSH OnColour(HDC dc) override { return DialogColours(owner_, *this, dc, std::nullopt); }

  private:
    NativeClass Describe() const override {
        return {WC_BUTTONW, WS_TABSTOP | BS_CHECKBOX, 0, ToWide(checkBox_.Caption())};
    }

    void Created() override {
        shownCaption_ = checkBox_.Caption();
        shownChecked_ = false;
    }

    void PushContent() override {
        if (checkBox_.Caption() != shownCaption_) {
            shownCaption_ = checkBox_.Caption();
            SetWindowTextW(hwnd_, ToWide(shownCaption_).c_str());
        }
        if (checkBox_.Checked() != shownChecked_) {
            shownChecked_ = checkBox_.Checked();
            SendMessageW(hwnd_, BM_SETCHECK, shownChecked_ ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }

    CheckBox& checkBox_;
    std::string shownCaption_;
    bool shownChecked_ = false;
};

}  // namespace

std::unique_ptr<ControlPeer> MakeButtonPeer(WindowPeers& owner, const ControlLayout& row,
                                            Button& button) {
    return std::make_unique<ButtonPeer>(owner, row, button);
}

std::unique_ptr<ControlPeer> MakeCheckBoxPeer(WindowPeers& owner, const ControlLayout& row,
                                              CheckBox& checkBox) {
    return std::make_unique<CheckBoxPeer>(owner, row, checkBox);
}

}  // namespace netquill
