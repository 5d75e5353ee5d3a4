// Layout tables as the native backend and the end-to-end driver read them: control ids by name
// and boxes relative to the window's client area.
#include "ui/layout.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

#include "ui/main_window_layout.h"

namespace netquill {
namespace {

constexpr auto kRows = std::to_array<ControlLayout>({
    {.name = "outer", .box = {5, 55, 380, 161}},
    {.name = "group", .box = {10, 5, 365, 140}, .parent = "outer"},
    {.name = "inner", .box = {70, 15, 105, 20}, .parent = "group"},
    {.name = "orphan", .box = {1, 2, 3, 4}, .parent = "missing"},
    {.name = "loopA", .box = {1, 1, 1, 1}, .parent = "loopB"},
    {.name = "loopB", .box = {2, 2, 2, 2}, .parent = "loopA"},
});
constexpr WindowLayout kLayout{.caption = "t", .box = {0, 0, 100, 100}, .controls = kRows};

TEST(Layout, ClientBoxAddsEveryParentsCorner) {
    struct Case {
        int row;
        Rect expected;
    };
    const Case cases[] = {
        {0, {5, 55, 380, 161}},
        {1, {15, 60, 365, 140}},
        {2, {85, 75, 105, 20}},
        {3, {1, 2, 3, 4}},  // an unknown parent counts as the client area
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClientBox(kLayout, kRows[c.row]), c.expected) << kRows[c.row].name;
    }
    // A cycle of parents ends instead of looping.
    EXPECT_EQ(ClientBox(kLayout, kRows[4]).width, 1);
}

TEST(Layout, ControlIdsFollowTheRowsAndAreUniqueInTheMainWindow) {
    EXPECT_EQ(ControlIdOf(kLayout, "outer"), kFirstControlId);
    EXPECT_EQ(ControlIdOf(kLayout, "inner"), kFirstControlId + 2);
    EXPECT_EQ(ControlIdOf(kLayout, "none"), -1);

    std::set<int> ids;
    for (const ControlLayout& row : kMainWindowLayout.controls) {
        ids.insert(ControlIdOf(kMainWindowLayout, row.name));
    }
    EXPECT_EQ(ids.size(), kMainWindowLayout.controls.size());
    EXPECT_FALSE(ids.contains(-1));
    // Ids 1 and 2 are what dialog keys send for Enter and Esc; no control may use them.
    EXPECT_GT(*ids.begin(), 2);
}

TEST(Layout, MainWindowPageControlsLieInsideThePageContainer) {
    const ControlLayout& container =
        kMainWindowControls[static_cast<std::size_t>(RowIndexOf(kMainWindowLayout, "功能选择夹"))];
    const Rect outer = ClientBox(kMainWindowLayout, container);
    for (const ControlLayout& row : kMainWindowLayout.controls) {
        if (row.page < 0) {
            continue;
        }
        const Rect box = ClientBox(kMainWindowLayout, row);
        EXPECT_GE(box.x, outer.x) << row.name;
        EXPECT_GE(box.y, outer.y) << row.name;
        EXPECT_LE(box.x + box.width, outer.x + outer.width) << row.name;
        EXPECT_LE(box.y + box.height, outer.y + outer.height) << row.name;
    }
}

}  // namespace
}  // namespace netquill
