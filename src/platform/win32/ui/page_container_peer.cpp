#include "platform/win32/ui/page_container_peer.h"

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>
// clang-format on

#include "platform/win32/wide_text.h"

namespace netquill {

std::optional<LRESULT> PageContainerPeer::OnNotify(const NMHDR& header) {
    if (header.code == TCN_SELCHANGE) {
        container_.SelectPageByUser(static_cast<int>(SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0)));
        return 0;
    }
    return std::nullopt;
}

std::optional<COLORREF> PageContainerPeer::PaneColour() const {
    if (container_.HasTabStrip() && !paneColour_) {
        paneColour_ = DrawnPaneColour();
    }
    return paneColour_;
}

// Without tabs, button-style tabs keep the control from framing a pane that the command
// buttons below it would cut through.
ControlPeer::NativeClass PageContainerPeer::Describe() const {
    return {WC_TABCONTROLW, container_.HasTabStrip() ? DWORD{0} : DWORD{TCS_BUTTONS}, 0, L""};
}

void PageContainerPeer::Created() {
    SetWindowTheme(hwnd_, L"", L"");
    if (!container_.HasTabStrip()) {
        return;
    }
    for (int page = 0; page < container_.PageCount(); ++page) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(L"");
        SendMessageW(hwnd_, TCM_INSERTITEMW, static_cast<WPARAM>(page),
                     reinterpret_cast<LPARAM>(&item));
    }
}

// A container without a tab strip has no tabs to show titles or a current page.
void PageContainerPeer::PushContent() {
    if (!container_.HasTabStrip()) {
        return;
    }
    if (container_.PageTitles() != shownTitles_) {
        shownTitles_ = container_.PageTitles();
        for (int page = 0; page < container_.PageCount(); ++page) {
            const auto index = static_cast<std::size_t>(page);
            std::wstring title = index < shownTitles_.size() ? ToWide(shownTitles_[index]) : L"";
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = title.data();
            SendMessageW(hwnd_, TCM_SETITEMW, static_cast<WPARAM>(page),
                         reinterpret_cast<LPARAM>(&item));
        }
    }
    if (SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0) != container_.CurrentPage()) {
        SendMessageW(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(container_.CurrentPage()), 0);
    }
}

std::optional<COLORREF> PageContainerPeer::DrawnPaneColour() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    RECT pane = client;
    SendMessageW(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&pane));
    if (IsRectEmpty(&pane)) {
        return std::nullopt;
    }
    HDC screen = GetDC(hwnd_);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    // A colour no pane has: still there afterwards, nothing was drawn.
    constexpr COLORREF kUntouched = RGB(1, 2, 3);
    SetBkColor(memory, kUntouched);
    ExtTextOutW(memory, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    SendMessageW(hwnd_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory),
                 PRF_CLIENT | PRF_ERASEBKGND);
    const COLORREF colour =
        GetPixel(memory, (pane.left + pane.right) / 2, (pane.top + pane.bottom) / 2);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(hwnd_, screen);
    if (colour == CLR_INVALID || colour == kUntouched) {
        return std::nullopt;
    }
    return colour;
}

}  // namespace netquill
