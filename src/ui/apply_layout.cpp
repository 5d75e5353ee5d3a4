#include "ui/apply_layout.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace netquill {

void ApplyLayout(const ControlLayout& row, Label& label) {
    label.SetCaption(std::string(row.caption));
    label.SetTextAlignment(row.Has(kRightAligned) ? Alignment::kRight
                           : row.Has(kCentred)    ? Alignment::kCentre
                                                  : Alignment::kLeft);
    label.SetTextColour(row.textColour);
    label.SetBackColour(row.backColour);
    label.SetSunkenEdge(row.Has(kSunkenEdge));
}

void ApplyLayout(const ControlLayout& row, GroupBox& groupBox) {
    groupBox.SetCaption(std::string(row.caption));
}

void ApplyLayout(const ControlLayout& row, EditBox& editBox) {
    editBox.SetText(std::string(row.caption));
    editBox.SetMode(row.Has(kReadOnly)       ? EditMode::kReadOnly
                    : row.Has(kPassword)     ? EditMode::kPassword
                    : row.Has(kIntegerInput) ? EditMode::kIntegerInput
                                             : EditMode::kNormal);
    editBox.SetTextColour(row.textColour);
    editBox.SetMaxLength(static_cast<std::size_t>(std::max(row.maxLength, 0)));
}

void ApplyLayout(const ControlLayout& row, Button& button) {
    button.SetCaption(std::string(row.caption));
    button.SetDefault(row.Has(kDefaultButton));
}

void ApplyLayout(const ControlLayout& row, CheckBox& checkBox) {
    checkBox.SetCaption(std::string(row.caption));
}

void ApplyLayout(const ControlLayout& row, Hyperlink& hyperlink) {
    hyperlink.SetCaption(std::string(row.caption));
    hyperlink.SetAddress(std::string(row.address));
}

void ApplyLayout(const ControlLayout& row, PageContainer& pageContainer) {
    pageContainer.SetPageCount(row.pageCount);
    pageContainer.SetTabStrip(!row.Has(kNoTabStrip));
    pageContainer.SetPageTitles({row.pageTitles.begin(), row.pageTitles.end()});
}

void ApplyLayout(const ControlLayout& row, ListView& listView) {
    std::vector<ListColumn> columns;
    for (const ColumnLayout& column : row.columns) {
        columns.push_back({std::string(column.title), column.width});
    }
    listView.SetColumns(std::move(columns));
}

void ApplyLayout(const ControlLayout& row, PictureButton& pictureButton) {
    pictureButton.SetPicture(row.picture);
}

}  // namespace netquill
