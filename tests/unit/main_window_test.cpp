#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "ui/main_window_layout.h"

namespace netquill {
namespace {

const ControlLayout* FindRow(std::string_view name) {
    for (const ControlLayout& row : MainWindow::Layout().controls) {
        if (row.name == name) {
            return &row;
        }
    }
    return nullptr;
}

TEST(MainWindowLayout, WindowHasItsCaptionPositionAndSize) {
    EXPECT_EQ(MainWindow::Layout().caption, "Netquill");
    EXPECT_EQ(MainWindow::Layout().box, (Rect{50, 50, 400, 294}));
}

TEST(MainWindowLayout, HoldsEveryControlOnceWithItsCaptionAndPlace) {
    using enum ControlKind;
    struct Expected {
        std::string_view name;
        ControlKind kind;
        std::string_view caption;
        Rect box;
        std::string_view parent;
        int page;
    };
    const Expected expected[] = {
        {"选择标签", kLabel, "网卡名称：", {15, 10, 60, 20}, "", -1},
        {"网卡选择框", kComboBox, "", {80, 10, 300, 20}, "", -1},
        {"名称标签", kLabel, "网卡编号：", {15, 35, 60, 20}, "", -1},
        {"适配器标签", kLabel, "", {80, 35, 300, 20}, "", -1},
        {"功能选择夹", kPageContainer, "", {5, 55, 380, 161}, "", -1},
        {"刷新按钮", kButton, "刷新", {20, 205, 56, 24}, "", -1},
        {"修改按钮", kButton, "修改", {95, 205, 56, 24}, "", -1},
        {"网吧按钮", kButton, "网吧", {170, 205, 56, 24}, "", -1},
        {"高级按钮", kButton, "高级", {245, 205, 56, 24}, "", -1},
        {"退出按钮", kButton, "退出", {320, 205, 56, 24}, "", -1},
        {"超级链接框1", kHyperlink, "官方网站", {315, 232, 72, 24}, "", -1},
        {"标签5", kLabel, kCopyrightLine, {208, 254, 175, 16}, "", -1},
        {"本地连接框", kGroupBox, "本地连接", {10, 5, 365, 140}, "功能选择夹", 0},
        {"机器名标签", kLabel, "计算机名：", {5, 15, 60, 20}, "本地连接框", 0},
        {"机器名框", kEditBox, "", {70, 15, 105, 20}, "本地连接框", 0},
        {"网络号标签", kLabel, "网 络 号：", {5, 40, 60, 20}, "本地连接框", 0},
        {"网络号框", kEditBox, "", {70, 40, 105, 20}, "本地连接框", 0},
        {"MAC标签", kLabel, "网卡 MAC：", {5, 65, 60, 20}, "本地连接框", 0},
        {"MAC信息框", kEditBox, "", {70, 65, 105, 20}, "本地连接框", 0},
        {"状态标签", kLabel, "修改状态：", {5, 101, 60, 20}, "本地连接框", 0},
        {"提示标签", kLabel, "", {69, 100, 105, 20}, "本地连接框", 0},
        {"地址标签", kLabel, "ＩＰ地址：", {190, 15, 60, 20}, "本地连接框", 0},
        {"地址框", kIpAddressField, "", {255, 15, 100, 18}, "本地连接框", 0},
        {"掩码标签", kLabel, "子网掩码：", {190, 40, 60, 20}, "本地连接框", 0},
        {"掩码框", kIpAddressField, "", {255, 40, 100, 18}, "本地连接框", 0},
        {"网关标签", kLabel, "网卡网关：", {190, 65, 60, 20}, "本地连接框", 0},
        {"网关框", kIpAddressField, "", {255, 65, 100, 18}, "本地连接框", 0},
        {"首选标签", kLabel, "首选 DNS：", {190, 90, 60, 20}, "本地连接框", 0},
        {"首选框", kIpAddressField, "", {255, 90, 100, 18}, "本地连接框", 0},
        {"备用标签", kLabel, "备用 DNS：", {190, 115, 60, 20}, "本地连接框", 0},
        {"备用框", kIpAddressField, "", {255, 115, 100, 18}, "本地连接框", 0},
        {"网吧修改框", kGroupBox, "网吧修改", {10, 5, 365, 140}, "功能选择夹", 1},
        {"机器名标签2", kLabel, "计算机名：", {5, 15, 60, 20}, "网吧修改框", 1},
        {"机器名框2", kEditBox, "", {70, 15, 60, 20}, "网吧修改框", 1},
        {"机器数框", kEditBox, "", {135, 15, 80, 20}, "网吧修改框", 1},
        {"保存按钮", kButton, "保存配置", {280, 15, 70, 24}, "网吧修改框", 1},
        {"地址标签2", kLabel, "ＩＰ地址：", {5, 40, 60, 20}, "网吧修改框", 1},
        {"地址框2", kEditBox, "", {70, 40, 105, 20}, "网吧修改框", 1},
        {"掩码标签2", kLabel, "子网掩码：", {5, 65, 60, 20}, "网吧修改框", 1},
        {"掩码框2", kEditBox, "", {70, 65, 105, 20}, "网吧修改框", 1},
        {"网关标签2", kLabel, "网卡网关：", {5, 90, 60, 20}, "网吧修改框", 1},
        {"网关框2", kEditBox, "", {70, 90, 100, 20}, "网吧修改框", 1},
        {"首选标签2", kLabel, "首选 DNS：", {190, 65, 60, 20}, "网吧修改框", 1},
        {"首选框2", kEditBox, "", {255, 65, 100, 20}, "网吧修改框", 1},
        {"备用标签2", kLabel, "备用 DNS：", {190, 90, 60, 20}, "网吧修改框", 1},
        {"备用框2", kEditBox, "", {255, 90, 100, 20}, "网吧修改框", 1},
        {"登陆标签2", kLabel, "自动登陆：", {5, 114, 60, 20}, "网吧修改框", 1},
        {"用户框2", kEditBox, "", {70, 114, 60, 20}, "网吧修改框", 1},
        {"密码框2", kEditBox, "", {135, 114, 80, 20}, "网吧修改框", 1},
        {"增位框", kCheckBox, "IP 尾数加 10", {255, 113, 100, 20}, "网吧修改框", 1},
    };
    const auto rows = MainWindow::Layout().controls;
    EXPECT_EQ(rows.size(), std::size(expected));
    for (const Expected& e : expected) {
        SCOPED_TRACE(std::string(e.name));
        EXPECT_EQ(std::ranges::count(rows, e.name, &ControlLayout::name), 1);
        const ControlLayout* row = FindRow(e.name);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->kind, e.kind);
        EXPECT_EQ(row->caption, e.caption);
        EXPECT_EQ(row->box, e.box);
        EXPECT_EQ(row->parent, e.parent);
        EXPECT_EQ(row->page, e.page);
    }
}

TEST(MainWindowLayout, StylesAreSetOnTheirControlsOnly) {
    struct Expected {
        std::string_view name;
        unsigned flags;
        std::optional<Rgb> textColour;
        std::optional<Rgb> backColour;
    };
    const Rgb blue{0, 96, 192};
    const Expected styled[] = {
        {"选择标签", kRightAligned, {}, {}},
        {"名称标签", kRightAligned, {}, {}},
        {"适配器标签", kCentred | kSunkenEdge, Rgb{255, 255, 255}, Rgb{96, 96, 96}},
        {"功能选择夹", kNoTabStrip, {}, {}},
        {"刷新按钮", kCommandButton, {}, {}},
        {"修改按钮", kCommandButton, {}, {}},
        {"网吧按钮", kCommandButton | kDefaultButton, {}, {}},
        {"高级按钮", kCommandButton, {}, {}},
        {"机器名标签", kRightAligned, {}, {}},
        {"机器名框", 0, blue, {}},
        {"网络号标签", kRightAligned, {}, {}},
        {"网络号框", 0, blue, {}},
        {"MAC标签", kRightAligned, {}, {}},
        {"MAC信息框", kReadOnly, Rgb{88, 48, 224}, {}},
        {"状态标签", kRightAligned, {}, {}},
        {"提示标签", kCentred, Rgb{255, 0, 0}, {}},
        {"地址标签", kRightAligned, {}, {}},
        {"掩码标签", kRightAligned, {}, {}},
        {"网关标签", kRightAligned, {}, {}},
        {"首选标签", kRightAligned, {}, {}},
        {"备用标签", kRightAligned, {}, {}},
        {"机器名标签2", kRightAligned, {}, {}},
        {"机器数框", kIntegerInput, Rgb{0, 128, 0}, {}},
        {"地址标签2", kRightAligned, {}, {}},
        {"掩码标签2", kRightAligned, {}, {}},
        {"网关标签2", kRightAligned, {}, {}},
        {"首选标签2", kRightAligned, {}, {}},
        {"备用标签2", kRightAligned, {}, {}},
        {"登陆标签2", kRightAligned, {}, {}},
        {"密码框2", kPassword, {}, {}},
    };
    for (const ControlLayout& row : MainWindow::Layout().controls) {
        SCOPED_TRACE(std::string(row.name));
        const auto found = std::ranges::find(styled, row.name, &Expected::name);
        const Expected plain{row.name, 0, {}, {}};
        const Expected& e = found != std::end(styled) ? *found : plain;
        EXPECT_EQ(row.flags, e.flags);
        EXPECT_EQ(row.textColour, e.textColour);
        EXPECT_EQ(row.backColour, e.backColour);
    }
    EXPECT_EQ(FindRow("网卡选择框")->dropHeight, 160);
    EXPECT_EQ(FindRow("功能选择夹")->pageCount, 2);
    EXPECT_EQ(FindRow("超级链接框1")->address, kProjectPageAddress);
}

TEST(MainWindow, BindsEachMemberToTheRowOfItsName) {
    MainWindow w;
    const std::pair<std::string_view, const Control*> members[] = {
        {"选择标签", &w.选择标签},       {"网卡选择框", &w.网卡选择框},
        {"名称标签", &w.名称标签},       {"适配器标签", &w.适配器标签},
        {"功能选择夹", &w.功能选择夹},   {"刷新按钮", &w.刷新按钮},
        {"修改按钮", &w.修改按钮},       {"网吧按钮", &w.网吧按钮},
        {"高级按钮", &w.高级按钮},       {"退出按钮", &w.退出按钮},
        {"超级链接框1", &w.超级链接框1}, {"标签5", &w.标签5},
        {"本地连接框", &w.本地连接框},   {"机器名标签", &w.机器名标签},
        {"机器名框", &w.机器名框},       {"网络号标签", &w.网络号标签},
        {"网络号框", &w.网络号框},       {"MAC标签", &w.MAC标签},
        {"MAC信息框", &w.MAC信息框},     {"状态标签", &w.状态标签},
        {"提示标签", &w.提示标签},       {"地址标签", &w.地址标签},
        {"地址框", &w.地址框},           {"掩码标签", &w.掩码标签},
        {"掩码框", &w.掩码框},           {"网关标签", &w.网关标签},
        {"网关框", &w.网关框},           {"首选标签", &w.首选标签},
        {"首选框", &w.首选框},           {"备用标签", &w.备用标签},
        {"备用框", &w.备用框},           {"网吧修改框", &w.网吧修改框},
        {"机器名标签2", &w.机器名标签2}, {"机器名框2", &w.机器名框2},
        {"机器数框", &w.机器数框},       {"保存按钮", &w.保存按钮},
        {"地址标签2", &w.地址标签2},     {"地址框2", &w.地址框2},
        {"掩码标签2", &w.掩码标签2},     {"掩码框2", &w.掩码框2},
        {"网关标签2", &w.网关标签2},     {"网关框2", &w.网关框2},
        {"首选标签2", &w.首选标签2},     {"首选框2", &w.首选框2},
        {"备用标签2", &w.备用标签2},     {"备用框2", &w.备用框2},
        {"登陆标签2", &w.登陆标签2},     {"用户框2", &w.用户框2},
        {"密码框2", &w.密码框2},         {"增位框", &w.增位框},
    };
    const auto bound = w.Controls();
    ASSERT_EQ(bound.size(), MainWindow::Layout().controls.size());
    std::set<const Control*> distinct;
    for (std::size_t i = 0; i < bound.size(); ++i) {
        EXPECT_EQ(bound[i].layout, &MainWindow::Layout().controls[i]) << "table order";
        distinct.insert(bound[i].control);
    }
    EXPECT_EQ(distinct.size(), bound.size());
    for (const auto& [name, member] : members) {
        const auto found =
            std::ranges::find(bound, name, [](const BoundControl& b) { return b.layout->name; });
        ASSERT_NE(found, bound.end()) << name;
        EXPECT_EQ(found->control, member) << name;
    }
}

TEST(MainWindow, StartsWithTheTextsAndStatesOfItsLayout) {
    MainWindow w;
    for (const BoundControl& bound : w.Controls()) {
        SCOPED_TRACE(std::string(bound.layout->name));
        EXPECT_TRUE(bound.control->Enabled());
        EXPECT_TRUE(bound.control->Visible());
    }
    EXPECT_EQ(w.选择标签.Caption(), "网卡名称：");
    EXPECT_EQ(w.选择标签.TextAlignment(), Alignment::kRight);
    EXPECT_EQ(w.适配器标签.TextAlignment(), Alignment::kCentre);
    EXPECT_TRUE(w.适配器标签.SunkenEdge());
    EXPECT_EQ(w.适配器标签.BackColour(), (Rgb{96, 96, 96}));
    EXPECT_EQ(w.标签5.TextAlignment(), Alignment::kLeft);
    EXPECT_EQ(w.标签5.Caption(), kCopyrightLine);
    EXPECT_EQ(w.本地连接框.Caption(), "本地连接");
    EXPECT_EQ(w.网吧按钮.Caption(), "网吧");
    EXPECT_TRUE(w.网吧按钮.IsDefault());
    EXPECT_FALSE(w.刷新按钮.IsDefault());
    EXPECT_EQ(w.超级链接框1.Caption(), "官方网站");
    EXPECT_EQ(w.超级链接框1.Address(), kProjectPageAddress);
    EXPECT_EQ(w.增位框.Caption(), "IP 尾数加 10");
    EXPECT_FALSE(w.增位框.Checked());
    EXPECT_EQ(w.机器名框.TextColour(), (Rgb{0, 96, 192}));
    EXPECT_EQ(w.机器名框.Mode(), EditMode::kNormal);
    EXPECT_EQ(w.MAC信息框.Mode(), EditMode::kReadOnly);
    EXPECT_EQ(w.机器数框.Mode(), EditMode::kIntegerInput);
    EXPECT_EQ(w.密码框2.Mode(), EditMode::kPassword);
    EXPECT_TRUE(w.地址框.IsBlank());
    EXPECT_EQ(w.网卡选择框.ItemCount(), 0);
    EXPECT_EQ(w.网卡选择框.CurrentIndex(), -1);
    EXPECT_EQ(w.功能选择夹.PageCount(), 2);
    EXPECT_FALSE(w.功能选择夹.HasTabStrip());
    EXPECT_EQ(w.功能选择夹.CurrentPage(), MainWindow::kLocalConnectionPage);
}

TEST(MainWindow, SetCommandButtonsDisabledLeavesTheExitButtonEnabled) {
    const std::set<std::string_view> commandButtons = {"刷新按钮", "修改按钮", "网吧按钮",
                                                       "高级按钮"};
    MainWindow w;
    for (const bool disabled : {true, false}) {
        w.SetCommandButtonsDisabled(disabled);
        for (const BoundControl& bound : w.Controls()) {
            const bool isCommand = commandButtons.contains(bound.layout->name);
            EXPECT_EQ(bound.control->Enabled(), !(disabled && isCommand))
                << bound.layout->name << " after SetCommandButtonsDisabled(" << disabled << ")";
        }
    }
}

TEST(MainWindow, DisabledButtonIgnoresClicks) {
    MainWindow w;
    int refreshes = 0;
    int exits = 0;
    w.刷新按钮.onClick = [&] { ++refreshes; };
    w.退出按钮.onClick = [&] { ++exits; };
    w.SetCommandButtonsDisabled(true);
    w.刷新按钮.Click();
    w.退出按钮.Click();
    EXPECT_EQ(refreshes, 0);
    EXPECT_EQ(exits, 1);
}

TEST(MainWindow, EnterInAnEditBoxGoesToTheDefaultButtonWhileItCanTakeIt) {
    MainWindow w;
    int clicks = 0;
    std::vector<int> keys;
    w.网吧按钮.onClick = [&] { ++clicks; };
    w.机器数框.onKeyPress = [&](int key) { keys.push_back(key); };

    w.PressEnter(w.机器数框);
    w.PressEnter(w.机器名框2);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(keys.empty());

    w.SetCommandButtonsDisabled(true);
    w.PressEnter(w.机器数框);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(keys, std::vector<int>{13});

    // A box the user cannot reach takes no key.
    w.SetCommandButtonsDisabled(false);
    w.机器数框.SetEnabled(false);
    w.PressEnter(w.机器数框);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(keys.size(), 1u);
}

}  // namespace
}  // namespace netquill
