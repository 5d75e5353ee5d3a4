#include "ui/controls/item_list.h"

#include <utility>

namespace netquill {

int ItemListControl::AddItem(std::string text) {
    items_.push_back(std::move(text));
    return ItemCount() - 1;
}

int ItemListControl::InsertItem(int index, std::string text) {
    if (index < 0 || index > ItemCount()) {
        return AddItem(std::move(text));
    }
    items_.insert(items_.begin() + index, std::move(text));
    if (current_ >= index) {
        ++current_;
    }
    return index;
}

void ItemListControl::SetItemText(int index, std::string text) {
    if (InRange(index)) {
        items_[index] = std::move(text);
    }
}

void ItemListControl::RemoveItem(int index) {
    if (!InRange(index)) {
        return;
    }
    items_.erase(items_.begin() + index);
    if (current_ == index) {
        current_ = -1;
    } else if (current_ > index) {
        --current_;
    }
}

void ItemListControl::ClearItems() {
    items_.clear();
    current_ = -1;
}

std::string_view ItemListControl::CurrentText() const {
    return InRange(current_) ? std::string_view(items_[current_]) : std::string_view();
}

void ItemListControl::SetCurrentIndex(int index) {
    current_ = InRange(index) ? index : -1;
}

bool ItemListControl::SelectByUser(int index) {
    if (!InRange(index) || !ReachableByUser()) {
        return false;
    }
    current_ = index;
    if (onSelect) {
        onSelect(index);
    }
    return true;
}

}  // namespace netquill
