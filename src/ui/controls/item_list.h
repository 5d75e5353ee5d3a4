// Controls that hold a list of texts with at most one selected item: the combo box (a
// drop-down list, not editable, not sorted) and the list box (single selection). Positions
// count from 0; -1 means no item is selected.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/controls/control.h"

namespace netquill {

class ItemListControl : public Control {
  public:
    const std::vector<std::string>& Items() const { return items_; }
    int ItemCount() const { return static_cast<int>(items_.size()); }

    // Appends an item and returns its position. The list is never sorted.
    int AddItem(std::string text);

    // Inserts before position `index`; an index outside 0..ItemCount() appends. A selected
    // item stays selected. Returns the new item's position.
    int InsertItem(int index, std::string text);

    // Replaces the text of the item at `index` (nothing when out of range); the selection
    // stays where it is.
    void SetItemText(int index, std::string text);

    // Removes the item at `index` (nothing when out of range). Removing the selected item
    // leaves no selection; a selection behind it moves up with its item.
    void RemoveItem(int index);

    // Removes every item; nothing is selected afterwards.
    void ClearItems();

    int CurrentIndex() const { return current_; }

    // The text of the selected item, or the empty text when none is selected.
    std::string_view CurrentText() const;

    // Selects by program: fires no event. An index outside the items selects nothing.
    void SetCurrentIndex(int index);

    // The user picks the item at `index`: selects it and fires onSelect with it, also when it
    // was already selected. Ignored (returns false) for an index outside the items or when
    // the control is disabled or hidden.
    bool SelectByUser(int index);

    std::function<void(int index)> onSelect;

  protected:
    ItemListControl() = default;
    ItemListControl(const ItemListControl&) = default;
    ItemListControl& operator=(const ItemListControl&) = default;
    ~ItemListControl() = default;

  private:
    bool InRange(int index) const { return index >= 0 && index < ItemCount(); }

    std::vector<std::string> items_;
    int current_ = -1;
};

class ComboBox final : public ItemListControl {
  public:
    static constexpr ControlKind kKind = ControlKind::kComboBox;
};

class ListBox final : public ItemListControl {
  public:
    static constexpr ControlKind kKind = ControlKind::kListBox;
};

}  // namespace netquill
