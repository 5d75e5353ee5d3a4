// Native peer of the edit box (EDIT): normal, read-only, password or integer input.
#pragma once

#include <memory>

#include "platform/win32/ui/control_peers.h"
#include "ui/controls/edit_box.h"

namespace netquill {

std::unique_ptr<ControlPeer> MakeEditPeer(WindowPeers& owner, const ControlLayout& row,
                                          EditBox& edit);

}  // namespace netquill
