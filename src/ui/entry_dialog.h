// The entry dialog as a model: one member per control, named as in the dialog's layout and
// initialised from its design state. A new one is made for every opening.
#pragma once

#include "ui/controls/button.h"
#include "ui/controls/edit_box.h"
#include "ui/controls/ip_address_field.h"
#include "ui/controls/label.h"
#include "ui/dialog_window.h"

namespace netquill {

class EntryDialog final : public DialogWindow {
  public:
    // Caption "数据处理", 245 × 165; only the two buttons visible.
    EntryDialog();

    // Address entry.
    Label 地址标签;
    IpAddressField 地址框;
    Label 掩码标签;
    IpAddressField 掩码框;

    // Gateway entry.
    Label 网关标签;
    IpAddressField 网关框;
    GroupBox 跃点分组框;
    CheckBox 自动框;
    Label 跃点标签;
    EditBox 跃点框;

    // DNS server entry.
    Label DNS标签;
    IpAddressField DNS框;

    Button 添加按钮;
    Button 取消按钮;
};

}  // namespace netquill
