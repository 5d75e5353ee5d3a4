#include "ui/main_window.h"

#include <algorithm>
#include <functional>

#include "ui/apply_layout.h"
#include "ui/main_window_layout.h"

namespace netquill {
namespace {

// Position of the layout row named `name`. Evaluated while compiling: a name missing from the
// table, or a row of another kind, stops the build.
template <typename ControlType>
consteval std::size_t RowOf(std::string_view name) {
    for (std::size_t i = 0; i < kMainWindowControls.size(); ++i) {
        if (kMainWindowControls[i].name == name) {
            if (kMainWindowControls[i].kind != ControlType::kKind) {
                throw "the layout row is of another kind";
            }
            return i;
        }
    }
    throw "no layout row of that name";
}

}  // namespace

template <typename ControlType>
void MainWindow::Bind(ControlType& control, std::size_t row) {
    const ControlLayout& layout = kMainWindowControls[row];
    if constexpr (requires { ApplyLayout(layout, control); }) {
        ApplyLayout(layout, control);
    }
    controls_.push_back({&layout, &control});
}

MainWindow::MainWindow() {
    Bind(选择标签, RowOf<Label>("选择标签"));
    Bind(网卡选择框, RowOf<ComboBox>("网卡选择框"));
    Bind(名称标签, RowOf<Label>("名称标签"));
    Bind(适配器标签, RowOf<Label>("适配器标签"));
    Bind(功能选择夹, RowOf<PageContainer>("功能选择夹"));
    Bind(刷新按钮, RowOf<Button>("刷新按钮"));
    Bind(修改按钮, RowOf<Button>("修改按钮"));
    Bind(网吧按钮, RowOf<Button>("网吧按钮"));
    Bind(高级按钮, RowOf<Button>("高级按钮"));
    Bind(退出按钮, RowOf<Button>("退出按钮"));
    Bind(超级链接框1, RowOf<Hyperlink>("超级链接框1"));
    Bind(标签5, RowOf<Label>("标签5"));

    Bind(本地连接框, RowOf<GroupBox>("本地连接框"));
    Bind(机器名标签, RowOf<Label>("机器名标签"));
    Bind(机器名框, RowOf<EditBox>("机器名框"));
    Bind(网络号标签, RowOf<Label>("网络号标签"));
    Bind(网络号框, RowOf<EditBox>("网络号框"));
    Bind(MAC标签, RowOf<Label>("MAC标签"));
    Bind(MAC信息框, RowOf<EditBox>("MAC信息框"));
    Bind(状态标签, RowOf<Label>("状态标签"));
    Bind(提示标签, RowOf<Label>("提示标签"));
    Bind(地址标签, RowOf<Label>("地址标签"));
    Bind(地址框, RowOf<IpAddressField>("地址框"));
    Bind(掩码标签, RowOf<Label>("掩码标签"));
    Bind(掩码框, RowOf<IpAddressField>("掩码框"));
    Bind(网关标签, RowOf<Label>("网关标签"));
    Bind(网关框, RowOf<IpAddressField>("网关框"));
    Bind(首选标签, RowOf<Label>("首选标签"));
    Bind(首选框, RowOf<IpAddressField>("首选框"));
    Bind(备用标签, RowOf<Label>("备用标签"));
    Bind(备用框, RowOf<IpAddressField>("备用框"));

    Bind(网吧修改框, RowOf<GroupBox>("网吧修改框"));
    Bind(机器名标签2, RowOf<Label>("机器名标签2"));
    Bind(机器名框2, RowOf<EditBox>("机器名框2"));
    Bind(机器数框, RowOf<EditBox>("机器数框"));
    Bind(保存按钮, RowOf<Button>("保存按钮"));
    Bind(地址标签2, RowOf<Label>("地址标签2"));
    Bind(地址框2, RowOf<EditBox>("地址框2"));
    Bind(掩码标签2, RowOf<Label>("掩码标签2"));
    Bind(掩码框2, RowOf<EditBox>("掩码框2"));
    Bind(网关标签2, RowOf<Label>("网关标签2"));
    Bind(网关框2, RowOf<EditBox>("网关框2"));
    Bind(首选标签2, RowOf<Label>("首选标签2"));
    Bind(首选框2, RowOf<EditBox>("首选框2"));
    Bind(备用标签2, RowOf<Label>("备用标签2"));
    Bind(备用框2, RowOf<EditBox>("备用框2"));
    Bind(登陆标签2, RowOf<Label>("登陆标签2"));
    Bind(用户框2, RowOf<EditBox>("用户框2"));
    Bind(密码框2, RowOf<EditBox>("密码框2"));
    Bind(增位框, RowOf<CheckBox>("增位框"));

    std::ranges::sort(controls_, std::less<>{}, &BoundControl::layout);
}

const WindowLayout& MainWindow::Layout() {
    return kMainWindowLayout;
}

void MainWindow::SetCommandButtonsDisabled(bool disabled) {
    for (const BoundControl& bound : controls_) {
        if (bound.layout->Has(kCommandButton)) {
            bound.control->SetEnabled(!disabled);
        }
    }
}

void MainWindow::PressEnter(EditBox& box) {
    constexpr int kEnterKey = 13;
    if (!box.Enabled() || !box.Visible()) {
        return;
    }
    for (const BoundControl& bound : controls_) {
        if (bound.layout->kind == ControlKind::kButton) {
            auto& button = static_cast<Button&>(*bound.control);
            if (button.IsDefault() && button.Enabled() && button.Visible()) {
                button.Click();
                return;
            }
        }
    }
    box.PressKey(kEnterKey);
}

}  // namespace netquill
