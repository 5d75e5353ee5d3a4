#include "platform/win32/ui/picture_button_peer.h"

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <cstdint>
#include <vector>

#include "ui/controls/button_pictures.h"

namespace netquill {
namespace {

class PictureButtonPeer final : public ControlPeer {
  public:
    PictureButtonPeer(WindowPeers& owner, const ControlLayout& row, PictureButton& button)
        : ControlPeer(owner, row, button), button_(button) {}

    // An owner-drawn button reports a quick second click as a double click: each click counts.
    void OnCommand(WORD code) override {
        if (code == BN_CLICKED || code == BN_DOUBLECLICKED) {
            button_.Click();
        }
    }

    bool OnEnterKey() override {
        button_.Click();
        return true;
    }

    bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
        const ButtonFaceState state =
            (item.itemState & ODS_DISABLED) != 0   ? ButtonFaceState::kDisabled
            : (item.itemState & ODS_SELECTED) != 0 ? ButtonFaceState::kPressed
            : hot_                                 ? ButtonFaceState::kHot
                                                   : ButtonFaceState::kNormal;
        const int width = item.rcItem.right - item.rcItem.left;
        const int height = item.rcItem.bottom - item.rcItem.top;
        const COLORREF face = owner_.BackgroundOf(*this);
        const PictureImage image =
            DrawButtonPicture(button_.Picture(), state, width, height,
                              {GetRValue(face), GetGValue(face), GetBValue(face)});
        std::vector<std::uint32_t> bits;
        bits.reserve(image.pixels.size());
        for (const Rgb& pixel : image.pixels) {
            bits.push_back(std::uint32_t{pixel.red} << 16 | std::uint32_t{pixel.green} << 8 |
                           pixel.blue);
        }
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = image.width;
        info.bmiHeader.biHeight = -image.height;  // top-down, as the picture's rows are
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(item.hDC, item.rcItem.left, item.rcItem.top,
                          static_cast<DWORD>(image.width), static_cast<DWORD>(image.height), 0, 0,
                          0, static_cast<UINT>(image.height), bits.data(), &info, DIB_RGB_COLORS);
        if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
            RECT focus = item.rcItem;
            InflateRect(&focus, -3, -3);
            DrawFocusRect(item.hDC, &focus);
        }
        return true;
    }

  private:
    NativeClass Describe() const override {
        return {WC_BUTTONW, WS_TABSTOP | BS_OWNERDRAW, 0, L""};
    }

    void Created() override {
        shownPicture_ = button_.Picture();
        SetWindowSubclass(hwnd_, &PictureButtonPeer::Subclass, 0,
                          reinterpret_cast<DWORD_PTR>(this));
    }

    void PushContent() override {
        if (button_.Picture() != shownPicture_) {
            shownPicture_ = button_.Picture();
            InvalidateRect(hwnd_, nullptr, FALSE);
        }
    }

    // The hot picture shows while the mouse is over the button.
    static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR data) noexcept {
        auto& peer = *reinterpret_cast<PictureButtonPeer*>(data);
        switch (message) {
            case WM_MOUSEMOVE:
                if (!peer.hot_) {
                    peer.hot_ = true;
                    TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, window, 0};
                    TrackMouseEvent(&leave);
                    InvalidateRect(window, nullptr, FALSE);
                }
                break;
            case WM_MOUSELEAVE:
                peer.hot_ = false;
                InvalidateRect(window, nullptr, FALSE);
                break;
            case WM_NCDESTROY:
                RemoveWindowSubclass(window, &PictureButtonPeer::Subclass, 0);
                break;
            default:
                break;
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }

    PictureButton& button_;
    ButtonPicture shownPicture_ = ButtonPicture::kNone;
    bool hot_ = false;
};

}  // namespace

std::unique_ptr<ControlPeer> MakePictureButtonPeer(WindowPeers& owner, const ControlLayout& row,
                                                   PictureButton& button) {
    return std::make_unique<PictureButtonPeer>(owner, row, button);
}

}  // namespace netquill
