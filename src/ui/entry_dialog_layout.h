// Layout of EntryDialog at design time, and how the dialog is laid out for each kind of entry:
// caption, outer size, where its two buttons go, which controls show. Controls of different kinds
// share positions; only one kind's controls are ever visible.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "core/shared_state.h"
#include "ui/layout.h"

namespace netquill {

inline constexpr auto kEntryDialogControls = [] {
    using enum ControlKind;
    return std::to_array<ControlLayout>({
        {.name = "地址标签",
         .kind = kLabel,
         .caption = "I P 地址：",
         .box = {15, 15, 60, 20},
         .flags = kHidden},
        {.name = "地址框", .kind = kIpAddressField, .box = {85, 15, 100, 20}, .flags = kHidden},
        {.name = "掩码标签",
         .kind = kLabel,
         .caption = "子网掩码：",
         .box = {15, 45, 60, 20},
         .flags = kHidden},
        {.name = "掩码框", .kind = kIpAddressField, .box = {85, 45, 100, 20}, .flags = kHidden},
        {.name = "网关标签",
         .kind = kLabel,
         .caption = "网关：",
         .box = {15, 15, 40, 20},
         .flags = kHidden},
        {.name = "网关框", .kind = kIpAddressField, .box = {65, 15, 115, 20}, .flags = kHidden},
        {.name = "跃点分组框",
         .kind = kGroupBox,
         .caption = "跃点数",
         .box = {15, 45, 168, 45},
         .flags = kHidden},
        {.name = "自动框",
         .kind = kCheckBox,
         .caption = "自动",
         .box = {15, 15, 45, 20},
         .parent = "跃点分组框",
         .flags = kHidden},
        {.name = "跃点标签",
         .kind = kLabel,
         .caption = "跃点",
         .box = {65, 15, 30, 20},
         .parent = "跃点分组框",
         .flags = kHidden},
        {.name = "跃点框",
         .kind = kEditBox,
         .box = {100, 15, 50, 20},
         .parent = "跃点分组框",
         .flags = kIntegerInput | kHidden,
         .maxLength = 4},
        {.name = "DNS标签",
         .kind = kLabel,
         .caption = "DNS 服务器：",
         .box = {15, 15, 80, 20},
         .flags = kHidden},
        {.name = "DNS框", .kind = kIpAddressField, .box = {105, 15, 120, 20}, .flags = kHidden},
        {.name = "添加按钮", .kind = kButton, .caption = "添加", .box = {35, 80, 56, 24}},
        {.name = "取消按钮", .kind = kButton, .caption = "取消", .box = {110, 80, 56, 24}},
    });
}();

// Centred on the screen when it opens; the design position is not used.
inline constexpr WindowLayout kEntryDialogLayout{
    .caption = "数据处理",
    .box = {0, 0, 245, 165},
    .controls = kEntryDialogControls,
};

// The confirm button's caption when the dialog changes the selected row instead of adding one.
inline constexpr std::string_view kEntryDialogEditCaption = "修改";

struct DialogPoint {
    int x = 0;
    int y = 0;
};

// How the dialog looks for one kind of entry.
struct EntryDialogModeLayout {
    std::string_view caption;
    int width = 0;  // outer size
    int height = 0;
    DialogPoint commitButton;  // 添加按钮
    DialogPoint cancelButton;  // 取消按钮
    std::span<const std::string_view> shown;
};

inline constexpr std::array<std::string_view, 4> kAddressModeControls = {"地址标签", "地址框",
                                                                         "掩码标签", "掩码框"};
inline constexpr std::array<std::string_view, 6> kGatewayModeControls = {
    "网关标签", "网关框", "跃点分组框", "自动框", "跃点标签", "跃点框"};
inline constexpr std::array<std::string_view, 2> kDnsServerModeControls = {"DNS标签", "DNS框"};

inline constexpr EntryDialogModeLayout kAddressModeLayout{
    "TCP/IP 地址", 210, 145, {35, 80}, {110, 80}, kAddressModeControls};
inline constexpr EntryDialogModeLayout kGatewayModeLayout{
    "TCP/IP 网关地址", 200, 165, {35, 100}, {110, 100}, kGatewayModeControls};
inline constexpr EntryDialogModeLayout kDnsServerModeLayout{
    "TCP/IP DNS 服务器", 245, 110, {35, 45}, {140, 45}, kDnsServerModeControls};

// The DNS server layout serves every kind other than an address or a gateway.
constexpr const EntryDialogModeLayout& EntryDialogModeLayoutFor(EntryKind kind) {
    switch (kind) {
        case EntryKind::kAddress:
            return kAddressModeLayout;
        case EntryKind::kGateway:
            return kGatewayModeLayout;
        default:
            return kDnsServerModeLayout;
    }
}

}  // namespace netquill
