// Gives a control the state its layout row describes: caption or initial text, alignment,
// colours, input mode and length limit, default-button flag, pages, columns, pictures. Kinds
// whose model takes nothing from the row (IP-address field, combo box, list box) have no
// overload.
#pragma once

#include "ui/controls/button.h"
#include "ui/controls/edit_box.h"
#include "ui/controls/label.h"
#include "ui/controls/list_view.h"
#include "ui/controls/page_container.h"
#include "ui/layout.h"

namespace netquill {

void ApplyLayout(const ControlLayout& row, Label& label);
void ApplyLayout(const ControlLayout& row, GroupBox& groupBox);
void ApplyLayout(const ControlLayout& row, EditBox& editBox);
void ApplyLayout(const ControlLayout& row, Button& button);
void ApplyLayout(const ControlLayout& row, CheckBox& checkBox);
void ApplyLayout(const ControlLayout& row, Hyperlink& hyperlink);
void ApplyLayout(const ControlLayout& row, PageContainer& pageContainer);
void ApplyLayout(const ControlLayout& row, ListView& listView);
void ApplyLayout(const ControlLayout& row, PictureButton& pictureButton);

}  // namespace netquill
