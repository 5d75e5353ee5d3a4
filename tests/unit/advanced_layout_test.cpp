// The layout tables of AdvancedWindow and EntryDialog, and the window models built from them.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "ui/advanced_window.h"
#include "ui/advanced_window_layout.h"
#include "ui/entry_dialog.h"
#include "ui/entry_dialog_layout.h"

namespace netquill {
namespace {

struct ExpectedRow {
    std::string_view name;
    ControlKind kind;
    std::string_view caption;
    Rect box;
    std::string_view parent;
    int page;
};

void ExpectRows(const WindowLayout& layout, std::span<const ExpectedRow> expected) {
    ASSERT_EQ(layout.controls.size(), expected.size());
    for (const ExpectedRow& e : expected) {
        SCOPED_TRACE(std::string(e.name));
        EXPECT_EQ(std::ranges::count(layout.controls, e.name, &ControlLayout::name), 1);
        const int index = RowIndexOf(layout, e.name);
        ASSERT_GE(index, 0);
        const ControlLayout& row = layout.controls[static_cast<std::size_t>(index)];
        EXPECT_EQ(row.kind, e.kind);
        EXPECT_EQ(row.caption, e.caption);
        EXPECT_EQ(row.box, e.box);
        EXPECT_EQ(row.parent, e.parent);
        EXPECT_EQ(row.page, e.page);
    }
}

// A control with a parent must fit inside it, or the native window would cut it off.
void ExpectChildrenInsideTheirParents(const WindowLayout& layout) {
    for (const ControlLayout& row : layout.controls) {
        if (row.parent.empty()) {
            EXPECT_LE(row.box.x + row.box.width, layout.box.width) << row.name;
            EXPECT_LE(row.box.y + row.box.height, layout.box.height) << row.name;
            continue;
        }
        const int parent = RowIndexOf(layout, row.parent);
        ASSERT_GE(parent, 0) << row.name;
        const Rect& outer = layout.controls[static_cast<std::size_t>(parent)].box;
        EXPECT_GE(row.box.x, 0) << row.name;
        EXPECT_GE(row.box.y, 0) << row.name;
        EXPECT_LE(row.box.x + row.box.width, outer.width) << row.name;
        EXPECT_LE(row.box.y + row.box.height, outer.height) << row.name;
    }
}

const ControlLayout& Row(const WindowLayout& layout, std::string_view name) {
    return layout.controls[static_cast<std::size_t>(RowIndexOf(layout, name))];
}

TEST(AdvancedWindowLayout, HoldsEveryControlOnceWithItsCaptionAndPlace) {
    using enum ControlKind;
    const ExpectedRow expected[] = {
        {"功能选择夹", kPageContainer, "", {5, 5, 368, 408}, "", -1},
        {"分组框1", kGroupBox, "IP地址", {10, 30, 350, 155}, "功能选择夹", 0},
        {"超级列表框1", kListView, "", {10, 15, 330, 100}, "分组框1", 0},
        {"添加按钮1", kButton, "添加", {130, 125, 56, 24}, "分组框1", 0},
        {"编辑按钮1", kButton, "编辑", {205, 125, 56, 24}, "分组框1", 0},
        {"删除按钮1", kButton, "删除", {280, 125, 56, 24}, "分组框1", 0},
        {"分组框2", kGroupBox, "默认网关", {10, 190, 350, 155}, "功能选择夹", 0},
        {"超级列表框2", kListView, "", {10, 15, 330, 100}, "分组框2", 0},
        {"添加按钮2", kButton, "添加", {130, 125, 56, 24}, "分组框2", 0},
        {"编辑按钮2", kButton, "编辑", {205, 125, 56, 24}, "分组框2", 0},
        {"删除按钮2", kButton, "删除", {280, 125, 56, 24}, "分组框2", 0},
        {"分组框3", kGroupBox, "跃点计数", {10, 350, 350, 50}, "功能选择夹", 0},
        {"跃点选择框", kCheckBox, "自动跃点计数", {20, 20, 100, 20}, "分组框3", 0},
        {"跃点标签", kLabel, "接口跃点数：", {135, 20, 80, 20}, "分组框3", 0},
        {"跃点框", kEditBox, "", {225, 20, 100, 20}, "分组框3", 0},
        {"DNS标签",
         kLabel,
         "DNS 服务器地址 (按使用顺序排列) ：",
         {10, 30, 305, 24},
         "功能选择夹",
         1},
        {"DNS列表框", kListBox, "", {10, 60, 304, 104}, "功能选择夹", 1},
        {"向上按钮", kPictureButton, "", {325, 65, 27, 26}, "功能选择夹", 1},
        {"向下按钮", kPictureButton, "", {325, 120, 27, 26}, "功能选择夹", 1},
        {"添加按钮3", kButton, "添加", {105, 175, 56, 24}, "功能选择夹", 1},
        {"编辑按钮3", kButton, "编辑", {180, 175, 56, 24}, "功能选择夹", 1},
        {"删除按钮3", kButton, "删除", {255, 175, 56, 24}, "功能选择夹", 1},
        {"确定按钮", kButton, "确 定", {200, 420, 65, 25}, "", -1},
        {"取消按钮", kButton, "取 消", {300, 420, 60, 25}, "", -1},
    };
    EXPECT_EQ(kAdvancedWindowLayout.caption, "高级 TCP/IP 设置");
    EXPECT_EQ(kAdvancedWindowLayout.box.width, 385);
    EXPECT_EQ(kAdvancedWindowLayout.box.height, 485);
    ExpectRows(kAdvancedWindowLayout, expected);
    ExpectChildrenInsideTheirParents(kAdvancedWindowLayout);
}

TEST(AdvancedWindowLayout, KindSpecificPropertiesSitOnTheirControlsOnly) {
    const ControlLayout& pages = Row(kAdvancedWindowLayout, "功能选择夹");
    EXPECT_EQ(pages.pageCount, 2);
    EXPECT_FALSE(pages.Has(kNoTabStrip));
    EXPECT_EQ(std::vector<std::string_view>(pages.pageTitles.begin(), pages.pageTitles.end()),
              (std::vector<std::string_view>{"IP 设置", "DNS "}));
    EXPECT_EQ(Row(kAdvancedWindowLayout, "向上按钮").picture, ButtonPicture::kGreenArrowUp);
    EXPECT_EQ(Row(kAdvancedWindowLayout, "向下按钮").picture, ButtonPicture::kGreenArrowDown);
    EXPECT_EQ(Row(kAdvancedWindowLayout, "跃点框").flags, kIntegerInput);
    EXPECT_EQ(Row(kAdvancedWindowLayout, "跃点框").maxLength, 4);
    for (const ControlLayout& row : kAdvancedWindowLayout.controls) {
        SCOPED_TRACE(std::string(row.name));
        EXPECT_EQ(row.columns.empty(), row.kind != ControlKind::kListView);
        EXPECT_FALSE(row.Has(kHidden));
        if (row.name != "跃点框") {
            EXPECT_EQ(row.flags, 0u);
            EXPECT_EQ(row.maxLength, 0);
        }
        EXPECT_EQ(row.picture != ButtonPicture::kNone, row.kind == ControlKind::kPictureButton);
    }
}

TEST(AdvancedWindow, StartsWithEveryControlShownEnabledAndItsLayoutsState) {
    AdvancedWindow w;
    const std::pair<std::string_view, const Control*> members[] = {
        {"功能选择夹", &w.功能选择夹},   {"分组框1", &w.分组框1},
        {"超级列表框1", &w.超级列表框1}, {"添加按钮1", &w.添加按钮1},
        {"编辑按钮1", &w.编辑按钮1},     {"删除按钮1", &w.删除按钮1},
        {"分组框2", &w.分组框2},         {"超级列表框2", &w.超级列表框2},
        {"添加按钮2", &w.添加按钮2},     {"编辑按钮2", &w.编辑按钮2},
        {"删除按钮2", &w.删除按钮2},     {"分组框3", &w.分组框3},
        {"跃点选择框", &w.跃点选择框},   {"跃点标签", &w.跃点标签},
        {"跃点框", &w.跃点框},           {"DNS标签", &w.DNS标签},
        {"DNS列表框", &w.DNS列表框},     {"向上按钮", &w.向上按钮},
        {"向下按钮", &w.向下按钮},       {"添加按钮3", &w.添加按钮3},
        {"编辑按钮3", &w.编辑按钮3},     {"删除按钮3", &w.删除按钮3},
        {"确定按钮", &w.确定按钮},       {"取消按钮", &w.取消按钮},
    };
    ASSERT_EQ(w.Controls().size(), kAdvancedWindowControls.size());
    for (std::size_t i = 0; i < w.Controls().size(); ++i) {
        const BoundControl& bound = w.Controls()[i];
        EXPECT_EQ(bound.layout, &kAdvancedWindowControls[i]) << "table order";
        EXPECT_TRUE(bound.control->Visible()) << bound.layout->name;
        EXPECT_TRUE(bound.control->Enabled()) << bound.layout->name;
    }
    for (const auto& [name, member] : members) {
        EXPECT_EQ(w.ControlNamed(name), member) << name;
    }
    EXPECT_EQ(w.Caption(), "高级 TCP/IP 设置");
    EXPECT_TRUE(w.IsOpen());
    EXPECT_TRUE(w.功能选择夹.HasTabStrip());
    EXPECT_EQ(w.功能选择夹.PageTitles(), (std::vector<std::string>{"IP 设置", "DNS "}));
    EXPECT_EQ(w.功能选择夹.CurrentPage(), AdvancedWindow::kIpSettingsPage);
    const std::vector<ListColumn> addressColumns = {{"IP 地址", 155}, {"子网掩码", 155}};
    const std::vector<ListColumn> gatewayColumns = {{"网关", 155}, {"跃点数", 155}};
    ASSERT_EQ(w.超级列表框1.Columns().size(), 2u);
    ASSERT_EQ(w.超级列表框2.Columns().size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(w.超级列表框1.Columns()[i].title, addressColumns[i].title);
        EXPECT_EQ(w.超级列表框1.Columns()[i].width, addressColumns[i].width);
        EXPECT_EQ(w.超级列表框2.Columns()[i].title, gatewayColumns[i].title);
        EXPECT_EQ(w.超级列表框2.Columns()[i].width, gatewayColumns[i].width);
    }
    EXPECT_EQ(w.跃点框.Mode(), EditMode::kIntegerInput);
    EXPECT_EQ(w.跃点框.MaxLength(), 4u);
    EXPECT_EQ(w.向上按钮.Picture(), ButtonPicture::kGreenArrowUp);
    EXPECT_EQ(w.向下按钮.Picture(), ButtonPicture::kGreenArrowDown);
    EXPECT_EQ(w.跃点选择框.Caption(), "自动跃点计数");
    EXPECT_EQ(w.确定按钮.Caption(), "确 定");
}

TEST(EntryDialogLayout, HoldsEveryControlHiddenButTheTwoButtons) {
    using enum ControlKind;
    const ExpectedRow expected[] = {
        {"地址标签", kLabel, "I P 地址：", {15, 15, 60, 20}, "", -1},
        {"地址框", kIpAddressField, "", {85, 15, 100, 20}, "", -1},
        {"掩码标签", kLabel, "子网掩码：", {15, 45, 60, 20}, "", -1},
        {"掩码框", kIpAddressField, "", {85, 45, 100, 20}, "", -1},
        {"网关标签", kLabel, "网关：", {15, 15, 40, 20}, "", -1},
        {"网关框", kIpAddressField, "", {65, 15, 115, 20}, "", -1},
        {"跃点分组框", kGroupBox, "跃点数", {15, 45, 168, 45}, "", -1},
        {"自动框", kCheckBox, "自动", {15, 15, 45, 20}, "跃点分组框", -1},
        {"跃点标签", kLabel, "跃点", {65, 15, 30, 20}, "跃点分组框", -1},
        {"跃点框", kEditBox, "", {100, 15, 50, 20}, "跃点分组框", -1},
        {"DNS标签", kLabel, "DNS 服务器：", {15, 15, 80, 20}, "", -1},
        {"DNS框", kIpAddressField, "", {105, 15, 120, 20}, "", -1},
        {"添加按钮", kButton, "添加", {35, 80, 56, 24}, "", -1},
        {"取消按钮", kButton, "取消", {110, 80, 56, 24}, "", -1},
    };
    EXPECT_EQ(kEntryDialogLayout.caption, "数据处理");
    EXPECT_EQ(kEntryDialogLayout.box.width, 245);
    EXPECT_EQ(kEntryDialogLayout.box.height, 165);
    ExpectRows(kEntryDialogLayout, expected);
    ExpectChildrenInsideTheirParents(kEntryDialogLayout);
    EXPECT_EQ(Row(kEntryDialogLayout, "跃点框").flags, kIntegerInput | kHidden);
    EXPECT_EQ(Row(kEntryDialogLayout, "跃点框").maxLength, 4);

    EntryDialog dialog;
    ASSERT_EQ(dialog.Controls().size(), kEntryDialogControls.size());
    for (const BoundControl& bound : dialog.Controls()) {
        const bool button = bound.layout->kind == kButton;
        EXPECT_EQ(bound.control->Visible(), button) << bound.layout->name;
        EXPECT_TRUE(bound.control->Enabled()) << bound.layout->name;
        EXPECT_EQ(dialog.BoxOf(*bound.control), bound.layout->box) << bound.layout->name;
    }
    EXPECT_EQ(dialog.Caption(), "数据处理");
    EXPECT_EQ(dialog.Width(), 245);
    EXPECT_EQ(dialog.Height(), 165);
    EXPECT_EQ(dialog.跃点框.MaxLength(), 4u);
    EXPECT_EQ(dialog.ControlNamed("自动框"), &dialog.自动框);
}

TEST(EntryDialogLayout, EachKindHasItsCaptionSizeButtonsAndControls) {
    struct Expected {
        EntryKind kind;
        std::string_view caption;
        int width, height;
        DialogPoint commit, cancel;
        std::set<std::string_view> shown;
    };
    const std::set<std::string_view> dns = {"DNS标签", "DNS框"};
    const Expected cases[] = {
        {EntryKind::kAddress,
         "TCP/IP 地址",
         210,
         145,
         {35, 80},
         {110, 80},
         {"地址标签", "地址框", "掩码标签", "掩码框"}},
        {EntryKind::kGateway,
         "TCP/IP 网关地址",
         200,
         165,
         {35, 100},
         {110, 100},
         {"网关标签", "网关框", "跃点分组框", "自动框", "跃点标签", "跃点框"}},
        {EntryKind::kDnsServer, "TCP/IP DNS 服务器", 245, 110, {35, 45}, {140, 45}, dns},
        {EntryKind::kNone, "TCP/IP DNS 服务器", 245, 110, {35, 45}, {140, 45}, dns},
    };
    for (const Expected& e : cases) {
        const EntryDialogModeLayout& mode = EntryDialogModeLayoutFor(e.kind);
        SCOPED_TRACE(std::string(e.caption));
        EXPECT_EQ(mode.caption, e.caption);
        EXPECT_EQ(mode.width, e.width);
        EXPECT_EQ(mode.height, e.height);
        EXPECT_EQ(mode.commitButton.x, e.commit.x);
        EXPECT_EQ(mode.commitButton.y, e.commit.y);
        EXPECT_EQ(mode.cancelButton.x, e.cancel.x);
        EXPECT_EQ(mode.cancelButton.y, e.cancel.y);
        EXPECT_EQ(std::set<std::string_view>(mode.shown.begin(), mode.shown.end()), e.shown);
        for (const std::string_view name : mode.shown) {
            EXPECT_GE(RowIndexOf(kEntryDialogLayout, name), 0) << name;
        }
    }
}

}  // namespace
}  // namespace netquill
