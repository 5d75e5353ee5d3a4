// Window layouts as data: one table per window, from which the native backend creates the
// controls and which tests check. Positions and sizes are design pixels at 96 DPI.
#pragma once

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

    bool Has(ControlFlag flag) const { return (flags & flag) != 0; }
};

struct WindowLayout {
    std::string_view caption{};
    // Design position and outer size.
    Rect box;
    std::span<const ControlLayout> controls;
};

}  // namespace netquill
