// Native peer of the combo box (COMBOBOX): a drop-down list the user picks from, never edited.
#pragma once

#include <memory>

#include "platform/win32/ui/control_peers.h"
#include "ui/controls/item_list.h"

namespace netquill {

std::unique_ptr<ControlPeer> MakeComboBoxPeer(WindowPeers& owner, const ControlLayout& row,
                                              ComboBox& combo);

}  // namespace netquill
