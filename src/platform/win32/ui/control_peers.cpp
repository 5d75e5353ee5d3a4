#include "platform/win32/ui/control_peers.h"

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/win32/ui/page_container_peer.h"
#include "platform/win32/ui/peer_factory.h"
#include "platform/win32/ui/ui_fonts.h"
#include "ui/controls/button.h"
#include "ui/controls/page_container.h"

namespace netquill {
namespace {

bool IsContainer(ControlKind kind) {
    return kind == ControlKind::kGroupBox || kind == ControlKind::kPageContainer;
}

}  // namespace

void ControlPeer::Create(HWND parent, const RECT& bounds, int id, HFONT font) {
    const NativeClass native = Describe();
    // A combo box's window includes its dropped list.
    const int height = bounds.bottom - bounds.top +
                       (row_.kind == ControlKind::kComboBox ? owner_.Scale(row_.dropHeight) : 0);
    hwnd_ = CreateWindowExW(native.exStyle, native.className, native.text.c_str(),
                            native.style | WS_CHILD | WS_CLIPSIBLINGS, bounds.left, bounds.top,
                            bounds.right - bounds.left, height, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ == nullptr) {
        return;
    }
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    Created();
}

void ControlPeer::Push(bool visible, bool enabled) {
    if (hwnd_ == nullptr) {
        return;
    }
    pushing_ = true;
    PushContent();
    if (shownEnabled_ != enabled) {
        shownEnabled_ = enabled;
        EnableWindow(hwnd_, enabled);
    }
    if (shownVisible_ != visible) {
        shownVisible_ = visible;
        ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
    }
    pushing_ = false;
}

WindowPeers::WindowPeers(HWND host, const WindowLayout& layout,
                         std::span<const BoundControl> controls)
    : host_(host) {
    if (HDC screen = GetDC(nullptr)) {
        dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    std::tie(font_, digitsFont_) = CreateUiFonts();
    HFONT font = font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

    for (const BoundControl& bound : controls) {
        std::unique_ptr<ControlPeer> peer = MakePeer(*this, bound);
        if (!peer) {
            continue;
        }
        const Rect box = ClientBox(layout, *bound.layout);
        const RECT bounds{Scale(box.x), Scale(box.y), Scale(box.x + box.width),
                          Scale(box.y + box.height)};
        peer->Create(host, bounds, ControlIdOf(layout, bound.layout->name), font);
        if (peer->Handle() != nullptr) {
            byHandle_[peer->Handle()] = peer.get();
        }
        peers_.push_back(std::move(peer));
    }

    // Containers go below everything, the outermost lowest, so that they never paint over the
    // controls they hold. Controls keep the layout's order among themselves: the tab order.
    std::vector<std::pair<int, ControlPeer*>> containers;
    for (const auto& peer : peers_) {
        if (IsContainer(peer->Row().kind)) {
            int depth = 0;
            for (const ControlPeer* p = PeerNamed(peer->Row().parent); p && depth < 64;
                 p = PeerNamed(p->Row().parent)) {
                ++depth;
            }
            containers.emplace_back(depth, peer.get());
        }
    }
    std::ranges::stable_sort(containers, std::greater<>{}, &std::pair<int, ControlPeer*>::first);
    for (const auto& [depth, peer] : containers) {
        SetWindowPos(peer->Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    Sync();
}

WindowPeers::~WindowPeers() {
    for (const auto& [colour, brush] : brushes_) {
        DeleteObject(brush);
    }
    if (digitsFont_ != nullptr) {
        DeleteObject(digitsFont_);
    }
    for (const auto& [size, font] : fieldFonts_) {
        DeleteObject(font);
    }
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
}

HFONT WindowPeers::AddressFieldFont(const std::function<bool(HFONT)>& fits) {
    HFONT base = digitsFont_ ? digitsFont_ : font_;
    LOGFONTW font{};
    if (base == nullptr || GetObjectW(base, sizeof font, &font) == 0) {
        return base;
    }
    // Digits and dots only: a Latin character set, so that a Chinese system does not give the
    // wide digits of a Chinese font.
    font.lfCharSet = ANSI_CHARSET;
    // Made once per size; `width` 0 is the face's own.
    const auto fontOf = [&](int height, int width) {
        HFONT& made = fieldFonts_[{height, width}];
        if (made == nullptr) {
            LOGFONTW sized = font;
            sized.lfHeight = font.lfHeight < 0 ? -height : height;
            sized.lfWidth = width;
            made = CreateFontIndirectW(&sized);
        }
        return made;
    };
    const auto averageWidth = [](HFONT candidate) {
        HDC dc = CreateCompatibleDC(nullptr);
        const HGDIOBJ previous = SelectObject(dc, candidate);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, previous);
        DeleteDC(dc);
        return static_cast<int>(metrics.tmAveCharWidth);
    };
    // The face's own glyphs; else narrower ones, down to two thirds of their width; then lower
    // ones as well, down to two thirds of the height.
    const int height = std::abs(font.lfHeight);
    HFONT chosen = fontOf(height, 0);
    for (int h = height; h >= height * 2 / 3 && !(chosen && fits(chosen)); --h) {
        chosen = fontOf(h, 0);
        const int average = chosen ? averageWidth(chosen) : 0;
        for (int w = average - 1; w >= average * 2 / 3 && w > 0 && !(chosen && fits(chosen)); --w) {
            chosen = fontOf(h, w);
        }
    }
    return chosen;
}

int WindowPeers::Scale(int designPixels) const {
    return MulDiv(designPixels, dpi_, 96);
}

HBRUSH WindowPeers::Brush(COLORREF colour) {
    HBRUSH& brush = brushes_[colour];
    if (brush == nullptr) {
        brush = CreateSolidBrush(colour);
    }
    return brush;
}

ControlPeer* WindowPeers::PeerNamed(std::string_view name) const {
    if (name.empty()) {
        return nullptr;
    }
    const auto found =
        std::ranges::find(peers_, name, [](const auto& peer) { return peer->Row().name; });
    return found == peers_.end() ? nullptr : found->get();
}

ControlPeer* WindowPeers::PeerOf(HWND window) const {
    for (; window != nullptr && window != host_; window = GetParent(window)) {
        if (const auto found = byHandle_.find(window); found != byHandle_.end()) {
            return found->second;
        }
    }
    return nullptr;
}

// The page belongs to the nearest page container above the control, or to the window's.
const ControlPeer* WindowPeers::PageContainerOf(const ControlPeer& peer) const {
    const ControlPeer* container = PeerNamed(peer.Row().parent);
    while (container && container->Row().kind != ControlKind::kPageContainer) {
        container = PeerNamed(container->Row().parent);
    }
    if (!container) {
        const auto first = std::ranges::find(peers_, ControlKind::kPageContainer,
                                             [](const auto& p) { return p->Row().kind; });
        container = first == peers_.end() ? nullptr : first->get();
    }
    return container;
}

COLORREF WindowPeers::BackgroundOf(const ControlPeer& peer) const {
    if (peer.Row().page >= 0) {
        if (const ControlPeer* container = PageContainerOf(peer)) {
            if (const std::optional<COLORREF> pane =
                    static_cast<const PageContainerPeer*>(container)->PaneColour()) {
                return *pane;
            }
        }
    }
    return GetSysColor(COLOR_BTNFACE);
}

void WindowPeers::PaintPanes(HDC dc) {
    for (const auto& peer : peers_) {
        if (peer->Row().kind != ControlKind::kPageContainer || !IsWindowVisible(peer->Handle())) {
            continue;
        }
        const std::optional<COLORREF> colour =
            static_cast<const PageContainerPeer&>(*peer).PaneColour();
        if (!colour) {
            continue;
        }
        RECT pane{};
        GetClientRect(peer->Handle(), &pane);
        SendMessageW(peer->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&pane));
        MapWindowPoints(peer->Handle(), host_, reinterpret_cast<POINT*>(&pane), 2);
        FillRect(dc, &pane, Brush(*colour));
    }
}

bool WindowPeers::EffectiveVisible(const ControlPeer& peer, int depth) const {
    if (!peer.Model().Visible() || depth > 64) {
        return false;
    }
    const ControlLayout& row = peer.Row();
    if (row.page >= 0) {
        const ControlPeer* container = PageContainerOf(peer);
        if (container &&
            static_cast<const PageContainer&>(container->Model()).CurrentPage() != row.page) {
            return false;
        }
    }
    const ControlPeer* parent = PeerNamed(row.parent);
    return parent == nullptr || EffectiveVisible(*parent, depth + 1);
}

bool WindowPeers::EffectiveEnabled(const ControlPeer& peer, int depth) const {
    if (!peer.Model().Enabled() || depth > 64) {
        return false;
    }
    const ControlPeer* parent = PeerNamed(peer.Row().parent);
    return parent == nullptr || EffectiveEnabled(*parent, depth + 1);
}

// A push may wait on another thread (the window system), and messages sent from other
// processes are handled meanwhile; a handler that runs then and changes the model asks for
// another round instead of pushing in the middle of this one.
void WindowPeers::Sync() {
    if (syncing_) {
        syncAgain_ = true;
        return;
    }
    syncing_ = true;
    do {
        syncAgain_ = false;
        for (const auto& peer : peers_) {
            peer->Push(EffectiveVisible(*peer), EffectiveEnabled(*peer));
        }
    } while (syncAgain_);
    syncing_ = false;
}

void WindowPeers::OnCommand(HWND control, WORD code) {
    const auto found = byHandle_.find(control);
    if (found == byHandle_.end() || found->second->pushing_) {
        return;
    }
    found->second->OnCommand(code);
}

std::optional<LRESULT> WindowPeers::OnNotify(const NMHDR& header) {
    const auto found = byHandle_.find(header.hwndFrom);
    if (found == byHandle_.end() || found->second->pushing_) {
        return std::nullopt;
    }
    return found->second->OnNotify(header);
}

std::optional<LRESULT> WindowPeers::OnColour(HWND control, HDC dc) {
    const auto found = byHandle_.find(control);
    if (found == byHandle_.end()) {
        return std::nullopt;
    }
    if (HBRUSH brush = found->second->OnColour(dc)) {
        return reinterpret_cast<LRESULT>(brush);
    }
    return std::nullopt;
}

bool WindowPeers::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const auto found = byHandle_.find(item.hwndItem);
    return found != byHandle_.end() && found->second->OnDrawItem(item);
}

bool WindowPeers::TurnPage(bool backwards) {
    for (const auto& peer : peers_) {
        if (peer->Row().kind != ControlKind::kPageContainer) {
            continue;
        }
        auto& container = static_cast<PageContainer&>(peer->Model());
        if (!container.HasTabStrip()) {
            continue;
        }
        const int count = container.PageCount();
        container.SelectPageByUser((container.CurrentPage() + (backwards ? count - 1 : 1)) % count);
        Sync();
        // The focus must not stay on a control the page change hid.
        if (!IsWindowVisible(GetFocus())) {
            SetFocus(peer->Handle());
        }
        return true;
    }
    return false;
}

bool WindowPeers::ClickDefaultButton() {
    for (const auto& peer : peers_) {
        if (peer->Row().kind == ControlKind::kButton &&
            static_cast<const Button&>(peer->Model()).IsDefault()) {
            if (!EffectiveVisible(*peer) || !EffectiveEnabled(*peer)) {
                return false;
            }
            static_cast<Button&>(peer->Model()).Click();
            Sync();
            return true;
        }
    }
    return false;
}

}  // namespace netquill
