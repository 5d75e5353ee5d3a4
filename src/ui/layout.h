// Window layouts as data: one table per window, from which the native backend creates the
// controls and which tests check. Positions and sizes are design pixels at 96 DPI.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "ui/controls/control.h"

namespace netquill {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const Rect&, const Rect&) = default;
};

enum ControlFlag : unsigned {
    kRightAligned = 1u << 0,   // label text
    kCentred = 1u << 1,        // label text
    kSunkenEdge = 1u << 2,     // label
    kReadOnly = 1u << 3,       // edit box
    kPassword = 1u << 4,       // edit box
    kIntegerInput = 1u << 5,   // edit box
    kDefaultButton = 1u << 6,  // button clicked by Enter in the window's edit boxes
    kCommandButton = 1u << 7,  // button disabled while a long operation runs
    kNoTabStrip = 1u << 8,     // page container switched by the program only
    kHidden = 1u << 9,         // not shown when the window is created
};

// A column of a list view: title and width in design pixels.
struct ColumnLayout {
    std::string_view title{};
    int width = 0;
};

struct ControlLayout {
    std::string_view name{};
    ControlKind kind = ControlKind::kLabel;
    // Caption, initial text, or the title of a group box; code page 936.
    std::string_view caption{};
    // Relative to the parent's top-left corner.
    Rect box;
    // The control whose top-left corner `box` counts from; empty for the window's client area.
    std::string_view parent{};
    // The page of the window's page container this control lives on, -1 when it is on none.
    // Set on every control of a page, not only on the page's direct children.
    int page = -1;
    unsigned flags = 0;
    std::optional<Rgb> textColour{};
    std::optional<Rgb> backColour{};
    // Kind-specific: how far a combo box's list drops, the pages of a page container, the
    // address a hyperlink opens.
    int dropHeight = 0;
    int pageCount = 0;
    std::string_view address{};
    // Kind-specific: the titles of a page container's tab strip, a list view's columns, the
    // most characters the user can type into an edit box (0 for no limit), a picture button's
    // pictures.
    std::span<const std::string_view> pageTitles{};
    std::span<const ColumnLayout> columns{};
    int maxLength = 0;
    ButtonPicture picture = ButtonPicture::kNone;

    bool Has(ControlFlag flag) const { return (flags & flag) != 0; }
};

struct WindowLayout {
    std::string_view caption{};
    // Design position and outer size.
    Rect box;
    std::span<const ControlLayout> controls;
};

// A layout row and the control object made from it.
struct BoundControl {
    const ControlLayout* layout = nullptr;
    Control* control = nullptr;
};

// Native controls carry the id kFirstControlId + their row's position, so that a program that
// drives the window from outside finds a control by its name through the same table.
inline constexpr int kFirstControlId = 1000;

// Position of the row named `name`, or -1 when the window has none.
constexpr int RowIndexOf(const WindowLayout& layout, std::string_view name) {
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
        if (layout.controls[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// The native control id of the row named `name`, or -1 when the window has none.
constexpr int ControlIdOf(const WindowLayout& layout, std::string_view name) {
    const int row = RowIndexOf(layout, name);
    return row < 0 ? -1 : kFirstControlId + row;
}

// The row's box relative to the window's client area: its own box moved by each parent's
// top-left corner. A parent name missing from the table counts as the client area.
constexpr Rect ClientBox(const WindowLayout& layout, const ControlLayout& row) {
    Rect box = row.box;
    std::string_view parent = row.parent;
    // Bounded by the row count, so a table whose parents form a cycle still ends.
    for (std::size_t depth = 0; !parent.empty() && depth < layout.controls.size(); ++depth) {
        const int index = RowIndexOf(layout, parent);
        if (index < 0) {
            break;
        }
        const ControlLayout& parentRow = layout.controls[static_cast<std::size_t>(index)];
        box.x += parentRow.box.x;
        box.y += parentRow.box.y;
        parent = parentRow.parent;
    }
    return box;
}

}  // namespace netquill
