#include "ui/advanced_window.h"

#include "ui/advanced_window_layout.h"

namespace netquill {
namespace {

template <typename ControlType>
consteval std::size_t Row(std::string_view name) {
    return RowOf<ControlType>(kAdvancedWindowControls, name);
}

}  // namespace

AdvancedWindow::AdvancedWindow() : DialogWindow(kAdvancedWindowLayout) {
    Bind(功能选择夹, Row<PageContainer>("功能选择夹"));

    Bind(分组框1, Row<GroupBox>("分组框1"));
    Bind(超级列表框1, Row<ListView>("超级列表框1"));
    Bind(添加按钮1, Row<Button>("添加按钮1"));
    Bind(编辑按钮1, Row<Button>("编辑按钮1"));
    Bind(删除按钮1, Row<Button>("删除按钮1"));
    Bind(分组框2, Row<GroupBox>("分组框2"));
    Bind(超级列表框2, Row<ListView>("超级列表框2"));
    Bind(添加按钮2, Row<Button>("添加按钮2"));
    Bind(编辑按钮2, Row<Button>("编辑按钮2"));
    Bind(删除按钮2, Row<Button>("删除按钮2"));
    Bind(分组框3, Row<GroupBox>("分组框3"));
    Bind(跃点选择框, Row<CheckBox>("跃点选择框"));
    Bind(跃点标签, Row<Label>("跃点标签"));
    Bind(跃点框, Row<EditBox>("跃点框"));

    Bind(DNS标签, Row<Label>("DNS标签"));
    Bind(DNS列表框, Row<ListBox>("DNS列表框"));
    Bind(向上按钮, Row<PictureButton>("向上按钮"));
    Bind(向下按钮, Row<PictureButton>("向下按钮"));
    Bind(添加按钮3, Row<Button>("添加按钮3"));
    Bind(编辑按钮3, Row<Button>("编辑按钮3"));
    Bind(删除按钮3, Row<Button>("删除按钮3"));

    Bind(确定按钮, Row<Button>("确定按钮"));
    Bind(取消按钮, Row<Button>("取消按钮"));
}

}  // namespace netquill
