// Colours of the native peers: the model's colours in the system's form, and the colours of
// controls drawn like the dialog around them.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/win32/ui/control_peers.h"
#include "ui/controls/control.h"

namespace netquill {

COLORREF ToColorRef(const Rgb& colour);

// Text in a dialog-coloured control: the model's colour or the system's, on the given
// background or on what lies behind `peer`.
HBRUSH DialogColours(WindowPeers& owner, const ControlPeer& peer, HDC dc, std::optional<Rgb> text,
                     std::optional<Rgb> back = std::nullopt);

}  // namespace netquill
