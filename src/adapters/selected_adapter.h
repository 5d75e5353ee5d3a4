// Showing the chosen adapter in the main window and loading its settings into the editing lists.
#pragma once

#include "ui/program.h"

namespace netquill {

// Shows the combo box's current adapter; does nothing while the box holds only the "no adapter"
// item, or when no item is current.
void ShowSelectedAdapter(Program& program);

// Rebuilds the address, gateway and DNS lists of the adapter at `position` (from 1) and fills
// the five address fields. An address without a mask gets an empty mask, a gateway without a
// metric gets "0". A position outside the table leaves everything as it was.
void LoadAdapterSettings(Program& program, int position);

}  // namespace netquill
