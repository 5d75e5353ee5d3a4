// The program's main window as a model: one member per control, named as in the window's
// layout and initialised from it.
#pragma once

#include <span>
#include <vector>

#include "ui/controls/button.h"
#include "ui/controls/edit_box.h"
#include "ui/controls/ip_address_field.h"
#include "ui/controls/item_list.h"
#include "ui/controls/label.h"
#include "ui/controls/page_container.h"
#include "ui/layout.h"

namespace netquill {

class MainWindow {
  public:
    static constexpr int kLocalConnectionPage = 0;
    static constexpr int kCafePage = 1;

    // Every control shows its initial text, page 0 is current, every control is enabled.
    MainWindow();
    // Controls() points into the object itself.
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    static const WindowLayout& Layout();

    // Every control with its layout row, in the order of the layout table.
    std::span<const BoundControl> Controls() const { return controls_; }

    // Disables (or enables) the four command buttons together; 退出按钮 is not one of them.
    void SetCommandButtonsDisabled(bool disabled);

    // The keyboard focus as the program places it: the control last asked for (nullptr before
    // any request) and how many requests were made, so that asking again for the same control
    // still counts after the user moved the focus on. The native window follows each request.
    const Control* FocusTarget() const { return focusTarget_; }
    unsigned FocusRequests() const { return focusRequests_; }
    void SetFocus(const Control& control) {
        focusTarget_ = &control;
        ++focusRequests_;
    }

    // The user presses Enter in `box`, one of the window's edit boxes: the default button takes
    // the key while it can be clicked, otherwise the box's key-press event gets it (13).
    void PressEnter(EditBox& box);

    // On the window.
    Label 选择标签;
    ComboBox 网卡选择框;
    Label 名称标签;
    Label 适配器标签;
    PageContainer 功能选择夹;
    Button 刷新按钮;
    Button 修改按钮;
    Button 网吧按钮;
    Button 高级按钮;
    Button 退出按钮;
    Hyperlink 超级链接框1;
    Label 标签5;

    // Local-connection page.
    GroupBox 本地连接框;
    Label 机器名标签;
    EditBox 机器名框;
    Label 网络号标签;
    EditBox 网络号框;
    Label MAC标签;
    EditBox MAC信息框;
    Label 状态标签;
    Label 提示标签;
    Label 地址标签;
    IpAddressField 地址框;
    Label 掩码标签;
    IpAddressField 掩码框;
    Label 网关标签;
    IpAddressField 网关框;
    Label 首选标签;
    IpAddressField 首选框;
    Label 备用标签;
    IpAddressField 备用框;

    // Internet-café page.
    GroupBox 网吧修改框;
    Label 机器名标签2;
    EditBox 机器名框2;
    EditBox 机器数框;
    Button 保存按钮;
    Label 地址标签2;
    EditBox 地址框2;
    Label 掩码标签2;
    EditBox 掩码框2;
    Label 网关标签2;
    EditBox 网关框2;
    Label 首选标签2;
    EditBox 首选框2;
    Label 备用标签2;
    EditBox 备用框2;
    Label 登陆标签2;
    EditBox 用户框2;
    EditBox 密码框2;
    CheckBox 增位框;

  private:
    template <typename ControlType>
    void Bind(ControlType& control, std::size_t row);

    std::vector<BoundControl> controls_;
    const Control* focusTarget_ = nullptr;
    unsigned focusRequests_ = 0;
};

}  // namespace netquill
