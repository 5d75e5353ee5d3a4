#include "platform/win32/ui/static_peers.h"

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <optional>
#include <string>
#include <utility>

#include "platform/win32/ui/open_address.h"
#include "platform/win32/ui/peer_colours.h"
#include "platform/win32/wide_text.h"

namespace netquill {
namespace {

class LabelPeer final : public ControlPeer {
  public:
    LabelPeer(WindowPeers& owner, const ControlLayout& row, Label& label)
        : ControlPeer(owner, row, label), label_(label) {}

    HBRUSH OnColour(HDC dc) override {
        return DialogColours(owner_, *this, dc, label_.TextColour(), label_.BackColour());
    }

  private:
    static DWORD AlignmentStyle(Alignment alignment) {
        switch (alignment) {
            case Alignment::kCentre:
                return SS_CENTER;
            case Alignment::kRight:
                return SS_RIGHT;
            case Alignment::kLeft:
                break;
        }
        return SS_LEFT;
    }

    NativeClass Describe() const override {
        // Single-line captions, centred vertically like the edit boxes beside them; "&" is text.
        return {WC_STATICW, SS_NOPREFIX | SS_CENTERIMAGE | AlignmentStyle(label_.TextAlignment()),
                label_.SunkenEdge() ? DWORD{WS_EX_STATICEDGE} : DWORD{0}, ToWide(label_.Caption())};
    }

    void Created() override {
        shownCaption_ = label_.Caption();
        shownAlignment_ = label_.TextAlignment();
        shownColours_ = {label_.TextColour(), label_.BackColour()};
    }

    void PushContent() override {
        if (label_.Caption() != shownCaption_) {
            shownCaption_ = label_.Caption();
            SetWindowTextW(hwnd_, ToWide(shownCaption_).c_str());
        }
        if (label_.TextAlignment() != shownAlignment_) {
            shownAlignment_ = label_.TextAlignment();
            const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE) & ~LONG_PTR{SS_TYPEMASK};
            SetWindowLongPtrW(hwnd_, GWL_STYLE, style | AlignmentStyle(shownAlignment_));
            InvalidateRect(hwnd_, nullptr, TRUE);
        }
        const std::pair colours{label_.TextColour(), label_.BackColour()};
        if (colours != shownColours_) {
            shownColours_ = colours;
            InvalidateRect(hwnd_, nullptr, TRUE);
        }
    }

    Label& label_;
    std::string shownCaption_;
    Alignment shownAlignment_ = Alignment::kLeft;
    std::pair<std::optional<Rgb>, std::optional<Rgb>> shownColours_;
};

class GroupBoxPeer final : public ControlPeer {
  public:
    GroupBoxPeer(WindowPeers& owner, const ControlLayout& row, GroupBox& groupBox)
        : ControlPeer(owner, row, groupBox), groupBox_(groupBox) {}

    HBRUSH OnColour(HDC dc) override { return DialogColours(owner_, *this, dc, std::nullopt); }

  private:
    NativeClass Describe() const override {
        return {WC_BUTTONW, BS_GROUPBOX, 0, ToWide(groupBox_.Caption())};
    }
    void Created() override { shownCaption_ = groupBox_.Caption(); }
    void PushContent() override {
        if (groupBox_.Caption() != shownCaption_) {
            shownCaption_ = groupBox_.Caption();
            SetWindowTextW(hwnd_, ToWide(shownCaption_).c_str());
        }
    }

    GroupBox& groupBox_;
    std::string shownCaption_;
};

class HyperlinkPeer final : public ControlPeer {
  public:
    HyperlinkPeer(WindowPeers& owner, const ControlLayout& row, Hyperlink& link)
        : ControlPeer(owner, row, link), link_(link) {}

    std::optional<LRESULT> OnNotify(const NMHDR& header) override {
        if (header.code == NM_CLICK || header.code == NM_RETURN) {
            OpenAddress(link_.Address());
            return 0;
        }
        return std::nullopt;
    }

    HBRUSH OnColour(HDC dc) override { return DialogColours(owner_, *this, dc, std::nullopt); }

  private:
    static std::wstring Markup(const std::string& caption) {
        return L"<a>" + ToWide(caption) + L"</a>";
    }

    NativeClass Describe() const override {
        return {WC_LINK, WS_TABSTOP, 0, Markup(link_.Caption())};
    }

    void Created() override { shownCaption_ = link_.Caption(); }

    void PushContent() override {
        if (link_.Caption() != shownCaption_) {
            shownCaption_ = link_.Caption();
            SetWindowTextW(hwnd_, Markup(shownCaption_).c_str());
        }
    }

    Hyperlink& link_;
    std::string shownCaption_;
};

}  // namespace

std::unique_ptr<ControlPeer> MakeLabelPeer(WindowPeers& owner, const ControlLayout& row,
                                           Label& label) {
    return std::make_unique<LabelPeer>(owner, row, label);
}

std::unique_ptr<ControlPeer> MakeGroupBoxPeer(WindowPeers& owner, const ControlLayout& row,
                                              GroupBox& groupBox) {
    return std::make_unique<GroupBoxPeer>(owner, row, groupBox);
}

std::unique_ptr<ControlPeer> MakeHyperlinkPeer(WindowPeers& owner, const ControlLayout& row,
                                               Hyperlink& link) {
    return std::make_unique<HyperlinkPeer>(owner, row, link);
}

}  // namespace netquill
