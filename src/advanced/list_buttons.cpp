#include "advanced/list_buttons.h"

namespace netquill {

void UpdateListButtons(AdvancedWindow& window) {
    struct ListButtons {
        bool hasRows;
        Button& edit;
        Button& remove;
    };
    const ListButtons lists[] = {
        {window.超级列表框1.RowCount() > 0, window.编辑按钮1, window.删除按钮1},
        {window.超级列表框2.RowCount() > 0, window.编辑按钮2, window.删除按钮2},
        {window.DNS列表框.ItemCount() > 0, window.编辑按钮3, window.删除按钮3},
    };
    for (const ListButtons& list : lists) {
        list.edit.SetEnabled(list.hasRows);
        list.remove.SetEnabled(list.hasRows);
    }
}

void UpdateMoveButtons(AdvancedWindow& window) {
    const int selected = window.DNS列表框.CurrentIndex();
    const int count = window.DNS列表框.ItemCount();
    const bool any = selected >= 0 && selected < count;
    window.向上按钮.SetEnabled(any && selected > 0);
    window.向下按钮.SetEnabled(any && selected < count - 1);
}

}  // namespace netquill
