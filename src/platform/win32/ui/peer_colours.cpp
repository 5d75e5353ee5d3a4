#include "platform/win32/ui/peer_colours.h"

namespace netquill {

COLORREF ToColorRef(const Rgb& colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

HBRUSH DialogColours(WindowPeers& owner, const ControlPeer& peer, HDC dc, std::optional<Rgb> text,
                     std::optional<Rgb> back) {
    SetTextColor(dc, text ? ToColorRef(*text) : GetSysColor(COLOR_BTNTEXT));
    const COLORREF background = back ? ToColorRef(*back) : owner.BackgroundOf(peer);
    SetBkColor(dc, background);
    return owner.Brush(background);
}

}  // namespace netquill
