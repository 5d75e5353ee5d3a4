// Native peers of the two list controls: the report list view (SysListView32: titled columns,
// single whole-row selection, no sorting header, no grid lines) and the list box (LISTBOX: single
// selection, never sorted).
#pragma once

#include <memory>

#include "platform/win32/ui/control_peers.h"
#include "ui/controls/item_list.h"
#include "ui/controls/list_view.h"

namespace netquill {

std::unique_ptr<ControlPeer> MakeListViewPeer(WindowPeers& owner, const ControlLayout& row,
                                              ListView& list);
std::unique_ptr<ControlPeer> MakeListBoxPeer(WindowPeers& owner, const ControlLayout& row,
                                             ListBox& list);

}  // namespace netquill
