#include "platform/win32/ui/ip_address_peer.h"

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/ui/window_text.h"

namespace netquill {
namespace {

class IpAddressPeer final : public ControlPeer {
  public:
    IpAddressPeer(WindowPeers& owner, const ControlLayout& row, IpAddressField& field)
        : ControlPeer(owner, row, field), field_(field) {}

    // The control reports every change of its fields as EN_CHANGE. Reading it: blank fields
    // read as 0, and a control whose four fields are blank reads as the empty text.
    void OnCommand(WORD code) override {
        if (code != EN_CHANGE || correcting_) {
            return;
        }
        CorrectParts();
        std::string address;
        if (SendMessageW(hwnd_, IPM_ISBLANK, 0, 0) == 0) {
            DWORD value = 0;
            SendMessageW(hwnd_, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&value));
            address = std::to_string(FIRST_IPADDRESS(value)) + "." +
                      std::to_string(SECOND_IPADDRESS(value)) + "." +
                      std::to_string(THIRD_IPADDRESS(value)) + "." +
                      std::to_string(FOURTH_IPADDRESS(value));
        }
        field_.SetAddress(address);
        shownAddress_ = field_.Address();
    }

  private:
    NativeClass Describe() const override { return {WC_IPADDRESSW, WS_TABSTOP, 0, L""}; }

    // Typing puts only digits into a part, but pasting or setting its text puts anything, and
    // the control reads a part with no regard to its range (999 spills into the part before it).
    // Each part is made to show what the field takes from it: the number its leading digits
    // make, up to 255, or nothing.
    void CorrectParts() {
        for (HWND part = GetWindow(hwnd_, GW_CHILD); part != nullptr;
             part = GetWindow(part, GW_HWNDNEXT)) {
            const std::wstring text = WindowText(part);
            const std::wstring taken = PartTaken(text);
            if (taken != text) {
                correcting_ = true;
                SetWindowTextW(part, taken.c_str());
                correcting_ = false;
            }
        }
    }

    // Digits the user typed stay as they are, leading zeros included.
    static std::wstring PartTaken(std::wstring_view text) {
        constexpr int kLargest = 255;
        int value = 0;
        std::size_t digits = 0;
        for (; digits < text.size() && text[digits] >= L'0' && text[digits] <= L'9'; ++digits) {
            value = std::min(value * 10 + (text[digits] - L'0'), kLargest + 1);
        }
        if (digits == 0) {
            return {};
        }
        if (digits == text.size() && value <= kLargest) {
            return std::wstring(text);
        }
        return std::to_wstring(std::min(value, kLargest));
    }

    // Only digits show here: the system's message font in a Latin face fits the low fields where
    // a taller Chinese font would have the digits cut off at the bottom, and is condensed where a
    // part is too narrow for "255", so that every part shows its three digits whole.
    void Created() override {
        // The parts are edit boxes inside the control. Not every implementation hands the
        // control's font on to them, and their margins follow the font: each gets the font and
        // narrow margins itself.
        std::vector<HWND> parts;
        for (HWND part = GetWindow(hwnd_, GW_CHILD); part != nullptr;
             part = GetWindow(part, GW_HWNDNEXT)) {
            parts.push_back(part);
        }
        const auto useFont = [](HWND part, HFONT font) {
            SendMessageW(part, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            SendMessageW(part, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(1, 1));
        };
        const HFONT digits = owner_.AddressFieldFont([&](HFONT candidate) {
            if (parts.empty()) {
                return true;
            }
            useFont(parts.front(), candidate);
            RECT format{};
            SendMessageW(parts.front(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
            HDC dc = GetDC(parts.front());
            const HGDIOBJ previous = SelectObject(dc, candidate);
            SIZE widest{};
            GetTextExtentPoint32W(dc, L"255", 3, &widest);
            SelectObject(dc, previous);
            ReleaseDC(parts.front(), dc);
            return widest.cx <= format.right - format.left;
        });
        if (digits != nullptr) {
            SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(digits), FALSE);
            for (const HWND part : parts) {
                useFont(part, digits);
            }
        }
        shownAddress_.clear();
        PushContent();
    }

    // A partly filled field the user left stays as it is: only a change of the model's
    // address is pushed, and the model took the user's input as its address.
    void PushContent() override {
        const std::string address = field_.Address();
        if (address == shownAddress_) {
            return;
        }
        shownAddress_ = address;
        if (field_.IsBlank()) {
            SendMessageW(hwnd_, IPM_CLEARADDRESS, 0, 0);
            return;
        }
        const auto part = [&](std::size_t i) {
            return static_cast<BYTE>(field_.PartAt(i).value_or(0));
        };
        SendMessageW(hwnd_, IPM_SETADDRESS, 0, MAKEIPADDRESS(part(0), part(1), part(2), part(3)));
    }

    IpAddressField& field_;
    std::string shownAddress_;
    bool correcting_ = false;
};

}  // namespace

std::unique_ptr<ControlPeer> MakeIpAddressPeer(WindowPeers& owner, const ControlLayout& row,
                                               IpAddressField& field) {
    return std::make_unique<IpAddressPeer>(owner, row, field);
}

}  // namespace netquill
