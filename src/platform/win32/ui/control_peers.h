// Native peers of the headless controls: one real standard control per layout row, created from
// the window's layout table. The model is the truth. Program-side changes (setters) reach the
// native control when the window's peers are synchronised (WindowPeers::Sync), which pushes
// only what differs from what was last shown; user input reaches the model as soon as the
// native control reports it, before any handler can read the model.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ui/layout.h"

namespace netquill {

class WindowPeers;

class ControlPeer {
  public:
    ControlPeer(const ControlPeer&) = delete;
    ControlPeer& operator=(const ControlPeer&) = delete;
    virtual ~ControlPeer() = default;

    HWND Handle() const { return hwnd_; }
    const ControlLayout& Row() const { return row_; }
    Control& Model() const { return model_; }

    // A notification of the native control (WM_COMMAND code, or WM_NOTIFY): user input that the
    // peer turns into the model's state and events.
    virtual void OnCommand(WORD /*code*/) {}
    virtual std::optional<LRESULT> OnNotify(const NMHDR& /*header*/) { return std::nullopt; }

    // WM_CTLCOLOR*: sets the device context's colours and returns the background brush, or
    // nothing for the system's default.
    virtual HBRUSH OnColour(HDC /*dc*/) { return nullptr; }

    // The user presses Enter in this control; true when the peer consumed the key.
    virtual bool OnEnterKey() { return false; }

    // WM_DRAWITEM of an owner-drawn control; true when the peer drew it.
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }

  protected:
    ControlPeer(WindowPeers& owner, const ControlLayout& row, Control& model)
        : owner_(owner), row_(row), model_(model) {}

    struct NativeClass {
        const wchar_t* className = L"";
        DWORD style = 0;
        DWORD exStyle = 0;
        std::wstring text;
    };

    // What to create: class, styles and initial text.
    virtual NativeClass Describe() const = 0;
    // After creation, with the font set.
    virtual void Created() {}
    // Pushes the kind's own state (texts, items, checks) that differs from what was shown.
    virtual void PushContent() = 0;

    WindowPeers& owner_;
    const ControlLayout& row_;
    Control& model_;
    HWND hwnd_ = nullptr;

  private:
    friend class WindowPeers;
    void Create(HWND parent, const RECT& bounds, int id, HFONT font);
    // Pushes visibility, the enabled state and the content.
    void Push(bool visible, bool enabled);

    std::optional<bool> shownVisible_;
    std::optional<bool> shownEnabled_;
    // True while this peer pushes: the control's notifications then echo the program's own
    // change and are not user input.
    bool pushing_ = false;
};

// The peers of one window. Every peer is a direct child of the host window, placed at its row's
// box relative to the client area (ClientBox), so that notifications, colours and keyboard
// navigation all go through the host; containers (page container, group boxes) sit below the
// controls they hold. A control is shown when it, every container above it and its page are.
class WindowPeers {
  public:
    // Creates every bound control's native control in layout order, which is the tab order.
    WindowPeers(HWND host, const WindowLayout& layout, std::span<const BoundControl> controls);
    WindowPeers(const WindowPeers&) = delete;
    WindowPeers& operator=(const WindowPeers&) = delete;
    ~WindowPeers();

    // Model to native: pushes every change the program made since the last call.
    void Sync();

    // Routes the host's messages to the control that sent them. Each returns nothing when the
    // message is not one of a peer's.
    void OnCommand(HWND control, WORD code);
    std::optional<LRESULT> OnNotify(const NMHDR& header);
    std::optional<LRESULT> OnColour(HWND control, HDC dc);
    bool OnDrawItem(const DRAWITEMSTRUCT& item);

    // The peer of a native control or of a window inside one (the fields of an IP-address
    // field); nullptr for anything else.
    ControlPeer* PeerOf(HWND window) const;
    ControlPeer* PeerNamed(std::string_view name) const;

    // Clicks the window's default button when it can be clicked; true when it was clicked.
    bool ClickDefaultButton();

    // Ctrl+Tab: the user turns to the next page (or the previous one) of the window's first
    // page container that has a tab strip; true when there is such a container.
    bool TurnPage(bool backwards);

    // Design pixels at 96 DPI to device pixels.
    int Scale(int designPixels) const;
    // The font of an IP-address field: the digits font, condensed (and, if need be, lowered)
    // until `fits` accepts it, or as small as it gets. Owned here.
    HFONT AddressFieldFont(const std::function<bool(HFONT)>& fits);
    HBRUSH Brush(COLORREF colour);
    // What lies behind `peer`: the pane of the tab page it is on, else the window's background.
    COLORREF BackgroundOf(const ControlPeer& peer) const;
    // Fills the panes of the tab controls in the window's background, `dc`: controls that leave
    // their inside unpainted, like group boxes, show the pane there and not the window.
    void PaintPanes(HDC dc);

  private:
    const ControlPeer* PageContainerOf(const ControlPeer& peer) const;
    bool EffectiveVisible(const ControlPeer& peer, int depth = 0) const;
    bool EffectiveEnabled(const ControlPeer& peer, int depth = 0) const;

    HWND host_;
    int dpi_ = 96;
    HFONT font_ = nullptr;
    std::vector<std::unique_ptr<ControlPeer>> peers_;
    std::map<HWND, ControlPeer*> byHandle_;
    std::map<COLORREF, HBRUSH> brushes_;
    // The system's message font where `font_` replaces it for lack of Chinese glyphs, else
    // nullptr: the base of the IP-address fields' font.
    HFONT digitsFont_ = nullptr;
    // By character height and average width.
    std::map<std::pair<int, int>, HFONT> fieldFonts_;
    bool syncing_ = false;
    bool syncAgain_ = false;
};

}  // namespace netquill
