#include "platform/win32/ui/list_peers.h"

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <string>
#include <utility>
#include <vector>

#include "platform/win32/wide_text.h"

namespace netquill {
namespace {

using Texts = std::vector<std::string>;

class ListViewPeer final : public ControlPeer {
  public:
    ListViewPeer(WindowPeers& owner, const ControlLayout& row, ListView& list)
        : ControlPeer(owner, row, list), list_(list) {}

    // The user's clicks and keys select a row or, in the empty area, none; the model follows
    // whatever the control now shows selected.
    std::optional<LRESULT> OnNotify(const NMHDR& header) override {
        if (header.code != LVN_ITEMCHANGED) {
            return std::nullopt;
        }
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) != 0 &&
            ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) != 0) {
            const int selected = NativeSelection();
            if (selected < 0) {
                list_.SetSelectedRow(-1);
            } else if (selected != list_.SelectedRow()) {
                list_.SelectByUser(selected);
            }
        }
        return 0;
    }

  private:
    NativeClass Describe() const override {
        return {WC_LISTVIEWW,
                WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                    LVS_NOSORTHEADER,
                0, L""};
    }

    void Created() override {
        SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                     LVS_EX_FULLROWSELECT);
        shownColumns_.clear();
        shownRows_.clear();
    }

    void PushContent() override {
        PushColumns();
        PushRows();
        const int selected = list_.SelectedRow();
        if (selected != NativeSelection()) {
            SetState(-1, 0);
            if (selected >= 0) {
                SetState(selected, LVIS_SELECTED | LVIS_FOCUSED);
                SendMessageW(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(selected), FALSE);
            }
        }
    }

    void PushColumns() {
        std::vector<std::pair<std::string, int>> columns;
        for (const ListColumn& column : list_.Columns()) {
            columns.emplace_back(column.title, column.width);
        }
        if (columns == shownColumns_) {
            return;
        }
        while (SendMessageW(hwnd_, LVM_DELETECOLUMN, 0, 0) != FALSE) {
        }
        shownColumns_ = std::move(columns);
        for (std::size_t i = 0; i < shownColumns_.size(); ++i) {
            std::wstring title = ToWide(shownColumns_[i].first);
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
            column.cx = owner_.Scale(shownColumns_[i].second);
            column.pszText = title.data();
            column.iSubItem = static_cast<int>(i);
            SendMessageW(hwnd_, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
        }
        // Cells of columns that were not there are empty: fill every row again.
        for (int row = static_cast<int>(shownRows_.size()) - 1; row >= 0; --row) {
            SendMessageW(hwnd_, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
        }
        shownRows_.clear();
    }

    // Row by row: a changed cell is rewritten, rows are added or taken off at the end, so that
    // the scroll position stays where the user left it.
    void PushRows() {
        std::vector<Texts> rows(static_cast<std::size_t>(list_.RowCount()));
        for (std::size_t row = 0; row < rows.size(); ++row) {
            for (std::size_t column = 0; column < list_.Columns().size(); ++column) {
                rows[row].emplace_back(list_.Cell(static_cast<int>(row), static_cast<int>(column)));
            }
        }
        if (rows == shownRows_) {
            return;
        }
        for (std::size_t row = rows.size(); row < shownRows_.size(); ++row) {
            SendMessageW(hwnd_, LVM_DELETEITEM, rows.size(), 0);
        }
        for (std::size_t row = 0; row < rows.size(); ++row) {
            if (row >= shownRows_.size()) {
                LVITEMW item{};
                item.mask = LVIF_TEXT;
                item.iItem = static_cast<int>(row);
                item.pszText = const_cast<wchar_t*>(L"");
                SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
            }
            for (std::size_t column = 0; column < rows[row].size(); ++column) {
                const bool known = row < shownRows_.size() && column < shownRows_[row].size();
                if (!known || shownRows_[row][column] != rows[row][column]) {
                    SetCell(static_cast<int>(row), static_cast<int>(column), rows[row][column]);
                }
            }
        }
        shownRows_ = std::move(rows);
    }

    void SetCell(int row, int column, const std::string& text) {
        std::wstring wide = ToWide(text);
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = wide.data();
        SendMessageW(hwnd_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
    }

    void SetState(int row, UINT state) {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = state;
        SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
    }

    int NativeSelection() const {
        return static_cast<int>(
            SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }

    ListView& list_;
    std::vector<std::pair<std::string, int>> shownColumns_;
    std::vector<Texts> shownRows_;
};

class ListBoxPeer final : public ControlPeer {
  public:
    ListBoxPeer(WindowPeers& owner, const ControlLayout& row, ListBox& list)
        : ControlPeer(owner, row, list), list_(list) {}

    void OnCommand(WORD code) override {
        if (code != LBN_SELCHANGE) {
            return;
        }
        const int selected = static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0));
        if (selected < 0) {
            list_.SetCurrentIndex(-1);
        } else {
            list_.SelectByUser(selected);
        }
    }

  private:
    NativeClass Describe() const override {
        return {WC_LISTBOXW,
                WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, L""};
    }

    void Created() override { shownItems_.clear(); }

    // Item by item, like the list view's rows.
    void PushContent() override {
        const Texts& items = list_.Items();
        if (items != shownItems_) {
            for (std::size_t i = items.size(); i < shownItems_.size(); ++i) {
                SendMessageW(hwnd_, LB_DELETESTRING, items.size(), 0);
            }
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (i < shownItems_.size() && shownItems_[i] == items[i]) {
                    continue;
                }
                if (i < shownItems_.size()) {
                    SendMessageW(hwnd_, LB_DELETESTRING, i, 0);
                }
                SendMessageW(hwnd_, LB_INSERTSTRING, i,
                             reinterpret_cast<LPARAM>(ToWide(items[i]).c_str()));
            }
            shownItems_ = items;
        }
        if (SendMessageW(hwnd_, LB_GETCURSEL, 0, 0) != list_.CurrentIndex()) {
            SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(list_.CurrentIndex()), 0);
        }
    }

    ListBox& list_;
    Texts shownItems_;
};

}  // namespace

std::unique_ptr<ControlPeer> MakeListViewPeer(WindowPeers& owner, const ControlLayout& row,
                                              ListView& list) {
    return std::make_unique<ListViewPeer>(owner, row, list);
}

std::unique_ptr<ControlPeer> MakeListBoxPeer(WindowPeers& owner, const ControlLayout& row,
                                             ListBox& list) {
    return std::make_unique<ListBoxPeer>(owner, row, list);
}

}  // namespace netquill
