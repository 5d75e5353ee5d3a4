// A window that opens over the main window: its controls, bound to the rows of its layout table,
// and the window state the program changes while it is open (caption, outer size, where each
// control sits, which control has the focus) or the user ends (open or closed).
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/apply_layout.h"
#include "ui/layout.h"

namespace netquill {

// Position of the row named `name` in `rows`, evaluated while compiling: a name missing from the
// table, or a row of another kind, stops the build.
template <typename ControlType>
consteval std::size_t RowOf(std::span<const ControlLayout> rows, std::string_view name) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].name == name) {
            if (rows[i].kind != ControlType::kKind) {
                throw "the layout row is of another kind";
            }
            return i;
        }
    }
    throw "no layout row of that name";
}

class DialogWindow {
  public:
    // Controls() points into the object itself.
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    const WindowLayout& Layout() const { return layout_; }
    // Every control with its layout row, in the order of the layout table.
    std::span<const BoundControl> Controls() const { return controls_; }
    // The control of the row named `name`, or nullptr.
    Control* ControlNamed(std::string_view name) const;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }

    // Outer size. A resize keeps the window's top-left corner where it is.
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Resize(int width, int height);

    // Where `control` sits now, relative to its parent as in its row: the row's box until the
    // program moves it. An empty box for a control of another window.
    Rect BoxOf(const Control& control) const;
    // Moves `control` to `x`, `y`; its size stays. Ignored for a control of another window.
    void MoveControl(const Control& control, int x, int y);

    // The control that has the keyboard focus, or nullptr.
    const Control* Focused() const { return focused_; }
    void SetFocus(const Control& control) {
        focused_ = &control;
        ++focusRequests_;
    }
    // How many times the program placed the focus: the native window follows every request, also
    // one for the control that had it before the user moved on.
    unsigned FocusRequests() const { return focusRequests_; }

    bool IsOpen() const { return open_; }
    // Ends the window; it does not open again.
    void Close() { open_ = false; }

    // The user clicks the close box, or presses Escape, which does the same: fires
    // onCloseRequested while the window is open.
    void ClickCloseBox();
    void PressEscape() { ClickCloseBox(); }

    // The window loses activation: to another window of the program, to another program or to a
    // message box. Fires onDeactivated while the window is open.
    void LoseActivation();

    std::function<void()> onCloseRequested;
    std::function<void()> onDeactivated;

  protected:
    // Open, with the layout's caption and size and no control bound yet.
    explicit DialogWindow(const WindowLayout& layout);
    ~DialogWindow() = default;

    // Binds `control` to row `row` of the layout and gives it the row's state; a row flagged
    // kHidden starts hidden. Controls() keeps the table's order whatever the order of binding.
    template <typename ControlType>
    void Bind(ControlType& control, std::size_t row) {
        const ControlLayout& layout = layout_.controls[row];
        if constexpr (requires { ApplyLayout(layout, control); }) {
            ApplyLayout(layout, control);
        }
        control.SetVisible(!layout.Has(kHidden));
        AddBound({&layout, &control});
    }

  private:
    void AddBound(const BoundControl& bound);
    // Position in the layout table of the row `control` is bound to, or -1.
    int RowIndexOfControl(const Control& control) const;

    const WindowLayout& layout_;
    std::vector<BoundControl> controls_;
    // Indexed like the layout's rows.
    std::vector<Rect> boxes_;
    std::string caption_;
    int width_ = 0;
    int height_ = 0;
    const Control* focused_ = nullptr;
    unsigned focusRequests_ = 0;
    bool open_ = true;
};

}  // namespace netquill
