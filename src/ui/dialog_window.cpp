#include "ui/dialog_window.h"

#include <algorithm>
#include <functional>

namespace netquill {

DialogWindow::DialogWindow(const WindowLayout& layout)
    : layout_(layout),
      caption_(layout.caption),
      width_(layout.box.width),
      height_(layout.box.height) {
    for (const ControlLayout& row : layout.controls) {
        boxes_.push_back(row.box);
    }
}

Control* DialogWindow::ControlNamed(std::string_view name) const {
    const auto found =
        std::ranges::find(controls_, name, [](const BoundControl& b) { return b.layout->name; });
    return found != controls_.end() ? found->control : nullptr;
}

void DialogWindow::Resize(int width, int height) {
    width_ = width;
    height_ = height;
}

Rect DialogWindow::BoxOf(const Control& control) const {
    const int row = RowIndexOfControl(control);
    return row < 0 ? Rect{} : boxes_[static_cast<std::size_t>(row)];
}

void DialogWindow::MoveControl(const Control& control, int x, int y) {
    const int row = RowIndexOfControl(control);
    if (row >= 0) {
        Rect& box = boxes_[static_cast<std::size_t>(row)];
        box.x = x;
        box.y = y;
    }
}

void DialogWindow::ClickCloseBox() {
    if (open_ && onCloseRequested) {
        onCloseRequested();
    }
}

void DialogWindow::LoseActivation() {
    if (open_ && onDeactivated) {
        onDeactivated();
    }
}

void DialogWindow::AddBound(const BoundControl& bound) {
    controls_.insert(
        std::ranges::upper_bound(controls_, bound.layout, std::less<>{}, &BoundControl::layout),
        bound);
}

int DialogWindow::RowIndexOfControl(const Control& control) const {
    const auto found = std::ranges::find(controls_, &control, &BoundControl::control);
    return found != controls_.end() ? static_cast<int>(found->layout - layout_.controls.data())
                                    : -1;
}

}  // namespace netquill
