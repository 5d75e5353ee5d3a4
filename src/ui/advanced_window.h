// The advanced TCP/IP settings window as a model: one member per control, named as in the
// window's layout and initialised from it. It exists only while it is open.
#pragma once

#include "ui/controls/button.h"
#include "ui/controls/edit_box.h"
#include "ui/controls/item_list.h"
#include "ui/controls/label.h"
#include "ui/controls/list_view.h"
#include "ui/controls/page_container.h"
#include "ui/dialog_window.h"

namespace netquill {

class AdvancedWindow final : public DialogWindow {
  public:
    static constexpr int kIpSettingsPage = 0;
    static constexpr int kDnsPage = 1;

    // Every control visible and enabled, lists empty, the IP settings page current.
    AdvancedWindow();

    PageContainer 功能选择夹;

    // IP settings page.
    GroupBox 分组框1;
    ListView 超级列表框1;
    Button 添加按钮1;
    Button 编辑按钮1;
    Button 删除按钮1;
    GroupBox 分组框2;
    ListView 超级列表框2;
    Button 添加按钮2;
    Button 编辑按钮2;
    Button 删除按钮2;
    GroupBox 分组框3;
    CheckBox 跃点选择框;
    Label 跃点标签;
    EditBox 跃点框;

    // DNS page.
    Label DNS标签;
    ListBox DNS列表框;
    PictureButton 向上按钮;
    PictureButton 向下按钮;
    Button 添加按钮3;
    Button 编辑按钮3;
    Button 删除按钮3;

    Button 确定按钮;
    Button 取消按钮;
};

}  // namespace netquill
