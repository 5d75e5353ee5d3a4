// Internet-café mode: the operator types one machine number on the café page, and the template
// there together with that number fills the local-connection page (computer name, address, mask,
// gateway, DNS servers, IPX number), which the ordinary apply pipeline then writes, automatic
// logon included. Available only when the template file existed at start-up.
#pragma once

#include <string_view>

#include "ui/program.h"

namespace netquill {

inline constexpr std::string_view kCafeRefusedTitle = "网吧修改";

// The click of 网吧按钮. On the local-connection page: shows the café page, with the focus in
// 机器数框 when the template was loaded. On the café page: applies when the template was loaded
// and a machine number is typed, otherwise goes back to the local-connection page. Does nothing
// while the command buttons are disabled, so that Enter in 机器数框 cannot start a second
// operation inside a running scan or apply.
void OpenOrApplyCafeMode(Program& program);

// Fills the local-connection page from the template and the machine number and runs the apply
// pipeline. The address's last part is the number's integer value, plus 10 when 增位框 is ticked;
// the IPX number box (unless IPX is not installed) gets the same digits, which it reads as
// hexadecimal. When prefix and last part give no valid address (four numbers 0 to 255), a
// message box says why, nothing is filled or written, the café page stays current and the
// command buttons are enabled again.
void ApplyCafeSettings(Program& program);

// A key pressed in 机器数框: Enter (13) runs OpenOrApplyCafeMode, any other key nothing.
void MachineNumberKeyPressed(Program& program, int keyCode);

}  // namespace netquill
