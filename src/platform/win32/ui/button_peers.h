// Native peers of the push button (BUTTON, the default one marked) and the check box (BUTTON,
// checked by the model, not by the control).
#pragma once

#include <memory>

#include "platform/win32/ui/control_peers.h"
#include "ui/controls/button.h"

namespace netquill {

std::unique_ptr<ControlPeer> MakeButtonPeer(WindowPeers& owner, const ControlLayout& row,
                                            Button& button);
std::unique_ptr<ControlPeer> MakeCheckBoxPeer(WindowPeers& owner, const ControlLayout& row,
                                              CheckBox& checkBox);

}  // namespace netquill
