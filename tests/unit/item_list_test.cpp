#include "ui/controls/item_list.h"
#include "ui/controls/list_view.h"

#include <gtest/gtest.h>

#include <vector>

namespace netquill {
namespace {

TEST(ComboBox, OnlyTheUsersPickFiresTheSelectEvent) {
    ComboBox combo;
    std::vector<int> picked;
    combo.onSelect = [&](int index) { picked.push_back(index); };
    combo.AddItem("甲");
    combo.AddItem("乙");

    combo.SetCurrentIndex(1);
    EXPECT_EQ(combo.CurrentIndex(), 1);
    EXPECT_EQ(combo.CurrentText(), "乙");
    EXPECT_TRUE(picked.empty());

    EXPECT_TRUE(combo.SelectByUser(0));
    EXPECT_TRUE(combo.SelectByUser(0));  // picking the current item again still reports it
    EXPECT_FALSE(combo.SelectByUser(2));
    EXPECT_EQ(picked, (std::vector<int>{0, 0}));
    EXPECT_EQ(combo.CurrentIndex(), 0);

    combo.SetEnabled(false);
    EXPECT_FALSE(combo.SelectByUser(1));
    EXPECT_EQ(picked.size(), 2u);
}

TEST(ComboBox, SelectingOutsideTheItemsSelectsNothing) {
    ComboBox combo;
    combo.AddItem("甲");
    for (const int index : {-1, 1, -7}) {
        combo.SetCurrentIndex(0);
        combo.SetCurrentIndex(index);
        EXPECT_EQ(combo.CurrentIndex(), -1) << index;
        EXPECT_EQ(combo.CurrentText(), "") << index;
    }
    combo.SetCurrentIndex(0);
    combo.ClearItems();
    EXPECT_EQ(combo.CurrentIndex(), -1);
}

TEST(ListBox, SelectionFollowsItsItemThroughInsertAndRemove) {
    struct Case {
        bool insert;
        int index;
        int selectedAfter;
    };
    // Items a b c with b (1) selected before each change.
    const Case cases[] = {
        {true, 0, 2},  {true, 1, 2},   {true, 2, 1},  {true, 9, 1},
        {false, 0, 0}, {false, 1, -1}, {false, 2, 1}, {false, 3, 1},
    };
    for (const Case& c : cases) {
        ListBox list;
        for (const char* item : {"a", "b", "c"}) {
            list.AddItem(item);
        }
        list.SetCurrentIndex(1);
        if (c.insert) {
            list.InsertItem(c.index, "new");
        } else {
            list.RemoveItem(c.index);
        }
        EXPECT_EQ(list.CurrentIndex(), c.selectedAfter)
            << (c.insert ? "insert at " : "remove at ") << c.index;
        if (c.selectedAfter >= 0) {
            EXPECT_EQ(list.CurrentText(), "b");
        }
    }
}

TEST(ListView, CellsFitTheColumnsAndSelectionFollowsItsRow) {
    ListView view;
    view.SetColumns({{"IP 地址", 155}, {"子网掩码", 155}});
    view.AddRow({"10.0.0.1"});
    view.AddRow({"10.0.0.2", "255.0.0.0", "dropped"});
    EXPECT_EQ(view.Cell(0, 1), "");
    EXPECT_EQ(view.Cell(1, 1), "255.0.0.0");
    EXPECT_EQ(view.Cell(1, 2), "");
    EXPECT_EQ(view.Cell(5, 0), "");

    std::vector<int> selected;
    view.onSelect = [&](int row) { selected.push_back(row); };
    view.SetSelectedRow(1);
    EXPECT_TRUE(selected.empty());
    view.RemoveRow(0);
    EXPECT_EQ(view.SelectedRow(), 0);
    EXPECT_EQ(view.Cell(0, 0), "10.0.0.2");
    EXPECT_FALSE(view.SelectByUser(1));
    EXPECT_TRUE(view.SelectByUser(0));
    EXPECT_EQ(selected, (std::vector<int>{0}));
    view.RemoveRow(0);
    EXPECT_EQ(view.SelectedRow(), -1);
}

TEST(ListBox, SetItemTextKeepsTheSelection) {
    ListBox list;
    list.AddItem("甲");
    list.AddItem("乙");
    list.SetCurrentIndex(1);
    list.SetItemText(1, "丙");
    list.SetItemText(0, "丁");
    list.SetItemText(2, "戊");  // outside the items: nothing
    list.SetItemText(-1, "戊");
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"丁", "丙"}));
    EXPECT_EQ(list.CurrentIndex(), 1);
    EXPECT_EQ(list.CurrentText(), "丙");
}

}  // namespace
}  // namespace netquill
