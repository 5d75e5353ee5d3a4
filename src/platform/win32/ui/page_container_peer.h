// Native peer of the page container (SysTabControl32, with or without its tab strip). Its class
// is visible: the window's peers ask it for the colour of its pane.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/ui/control_peers.h"
#include "ui/controls/page_container.h"

namespace netquill {

// A tab control holds the pages. Without a tab strip it gets no tabs, so only the program
// switches pages; its classic look keeps it in the dialog colour that the controls on it paint
// their backgrounds with.
class PageContainerPeer final : public ControlPeer {
  public:
    PageContainerPeer(WindowPeers& owner, const ControlLayout& row, PageContainer& container)
        : ControlPeer(owner, row, container), container_(container) {}

    std::optional<LRESULT> OnNotify(const NMHDR& header) override;

    // The colour of the pane behind the pages' controls as the system draws it (white in Wine's
    // and Windows' themes, the dialog colour in the classic look), taken from the drawn pane;
    // nothing without a tab strip, which has no pane, or when the control cannot draw itself.
    std::optional<COLORREF> PaneColour() const;

  private:
    NativeClass Describe() const override;
    void Created() override;
    void PushContent() override;
    std::optional<COLORREF> DrawnPaneColour() const;

    PageContainer& container_;
    std::vector<std::string> shownTitles_;
    mutable std::optional<COLORREF> paneColour_;
};

}  // namespace netquill
