// Native peer of the picture button: an owner-drawn push button that shows the picture of its
// state (normal, hot while the mouse is over it, pressed, disabled), drawn at the button's size.
#pragma once

#include <memory>

#include "platform/win32/ui/control_peers.h"
#include "ui/controls/button.h"

namespace netquill {

std::unique_ptr<ControlPeer> MakePictureButtonPeer(WindowPeers& owner, const ControlLayout& row,
                                                   PictureButton& button);

}  // namespace netquill
