// Native peers of the controls the user reads and does not edit: the label (STATIC), the group
// box (a BUTTON of the group-box style) and the hyperlink (SysLink, which opens its address).
#pragma once

#include <memory>

#include "platform/win32/ui/control_peers.h"
#include "ui/controls/button.h"
#include "ui/controls/label.h"

namespace netquill {

std::unique_ptr<ControlPeer> MakeLabelPeer(WindowPeers& owner, const ControlLayout& row,
                                           Label& label);
std::unique_ptr<ControlPeer> MakeGroupBoxPeer(WindowPeers& owner, const ControlLayout& row,
                                              GroupBox& groupBox);
std::unique_ptr<ControlPeer> MakeHyperlinkPeer(WindowPeers& owner, const ControlLayout& row,
                                               Hyperlink& link);

}  // namespace netquill
