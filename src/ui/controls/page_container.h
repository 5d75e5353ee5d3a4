// A container of pages, numbered from 0, of which one is current. Without a tab strip only the
// program switches pages; with one the user does too, by clicking a page's title.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/controls/control.h"

namespace netquill {

class PageContainer final : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::kPageContainer;

    int PageCount() const { return pageCount_; }
    // At least one page; the first page becomes current when the current one goes.
    void SetPageCount(int count) {
        pageCount_ = count < 1 ? 1 : count;
        if (currentPage_ >= pageCount_) {
            currentPage_ = 0;
        }
    }

    bool HasTabStrip() const { return hasTabStrip_; }
    void SetTabStrip(bool shown) { hasTabStrip_ = shown; }

    // The titles the tab strip shows, one per page.
    const std::vector<std::string>& PageTitles() const { return pageTitles_; }
    void SetPageTitles(std::vector<std::string> titles) { pageTitles_ = std::move(titles); }

    int CurrentPage() const { return currentPage_; }
    // A page number outside 0..PageCount()-1 is ignored.
    void SetCurrentPage(int page) {
        if (page >= 0 && page < pageCount_) {
            currentPage_ = page;
        }
    }

    // The user clicks the title of `page`: makes it current, then fires onPageChanged with it.
    // Ignored (returns false) for the current page, a page outside the pages, a container
    // without a tab strip, or a disabled or hidden one.
    bool SelectPageByUser(int page) {
        if (!hasTabStrip_ || !ReachableByUser() || page == currentPage_ || page < 0 ||
            page >= pageCount_) {
            return false;
        }
        currentPage_ = page;
        if (onPageChanged) {
            onPageChanged(page);
        }
        return true;
    }

    std::function<void(int page)> onPageChanged;

  private:
    int pageCount_ = 1;
    bool hasTabStrip_ = true;
    int currentPage_ = 0;
    std::vector<std::string> pageTitles_;
};

}  // namespace netquill
