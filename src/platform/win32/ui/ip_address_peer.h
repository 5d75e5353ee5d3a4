// Native peer of the IP-address field (SysIPAddress32): four parts of 0 to 255, shown in a Latin
// face of the message font.
#pragma once

#include <memory>

#include "platform/win32/ui/control_peers.h"
#include "ui/controls/ip_address_field.h"

namespace netquill {

std::unique_ptr<ControlPeer> MakeIpAddressPeer(WindowPeers& owner, const ControlLayout& row,
                                               IpAddressField& field);

}  // namespace netquill
