// The enabled state of the advanced window's list buttons, which follows the lists' contents.
#pragma once

#include "ui/advanced_window.h"

namespace netquill {

// Each list's edit and remove buttons are usable only while the list has rows. The add buttons
// are always usable; nothing disables them.
void UpdateListButtons(AdvancedWindow& window);

// The DNS arrows: up usable when an item below the first is selected, down when one above the
// last is; neither without a selection.
void UpdateMoveButtons(AdvancedWindow& window);

}  // namespace netquill
