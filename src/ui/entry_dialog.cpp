#include "ui/entry_dialog.h"

#include "ui/entry_dialog_layout.h"

namespace netquill {
namespace {

template <typename ControlType>
consteval std::size_t Row(std::string_view name) {
    return RowOf<ControlType>(kEntryDialogControls, name);
}

}  // namespace

EntryDialog::EntryDialog() : DialogWindow(kEntryDialogLayout) {
    Bind(地址标签, Row<Label>("地址标签"));
    Bind(地址框, Row<IpAddressField>("地址框"));
    Bind(掩码标签, Row<Label>("掩码标签"));
    Bind(掩码框, Row<IpAddressField>("掩码框"));
    Bind(网关标签, Row<Label>("网关标签"));
    Bind(网关框, Row<IpAddressField>("网关框"));
    Bind(跃点分组框, Row<GroupBox>("跃点分组框"));
    Bind(自动框, Row<CheckBox>("自动框"));
    Bind(跃点标签, Row<Label>("跃点标签"));
    Bind(跃点框, Row<EditBox>("跃点框"));
    Bind(DNS标签, Row<Label>("DNS标签"));
    Bind(DNS框, Row<IpAddressField>("DNS框"));
    Bind(添加按钮, Row<Button>("添加按钮"));
    Bind(取消按钮, Row<Button>("取消按钮"));
}

}  // namespace netquill
