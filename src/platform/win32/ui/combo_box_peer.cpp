#include "platform/win32/ui/combo_box_peer.h"

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <string>
#include <vector>

#include "platform/win32/wide_text.h"

namespace netquill {
namespace {

class ComboBoxPeer final : public ControlPeer {
  public:
    ComboBoxPeer(WindowPeers& owner, const ControlLayout& row, ComboBox& combo)
        : ControlPeer(owner, row, combo), combo_(combo) {}

    void OnCommand(WORD code) override {
        if (code != CBN_SELCHANGE) {
            return;
        }
        const int index = static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
        shownIndex_ = index;
        combo_.SelectByUser(index);
    }

  private:
    NativeClass Describe() const override {
        return {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, L""};
    }

    void Created() override {
        shownItems_.clear();
        shownIndex_ = -1;
    }

    // Like every push, compares with what was last shown, not with the control: a selection
    // the user is making is reported by the control and must not be undone in between.
    void PushContent() override {
        if (combo_.Items() != shownItems_) {
            shownItems_ = combo_.Items();
            SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
            for (const std::string& item : shownItems_) {
                SendMessageW(hwnd_, CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(ToWide(item).c_str()));
            }
            shownIndex_ = -1;
        }
        if (combo_.CurrentIndex() != shownIndex_) {
            shownIndex_ = combo_.CurrentIndex();
            SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(shownIndex_), 0);
        }
    }

    ComboBox& combo_;
    std::vector<std::string> shownItems_;
    int shownIndex_ = -1;
};

}  // namespace

std::unique_ptr<ControlPeer> MakeComboBoxPeer(WindowPeers& owner, const ControlLayout& row,
                                              ComboBox& combo) {
    return std::make_unique<ComboBoxPeer>(owner, row, combo);
}

}  // namespace netquill
