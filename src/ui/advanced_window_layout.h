// Layout of AdvancedWindow: every control with its name, kind, caption, position and size
// relative to its parent, and style. Controls on a page of 功能选择夹 count from its corner,
// controls in a group box from the group box's.
#pragma once

#include <array>
#include <string_view>

#include "ui/layout.h"

namespace netquill {

inline constexpr std::array<std::string_view, 2> kAdvancedWindowPageTitles = {
    "IP 设置",
    "DNS ",  // the trailing blank is part of the title
};

inline constexpr std::array<ColumnLayout, 2> kAddressColumns = {{
    {"IP 地址", 155},
    {"子网掩码", 155},
}};

inline constexpr std::array<ColumnLayout, 2> kGatewayColumns = {{
    {"网关", 155},
    {"跃点数", 155},
}};

inline constexpr auto kAdvancedWindowControls = [] {
    using enum ControlKind;
    return std::to_array<ControlLayout>({
        {.name = "功能选择夹",
         .kind = kPageContainer,
         .box = {5, 5, 368, 408},
         .pageCount = 2,
         .pageTitles = kAdvancedWindowPageTitles},

        {.name = "分组框1",
         .kind = kGroupBox,
         .caption = "IP地址",
         .box = {10, 30, 350, 155},
         .parent = "功能选择夹",
         .page = 0},
        {.name = "超级列表框1",
         .kind = kListView,
         .box = {10, 15, 330, 100},
         .parent = "分组框1",
         .page = 0,
         .columns = kAddressColumns},
        {.name = "添加按钮1",
         .kind = kButton,
         .caption = "添加",
         .box = {130, 125, 56, 24},
         .parent = "分组框1",
         .page = 0},
        {.name = "编辑按钮1",
         .kind = kButton,
         .caption = "编辑",
         .box = {205, 125, 56, 24},
         .parent = "分组框1",
         .page = 0},
        {.name = "删除按钮1",
         .kind = kButton,
         .caption = "删除",
         .box = {280, 125, 56, 24},
         .parent = "分组框1",
         .page = 0},

        {.name = "分组框2",
         .kind = kGroupBox,
         .caption = "默认网关",
         .box = {10, 190, 350, 155},
         .parent = "功能选择夹",
         .page = 0},
        {.name = "超级列表框2",
         .kind = kListView,
         .box = {10, 15, 330, 100},
         .parent = "分组框2",
         .page = 0,
         .columns = kGatewayColumns},
        {.name = "添加按钮2",
         .kind = kButton,
         .caption = "添加",
         .box = {130, 125, 56, 24},
         .parent = "分组框2",
         .page = 0},
        {.name = "编辑按钮2",
         .kind = kButton,
         .caption = "编辑",
         .box = {205, 125, 56, 24},
         .parent = "分组框2",
         .page = 0},
        {.name = "删除按钮2",
         .kind = kButton,
         .caption = "删除",
         .box = {280, 125, 56, 24},
         .parent = "分组框2",
         .page = 0},

        {.name = "分组框3",
         .kind = kGroupBox,
         .caption = "跃点计数",
         .box = {10, 350, 350, 50},
         .parent = "功能选择夹",
         .page = 0},
        {.name = "跃点选择框",
         .kind = kCheckBox,
         .caption = "自动跃点计数",
         .box = {20, 20, 100, 20},
         .parent = "分组框3",
         .page = 0},
        {.name = "跃点标签",
         .kind = kLabel,
         .caption = "接口跃点数：",
         .box = {135, 20, 80, 20},
         .parent = "分组框3",
         .page = 0},
        {.name = "跃点框",
         .kind = kEditBox,
         .box = {225, 20, 100, 20},
         .parent = "分组框3",
         .page = 0,
         .flags = kIntegerInput,
         .maxLength = 4},

        {.name = "DNS标签",
         .kind = kLabel,
         .caption = "DNS 服务器地址 (按使用顺序排列) ：",
         .box = {10, 30, 305, 24},
         .parent = "功能选择夹",
         .page = 1},
        {.name = "DNS列表框",
         .kind = kListBox,
         .box = {10, 60, 304, 104},
         .parent = "功能选择夹",
         .page = 1},
        {.name = "向上按钮",
         .kind = kPictureButton,
         .box = {325, 65, 27, 26},
         .parent = "功能选择夹",
         .page = 1,
         .picture = ButtonPicture::kGreenArrowUp},
        {.name = "向下按钮",
         .kind = kPictureButton,
         .box = {325, 120, 27, 26},
         .parent = "功能选择夹",
         .page = 1,
         .picture = ButtonPicture::kGreenArrowDown},
        {.name = "添加按钮3",
         .kind = kButton,
         .caption = "添加",
         .box = {105, 175, 56, 24},
         .parent = "功能选择夹",
         .page = 1},
        {.name = "编辑按钮3",
         .kind = kButton,
         .caption = "编辑",
         .box = {180, 175, 56, 24},
         .parent = "功能选择夹",
         .page = 1},
        {.name = "删除按钮3",
         .kind = kButton,
         .caption = "删除",
         .box = {255, 175, 56, 24},
         .parent = "功能选择夹",
         .page = 1},

        {.name = "确定按钮", .kind = kButton, .caption = "确 定", .box = {200, 420, 65, 25}},
        {.name = "取消按钮", .kind = kButton, .caption = "取 消", .box = {300, 420, 60, 25}},
    });
}();

// Centred on the screen when it opens; the design position is not used.
inline constexpr WindowLayout kAdvancedWindowLayout{
    .caption = "高级 TCP/IP 设置",
    .box = {0, 0, 385, 485},
    .controls = kAdvancedWindowControls,
};

}  // namespace netquill
