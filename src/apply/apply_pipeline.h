// The apply pipeline: what the user edited in the main window goes to the registry, the adapters
// are restarted, and a rescan shows what is now stored.
#pragma once

#include <string_view>

#include "ui/program.h"

namespace netquill {

inline constexpr std::string_view kApplying = "正在修改……";
inline constexpr std::string_view kApplied = "修改完成……";
inline constexpr std::string_view kApplyFailed = "修改失败……";
inline constexpr std::string_view kApplyFailedTitle = "修改失败";

// Disables the command buttons, shows the local-connection page and "正在修改……", then applies
// the settings of the adapter on show. Without one there is nothing to apply: the buttons are
// enabled again and the status line shows what it showed before.
void ModifySelectedAdapter(Program& program);

// Writes the adapter's TCP/IP values, the IPX number, the computer name and (when the café
// template was loaded at start-up) the automatic logon, restarts the adapters, waits 3.5 s while
// handling messages and rescans. The settings are taken at the start, so an adapter chosen while
// the pipeline pumps events cannot mix its own in. When anything could not be stored, or the
// adapters could not be restarted, the status line says "修改失败……" and a message box names
// what; the rescan then shows what is stored.
// Without an adapter on show nothing is written and only the rescan runs.
void ApplySettings(Program& program);

// Takes the five address fields of the main window into the first entries of the editing lists:
// the DNS servers (preferred and alternate are entries 1 and 2; later ones stay), the gateway
// (a new one gets the automatic metric "0"), the address with its mask. A blank field removes
// its entry; a blank preferred field before a filled alternate keeps an empty first entry.
void SyncListsFromMainWindow(Program& program);

}  // namespace netquill
