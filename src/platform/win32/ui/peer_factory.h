// The native peer of each control kind.
#pragma once

#include <memory>

#include "platform/win32/ui/control_peers.h"

namespace netquill {

// The peer of a bound control, by the kind of its layout row.
std::unique_ptr<ControlPeer> MakePeer(WindowPeers& owner, const BoundControl& bound);

}  // namespace netquill
