#include "ui/controls/list_view.h"

#include <utility>

namespace netquill {

void ListView::SetColumns(std::vector<ListColumn> columns) {
    columns_ = std::move(columns);
    for (std::vector<std::string>& row : rows_) {
        row.resize(columns_.size());
    }
}

int ListView::AddRow(std::vector<std::string> cells) {
    cells.resize(columns_.size());
    rows_.push_back(std::move(cells));
    return RowCount() - 1;
}

std::string_view ListView::Cell(int row, int column) const {
    return InRange(row) && IsColumn(column) ? std::string_view(rows_[row][column])
                                            : std::string_view();
}

void ListView::SetCell(int row, int column, std::string text) {
    if (InRange(row) && IsColumn(column)) {
        rows_[row][column] = std::move(text);
    }
}

void ListView::RemoveRow(int row) {
    if (!InRange(row)) {
        return;
    }
    rows_.erase(rows_.begin() + row);
    if (selected_ == row) {
        selected_ = -1;
    } else if (selected_ > row) {
        --selected_;
    }
}

void ListView::ClearRows() {
    rows_.clear();
    selected_ = -1;
}

bool ListView::SelectByUser(int row) {
    if (!InRange(row) || !ReachableByUser()) {
        return false;
    }
    selected_ = row;
    if (onSelect) {
        onSelect(row);
    }
    return true;
}

}  // namespace netquill
