// A container of pages, numbered from 0, of which one is current. Without a tab strip only the
// program switches pages.
#pragma once

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

    int CurrentPage() const { return currentPage_; }
    // A page number outside 0..PageCount()-1 is ignored.
    void SetCurrentPage(int page) {
        if (page >= 0 && page < pageCount_) {
            currentPage_ = page;
        }
    }

  private:
    int pageCount_ = 1;
    bool hasTabStrip_ = true;
    int currentPage_ = 0;
};

}  // namespace netquill
