#include "platform/win32/ui/focus_follower.h"

#include <windows.h>

#include <algorithm>

namespace netquill {

void FocusFollower::Follow(const WindowPeers& peers, std::span<const BoundControl> controls,
                           const Control* target, unsigned requests) {
    if (requests == followed_ || target == nullptr) {
        return;
    }
    followed_ = requests;
    const auto bound = std::ranges::find(controls, target, &BoundControl::control);
    if (bound == controls.end()) {
        return;
    }
    const ControlPeer* peer = peers.PeerNamed(bound->layout->name);
    if (peer == nullptr || peer->Handle() == nullptr) {
        return;
    }
    SetFocus(peer->Handle());
    if (bound->layout->kind == ControlKind::kEditBox) {
        SendMessageW(peer->Handle(), EM_SETSEL, 0, -1);
    }
}

}  // namespace netquill
