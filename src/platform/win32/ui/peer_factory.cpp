#include "platform/win32/ui/peer_factory.h"

#include "platform/win32/ui/button_peers.h"
#include "platform/win32/ui/combo_box_peer.h"
#include "platform/win32/ui/edit_peer.h"
#include "platform/win32/ui/ip_address_peer.h"
#include "platform/win32/ui/list_peers.h"
#include "platform/win32/ui/page_container_peer.h"
#include "platform/win32/ui/picture_button_peer.h"
#include "platform/win32/ui/static_peers.h"

namespace netquill {

std::unique_ptr<ControlPeer> MakePeer(WindowPeers& owner, const BoundControl& bound) {
    const ControlLayout& row = *bound.layout;
    Control& control = *bound.control;
    switch (row.kind) {
        case ControlKind::kLabel:
            return MakeLabelPeer(owner, row, static_cast<Label&>(control));
        case ControlKind::kGroupBox:
            return MakeGroupBoxPeer(owner, row, static_cast<GroupBox&>(control));
        case ControlKind::kEditBox:
            return MakeEditPeer(owner, row, static_cast<EditBox&>(control));
        case ControlKind::kIpAddressField:
            return MakeIpAddressPeer(owner, row, static_cast<IpAddressField&>(control));
        case ControlKind::kButton:
            return MakeButtonPeer(owner, row, static_cast<Button&>(control));
        case ControlKind::kCheckBox:
            return MakeCheckBoxPeer(owner, row, static_cast<CheckBox&>(control));
        case ControlKind::kComboBox:
            return MakeComboBoxPeer(owner, row, static_cast<ComboBox&>(control));
        case ControlKind::kPageContainer:
            return std::make_unique<PageContainerPeer>(owner, row,
                                                       static_cast<PageContainer&>(control));
        case ControlKind::kHyperlink:
            return MakeHyperlinkPeer(owner, row, static_cast<Hyperlink&>(control));
        case ControlKind::kListView:
            return MakeListViewPeer(owner, row, static_cast<ListView&>(control));
        case ControlKind::kListBox:
            return MakeListBoxPeer(owner, row, static_cast<ListBox&>(control));
        case ControlKind::kPictureButton:
            return MakePictureButtonPeer(owner, row, static_cast<PictureButton&>(control));
    }
    return nullptr;
}

}  // namespace netquill
