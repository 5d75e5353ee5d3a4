#include "ui/controls/page_container.h"

#include <gtest/gtest.h>

#include <vector>

namespace netquill {
namespace {

TEST(PageContainer, TheUserSwitchesPagesOnlyThroughATabStrip) {
    struct Case {
        bool tabStrip;
        bool enabled;
        int page;
        bool switched;
    };
    const Case cases[] = {
        {true, true, 1, true},   {true, true, 0, false},  // the current page: no change
        {true, true, 2, false},  {true, true, -1, false},
        {false, true, 1, false}, {true, false, 1, false},
    };
    for (const Case& c : cases) {
        PageContainer pages;
        pages.SetPageCount(2);
        pages.SetTabStrip(c.tabStrip);
        pages.SetEnabled(c.enabled);
        std::vector<int> changes;
        pages.onPageChanged = [&](int page) {
            EXPECT_EQ(pages.CurrentPage(), page) << "the event comes after the change";
            changes.push_back(page);
        };
        EXPECT_EQ(pages.SelectPageByUser(c.page), c.switched) << c.page;
        EXPECT_EQ(pages.CurrentPage(), c.switched ? c.page : 0);
        EXPECT_EQ(changes, c.switched ? std::vector<int>{c.page} : std::vector<int>{});
    }
}

TEST(PageContainer, TheProgramSwitchesSilently) {
    PageContainer pages;
    pages.SetPageCount(2);
    int changes = 0;
    pages.onPageChanged = [&](int) { ++changes; };
    pages.SetCurrentPage(1);
    EXPECT_EQ(pages.CurrentPage(), 1);
    EXPECT_EQ(changes, 0);
}

}  // namespace
}  // namespace netquill
