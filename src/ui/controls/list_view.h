// Report-style list view: titled columns, rows of texts, whole-row single selection.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/controls/control.h"

namespace netquill {

struct ListColumn {
    std::string title;
    int width = 0;
};

class ListView final : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::kListView;

    const std::vector<ListColumn>& Columns() const { return columns_; }
    void SetColumns(std::vector<ListColumn> columns);

    int RowCount() const { return static_cast<int>(rows_.size()); }

    // Appends a row and returns its position. Cells beyond the columns are dropped; missing
    // cells are empty.
    int AddRow(std::vector<std::string> cells);

    // The text of one cell; the empty text outside the rows or columns.
    std::string_view Cell(int row, int column) const;
    // Ignored outside the rows or columns.
    void SetCell(int row, int column, std::string text);

    // Removes a row (nothing when out of range). Removing the selected row leaves no
    // selection; a selection behind it moves up with its row.
    void RemoveRow(int row);
    // Removes every row; nothing is selected afterwards.
    void ClearRows();

    // Position of the selected row, or -1.
    int SelectedRow() const { return selected_; }
    // Selects by program: fires no event. A row outside the rows selects nothing.
    void SetSelectedRow(int row) { selected_ = InRange(row) ? row : -1; }

    // The user selects a row: fires onSelect with it. Ignored (returns false) outside the
    // rows or when the list view is disabled or hidden.
    bool SelectByUser(int row);

    std::function<void(int row)> onSelect;

  private:
    bool InRange(int row) const { return row >= 0 && row < RowCount(); }
    bool IsColumn(int column) const {
        return column >= 0 && column < static_cast<int>(columns_.size());
    }

    std::vector<ListColumn> columns_;
    std::vector<std::vector<std::string>> rows_;
    int selected_ = -1;
};

}  // namespace netquill
