#include "platform/win32/ui/control_peers.h"

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>
// clang-format on

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/win32/ui/list_peers.h"
#include "platform/win32/ui/open_address.h"
#include "platform/win32/ui/picture_button_peer.h"
#include "platform/win32/wide_text.h"
#include "ui/controls/button.h"
#include "ui/controls/edit_box.h"
#include "ui/controls/ip_address_field.h"
#include "ui/controls/item_list.h"
#include "ui/controls/label.h"
#include "ui/controls/page_container.h"

namespace netquill {
namespace {

COLORREF ToColorRef(const Rgb& colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

// Text in a dialog-coloured control: the model's colour or the system's, on the given
// background or on what lies behind `peer`.
HBRUSH DialogColours(WindowPeers& owner, const ControlPeer& peer, HDC dc, std::optional<Rgb> text,
                     std::optional<Rgb> back = std::nullopt) {
    SetTextColor(dc, text ? ToColorRef(*text) : GetSysColor(COLOR_BTNTEXT));
    const COLORREF background = back ? ToColorRef(*back) : owner.BackgroundOf(peer);
    SetBkColor(dc, background);
    return owner.Brush(background);
}

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

class EditPeer final : public ControlPeer {
  public:
    EditPeer(WindowPeers& owner, const ControlLayout& row, EditBox& edit)
        : ControlPeer(owner, row, edit), edit_(edit) {}

    void OnCommand(WORD code) override {
        if (code != EN_CHANGE || correcting_) {
            return;
        }
        const std::wstring text = WindowText(hwnd_);
        // A read-only box holds the program's text: a change made from outside is undone.
        std::string changed = edit_.Mode() == EditMode::kReadOnly ? shownText_ : FromWide(text);
        // Some edit controls report a change also when a refused key left the text as it was.
        const bool taken = changed != shownText_;
        if (taken) {
            shownText_ = std::move(changed);
            edit_.SetText(shownText_);
        }
        // The box shows what the program holds, so what it stores later is what the user saw:
        // a character that code page 936 lacks shows as the "?" it became.
        std::wstring held = ToWide(shownText_);
        held.resize(std::min(held.find(L'\0'), held.size()));
        if (held != text) {
            Correct(held);
        }
        if (taken && edit_.onTextChanged) {
            edit_.onTextChanged();
        }
    }

    HBRUSH OnColour(HDC dc) override {
        if (edit_.Mode() == EditMode::kReadOnly) {
            return DialogColours(owner_, *this, dc, edit_.TextColour());
        }
        const std::optional<Rgb> text = edit_.TextColour();
        SetTextColor(dc, text ? ToColorRef(*text) : GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return GetSysColorBrush(COLOR_WINDOW);
    }

  private:
    NativeClass Describe() const override {
        DWORD style = WS_TABSTOP | ES_AUTOHSCROLL;
        if (edit_.Mode() == EditMode::kReadOnly) {
            style |= ES_READONLY;
        }
        if (edit_.Mode() == EditMode::kPassword) {
            style |= ES_PASSWORD;
        }
        return {WC_EDITW, style, WS_EX_CLIENTEDGE, ToWide(edit_.Text())};
    }

    void Created() override {
        shownText_ = edit_.Text();
        shownMode_ = edit_.Mode();
        shownMaxLength_ = edit_.MaxLength();
        SendMessageW(hwnd_, EM_SETLIMITTEXT, shownMaxLength_, 0);
        if (shownMode_ == EditMode::kPassword) {
            // Visual styles would show a dot; the window shows one "*" per character.
            SendMessageW(hwnd_, EM_SETPASSWORDCHAR, L'*', 0);
        }
        SetWindowSubclass(hwnd_, &EditPeer::Subclass, 0, reinterpret_cast<DWORD_PTR>(this));
    }

    // Replaces what the box shows, keeping the caret and the selection where they were.
    void Correct(const std::wstring& text) {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        correcting_ = true;
        SetWindowTextW(hwnd_, text.c_str());
        correcting_ = false;
        SendMessageW(hwnd_, EM_SETSEL, start, end);
    }

    void PushContent() override {
        if (edit_.Mode() != shownMode_) {
            shownMode_ = edit_.Mode();
            SendMessageW(hwnd_, EM_SETREADONLY, shownMode_ == EditMode::kReadOnly, 0);
            SendMessageW(hwnd_, EM_SETPASSWORDCHAR, shownMode_ == EditMode::kPassword ? L'*' : 0,
                         0);
            InvalidateRect(hwnd_, nullptr, TRUE);
        }
        if (edit_.MaxLength() != shownMaxLength_) {
            shownMaxLength_ = edit_.MaxLength();
            SendMessageW(hwnd_, EM_SETLIMITTEXT, shownMaxLength_, 0);  // 0: no limit
        }
        if (edit_.Text() != shownText_) {
            shownText_ = edit_.Text();
            SetWindowTextW(hwnd_, ToWide(shownText_).c_str());
        }
    }

    static bool IsPrintable(WPARAM character) { return character >= 0x20 && character != 0x7F; }

    static bool PassesIntegerFilter(WPARAM character) {
        return !IsPrintable(character) || (character >= L'0' && character <= L'9') ||
               character == L'-';
    }

    // Characters as the user types them: Enter goes to the default button while it can take it,
    // the box's key-press event sees the rest, and integer input refuses printable characters
    // other than digits and "-". Pasting (WM_PASTE) is not filtered.
    static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR data) noexcept {
        auto& peer = *reinterpret_cast<EditPeer*>(data);
        if (message == WM_CHAR) {
            if (wParam == L'\r' && peer.owner_.ClickDefaultButton()) {
                return 0;
            }
            peer.edit_.PressKey(static_cast<int>(wParam));
            peer.owner_.Sync();
            if (peer.edit_.Mode() == EditMode::kIntegerInput && !PassesIntegerFilter(wParam)) {
                return 0;
            }
        } else if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(window, &EditPeer::Subclass, 0);
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }

    EditBox& edit_;
    std::string shownText_;
    EditMode shownMode_ = EditMode::kNormal;
    std::size_t shownMaxLength_ = 0;
    bool correcting_ = false;
};

class IpAddressPeer final : public ControlPeer {
  public:
    IpAddressPeer(WindowPeers& owner, const ControlLayout& row, IpAddressField& field)
        : ControlPeer(owner, row, field), field_(field) {}

    // The control reports every change of its fields as EN_CHANGE. Reading it: blank fields
    // read as 0, and a control whose four fields are blank reads as the empty text.
    void OnCommand(WORD code) override {
        if (code != EN_CHANGE || correcting_) {
            return;
        }
        CorrectParts();
        std::string address;
        if (SendMessageW(hwnd_, IPM_ISBLANK, 0, 0) == 0) {
            DWORD value = 0;
            SendMessageW(hwnd_, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&value));
            address = std::to_string(FIRST_IPADDRESS(value)) + "." +
                      std::to_string(SECOND_IPADDRESS(value)) + "." +
                      std::to_string(THIRD_IPADDRESS(value)) + "." +
                      std::to_string(FOURTH_IPADDRESS(value));
        }
        field_.SetAddress(address);
        shownAddress_ = field_.Address();
    }

  private:
    NativeClass Describe() const override { return {WC_IPADDRESSW, WS_TABSTOP, 0, L""}; }

    // Typing puts only digits into a part, but pasting or setting its text puts anything, and
    // the control reads a part with no regard to its range (999 spills into the part before it).
    // Each part is made to show what the field takes from it: the number its leading digits
    // make, up to 255, or nothing.
    void CorrectParts() {
        for (HWND part = GetWindow(hwnd_, GW_CHILD); part != nullptr;
             part = GetWindow(part, GW_HWNDNEXT)) {
            const std::wstring text = WindowText(part);
            const std::wstring taken = PartTaken(text);
            if (taken != text) {
                correcting_ = true;
                SetWindowTextW(part, taken.c_str());
                correcting_ = false;
            }
        }
    }

    // Digits the user typed stay as they are, leading zeros included.
    static std::wstring PartTaken(std::wstring_view text) {
        constexpr int kLargest = 255;
        int value = 0;
        std::size_t digits = 0;
        for (; digits < text.size() && text[digits] >= L'0' && text[digits] <= L'9'; ++digits) {
            value = std::min(value * 10 + (text[digits] - L'0'), kLargest + 1);
        }
        if (digits == 0) {
            return {};
        }
        if (digits == text.size() && value <= kLargest) {
            return std::wstring(text);
        }
        return std::to_wstring(std::min(value, kLargest));
    }

    // Only digits show here: the system's message font in a Latin face fits the low fields where
    // a taller Chinese font would have the digits cut off at the bottom, and is condensed where a
    // part is too narrow for "255", so that every part shows its three digits whole.
    void Created() override {
        // The parts are edit boxes inside the control. Not every implementation hands the
        // control's font on to them, and their margins follow the font: each gets the font and
        // narrow margins itself.
        std::vector<HWND> parts;
        for (HWND part = GetWindow(hwnd_, GW_CHILD); part != nullptr;
             part = GetWindow(part, GW_HWNDNEXT)) {
            parts.push_back(part);
        }
        const auto useFont = [](HWND part, HFONT font) {
            SendMessageW(part, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            SendMessageW(part, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(1, 1));
        };
        const HFONT digits = owner_.AddressFieldFont([&](HFONT candidate) {
            if (parts.empty()) {
                return true;
            }
            useFont(parts.front(), candidate);
            RECT format{};
            SendMessageW(parts.front(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
            HDC dc = GetDC(parts.front());
            const HGDIOBJ previous = SelectObject(dc, candidate);
            SIZE widest{};
            GetTextExtentPoint32W(dc, L"255", 3, &widest);
            SelectObject(dc, previous);
            ReleaseDC(parts.front(), dc);
            return widest.cx <= format.right - format.left;
        });
        if (digits != nullptr) {
            SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(digits), FALSE);
            for (const HWND part : parts) {
                useFont(part, digits);
            }
        }
        shownAddress_.clear();
        PushContent();
    }

    // A partly filled field the user left stays as it is: only a change of the model's
    // address is pushed, and the model took the user's input as its address.
    void PushContent() override {
        const std::string address = field_.Address();
        if (address == shownAddress_) {
            return;
        }
        shownAddress_ = address;
        if (field_.IsBlank()) {
            SendMessageW(hwnd_, IPM_CLEARADDRESS, 0, 0);
            return;
        }
        const auto part = [&](std::size_t i) {
            return static_cast<BYTE>(field_.PartAt(i).value_or(0));
        };
        SendMessageW(hwnd_, IPM_SETADDRESS, 0, MAKEIPADDRESS(part(0), part(1), part(2), part(3)));
    }

    IpAddressField& field_;
    std::string shownAddress_;
    bool correcting_ = false;
};

class ButtonPeer final : public ControlPeer {
  public:
    ButtonPeer(WindowPeers& owner, const ControlLayout& row, Button& button)
        : ControlPeer(owner, row, button), button_(button) {}

    void OnCommand(WORD code) override {
        if (code == BN_CLICKED) {
            button_.Click();
        }
    }

    bool OnEnterKey() override {
        button_.Click();
        return true;
    }

  private:
    DWORD ButtonStyle() const { return button_.IsDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON; }

    NativeClass Describe() const override {
        return {WC_BUTTONW, WS_TABSTOP | ButtonStyle(), 0, ToWide(button_.Caption())};
    }

    void Created() override {
        shownCaption_ = button_.Caption();
        shownDefault_ = button_.IsDefault();
    }

    void PushContent() override {
        if (button_.Caption() != shownCaption_) {
            shownCaption_ = button_.Caption();
            SetWindowTextW(hwnd_, ToWide(shownCaption_).c_str());
        }
        if (button_.IsDefault() != shownDefault_) {
            shownDefault_ = button_.IsDefault();
            SendMessageW(hwnd_, BM_SETSTYLE, ButtonStyle(), TRUE);
        }
    }

    Button& button_;
    std::string shownCaption_;
    bool shownDefault_ = false;
};

class CheckBoxPeer final : public ControlPeer {
  public:
    CheckBoxPeer(WindowPeers& owner, const ControlLayout& row, CheckBox& checkBox)
        : ControlPeer(owner, row, checkBox), checkBox_(checkBox) {}

    // Not an automatic check box: the model toggles, and the push shows it.
    void OnCommand(WORD code) override {
        if (code == BN_CLICKED) {
            checkBox_.Click();
        }
    }

    HBRUSH OnColour(HDC dc) override { return DialogColours(owner_, *this, dc, std::nullopt); }

  private:
    NativeClass Describe() const override {
        return {WC_BUTTONW, WS_TABSTOP | BS_CHECKBOX, 0, ToWide(checkBox_.Caption())};
    }

    void Created() override {
        shownCaption_ = checkBox_.Caption();
        shownChecked_ = false;
    }

    void PushContent() override {
        if (checkBox_.Caption() != shownCaption_) {
            shownCaption_ = checkBox_.Caption();
            SetWindowTextW(hwnd_, ToWide(shownCaption_).c_str());
        }
        if (checkBox_.Checked() != shownChecked_) {
            shownChecked_ = checkBox_.Checked();
            SendMessageW(hwnd_, BM_SETCHECK, shownChecked_ ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }

    CheckBox& checkBox_;
    std::string shownCaption_;
    bool shownChecked_ = false;
};

class ComboBoxPeer final : public ControlPeer {
  public:
    ComboBoxPeer(WindowPeers& owner, const ControlLayout& row, ComboBox& combo)
        : ControlPeer(owner, row, combo), combo_(combo) {}

    void OnCommand(WORD code) override {
        if (code != CBN_SELCHANGE) {
            return;
        }
        const int index = static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
        shownIndex_ = index;
        combo_.SelectByUser(index);
    }

  private:
    NativeClass Describe() const override {
        return {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, L""};
    }

    void Created() override {
        shownItems_.clear();
        shownIndex_ = -1;
    }

    // Like every push, compares with what was last shown, not with the control: a selection
    // the user is making is reported by the control and must not be undone in between.
    void PushContent() override {
        if (combo_.Items() != shownItems_) {
            shownItems_ = combo_.Items();
            SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
            for (const std::string& item : shownItems_) {
                SendMessageW(hwnd_, CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(ToWide(item).c_str()));
            }
            shownIndex_ = -1;
        }
        if (combo_.CurrentIndex() != shownIndex_) {
            shownIndex_ = combo_.CurrentIndex();
            SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(shownIndex_), 0);
        }
    }

    ComboBox& combo_;
    std::vector<std::string> shownItems_;
    int shownIndex_ = -1;
};

// A tab control holds the pages. Without a tab strip it gets no tabs, so only the program
// switches pages; its classic look keeps it in the dialog colour that the controls on it paint
// their backgrounds with.
class PageContainerPeer final : public ControlPeer {
  public:
    PageContainerPeer(WindowPeers& owner, const ControlLayout& row, PageContainer& container)
        : ControlPeer(owner, row, container), container_(container) {}

    std::optional<LRESULT> OnNotify(const NMHDR& header) override {
        if (header.code == TCN_SELCHANGE) {
            container_.SelectPageByUser(static_cast<int>(SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0)));
            return 0;
        }
        return std::nullopt;
    }

    // The colour of the pane behind the pages' controls as the system draws it (white in Wine's
    // and Windows' themes, the dialog colour in the classic look), taken from the drawn pane;
    // nothing without a tab strip, which has no pane, or when the control cannot draw itself.
    std::optional<COLORREF> PaneColour() const {
        if (container_.HasTabStrip() && !paneColour_) {
            paneColour_ = DrawnPaneColour();
        }
        return paneColour_;
    }

  private:
    // Without tabs, button-style tabs keep the control from framing a pane that the command
    // buttons below it would cut through.
    NativeClass Describe() const override {
        return {WC_TABCONTROLW, container_.HasTabStrip() ? DWORD{0} : DWORD{TCS_BUTTONS}, 0, L""};
    }

    void Created() override {
        SetWindowTheme(hwnd_, L"", L"");
        if (!container_.HasTabStrip()) {
            return;
        }
        for (int page = 0; page < container_.PageCount(); ++page) {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<wchar_t*>(L"");
            SendMessageW(hwnd_, TCM_INSERTITEMW, static_cast<WPARAM>(page),
                         reinterpret_cast<LPARAM>(&item));
        }
    }

    // A container without a tab strip has no tabs to show titles or a current page.
    void PushContent() override {
        if (!container_.HasTabStrip()) {
            return;
        }
        if (container_.PageTitles() != shownTitles_) {
            shownTitles_ = container_.PageTitles();
            for (int page = 0; page < container_.PageCount(); ++page) {
                const auto index = static_cast<std::size_t>(page);
                std::wstring title =
                    index < shownTitles_.size() ? ToWide(shownTitles_[index]) : L"";
                TCITEMW item{};
                item.mask = TCIF_TEXT;
                item.pszText = title.data();
                SendMessageW(hwnd_, TCM_SETITEMW, static_cast<WPARAM>(page),
                             reinterpret_cast<LPARAM>(&item));
            }
        }
        if (SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0) != container_.CurrentPage()) {
            SendMessageW(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(container_.CurrentPage()), 0);
        }
    }

    std::optional<COLORREF> DrawnPaneColour() const {
        RECT client{};
        GetClientRect(hwnd_, &client);
        RECT pane = client;
        SendMessageW(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&pane));
        if (IsRectEmpty(&pane)) {
            return std::nullopt;
        }
        HDC screen = GetDC(hwnd_);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        const HGDIOBJ previous = SelectObject(memory, bitmap);
        // A colour no pane has: still there afterwards, nothing was drawn.
        constexpr COLORREF kUntouched = RGB(1, 2, 3);
        SetBkColor(memory, kUntouched);
        ExtTextOutW(memory, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
        SendMessageW(hwnd_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory),
                     PRF_CLIENT | PRF_ERASEBKGND);
        const COLORREF colour =
            GetPixel(memory, (pane.left + pane.right) / 2, (pane.top + pane.bottom) / 2);
        SelectObject(memory, previous);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(hwnd_, screen);
        if (colour == CLR_INVALID || colour == kUntouched) {
            return std::nullopt;
        }
        return colour;
    }

    PageContainer& container_;
    std::vector<std::string> shownTitles_;
    mutable std::optional<COLORREF> paneColour_;
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

std::unique_ptr<ControlPeer> MakePeer(WindowPeers& owner, const BoundControl& bound) {
    const ControlLayout& row = *bound.layout;
    Control& control = *bound.control;
    switch (row.kind) {
        case ControlKind::kLabel:
            return std::make_unique<LabelPeer>(owner, row, static_cast<Label&>(control));
        case ControlKind::kGroupBox:
            return std::make_unique<GroupBoxPeer>(owner, row, static_cast<GroupBox&>(control));
        case ControlKind::kEditBox:
            return std::make_unique<EditPeer>(owner, row, static_cast<EditBox&>(control));
        case ControlKind::kIpAddressField:
            return std::make_unique<IpAddressPeer>(owner, row,
                                                   static_cast<IpAddressField&>(control));
        case ControlKind::kButton:
            return std::make_unique<ButtonPeer>(owner, row, static_cast<Button&>(control));
        case ControlKind::kCheckBox:
            return std::make_unique<CheckBoxPeer>(owner, row, static_cast<CheckBox&>(control));
        case ControlKind::kComboBox:
            return std::make_unique<ComboBoxPeer>(owner, row, static_cast<ComboBox&>(control));
        case ControlKind::kPageContainer:
            return std::make_unique<PageContainerPeer>(owner, row,
                                                       static_cast<PageContainer&>(control));
        case ControlKind::kHyperlink:
            return std::make_unique<HyperlinkPeer>(owner, row, static_cast<Hyperlink&>(control));
        case ControlKind::kListView:
            return MakeListViewPeer(owner, row, static_cast<ListView&>(control));
        case ControlKind::kListBox:
            return MakeListBoxPeer(owner, row, static_cast<ListBox&>(control));
        case ControlKind::kPictureButton:
            return MakePictureButtonPeer(owner, row, static_cast<PictureButton&>(control));
    }
    return nullptr;
}

bool IsContainer(ControlKind kind) {
    return kind == ControlKind::kGroupBox || kind == ControlKind::kPageContainer;
}

// Whether the font itself (not a linked one) has a glyph for every character of `text`.
bool HasGlyphs(HFONT font, std::wstring_view text) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) {
        return false;
    }
    const HGDIOBJ previous = SelectObject(dc, font);
    std::vector<WORD> glyphs(text.size());
    const DWORD converted = GetGlyphIndicesW(dc, text.data(), static_cast<int>(text.size()),
                                             glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return converted == text.size() && std::ranges::find(glyphs, 0xFFFF) == glyphs.end();
}

// Texts the controls show: Chinese captions, and Latin letters and digits of addresses and ids.
constexpr std::wstring_view kChineseSample = L"\u7F51\u5361\u540D\u79F0";  // 网卡名称
constexpr std::wstring_view kLatinSample = L"MAC 0-9 {DNS}";

bool CoversCaptions(HFONT font) {
    return HasGlyphs(font, kChineseSample) && HasGlyphs(font, kLatinSample);
}

int CALLBACK CollectFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD,
                           LPARAM families) noexcept {
    // "@" names are the vertical-writing variants.
    if (font->lfFaceName[0] != L'@') {
        reinterpret_cast<std::vector<std::wstring>*>(families)->push_back(font->lfFaceName);
    }
    return 1;
}

// The families of the GB2312 character set the system has.
std::vector<std::wstring> ChineseFamilies() {
    std::vector<std::wstring> families;
    HDC dc = GetDC(nullptr);
    LOGFONTW query{};
    query.lfCharSet = GB2312_CHARSET;
    EnumFontFamiliesExW(dc, &query, &CollectFamily, reinterpret_cast<LPARAM>(&families), 0);
    ReleaseDC(nullptr, dc);
    return families;
}

// The message font in `family` with the Chinese character set, when it covers the captions.
HFONT ChineseFontCovering(const LOGFONTW& messageFont, const std::wstring& family) {
    LOGFONTW chinese = messageFont;
    chinese.lfCharSet = GB2312_CHARSET;
    lstrcpynW(chinese.lfFaceName, family.c_str(), LF_FACESIZE);
    HFONT candidate = CreateFontIndirectW(&chinese);
    if (candidate != nullptr && !CoversCaptions(candidate)) {
        DeleteObject(candidate);
        return nullptr;
    }
    return candidate;
}

// The system's message font. The captions are Chinese: where that font has no Chinese glyphs
// of its own (an English system, Wine), a Chinese font of the same size that also has the Latin
// letters takes its place, so that no caption shows as empty boxes.
// Returns the captions' font, and the message font itself when that was replaced (or nothing).
std::pair<HFONT, HFONT> CreateUiFonts() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return {nullptr, nullptr};
    }
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    if (font == nullptr || CoversCaptions(font)) {
        return {font, nullptr};
    }
    // The usual Chinese UI fonts of Windows first; where none is installed the font mapper
    // still picks a Chinese font for the character set, which mostly spares the slow listing of
    // every family.
    for (const wchar_t* usual : {L"Microsoft YaHei UI", L"Microsoft YaHei", L"SimSun"}) {
        if (HFONT chinese = ChineseFontCovering(metrics.lfMessageFont, usual)) {
            return {chinese, font};
        }
    }
    for (const std::wstring& family : ChineseFamilies()) {
        if (HFONT chinese = ChineseFontCovering(metrics.lfMessageFont, family)) {
            return {chinese, font};
        }
    }
    return {font, nullptr};
}

}  // namespace

void ControlPeer::Create(HWND parent, const RECT& bounds, int id, HFONT font) {
    const NativeClass native = Describe();
    // A combo box's window includes its dropped list.
    const int height = bounds.bottom - bounds.top +
                       (row_.kind == ControlKind::kComboBox ? owner_.Scale(row_.dropHeight) : 0);
    hwnd_ = CreateWindowExW(native.exStyle, native.className, native.text.c_str(),
                            native.style | WS_CHILD | WS_CLIPSIBLINGS, bounds.left, bounds.top,
                            bounds.right - bounds.left, height, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ == nullptr) {
        return;
    }
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    Created();
}

void ControlPeer::Push(bool visible, bool enabled) {
    if (hwnd_ == nullptr) {
        return;
    }
    pushing_ = true;
    PushContent();
    if (shownEnabled_ != enabled) {
        shownEnabled_ = enabled;
        EnableWindow(hwnd_, enabled);
    }
    if (shownVisible_ != visible) {
        shownVisible_ = visible;
        ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
    }
    pushing_ = false;
}

WindowPeers::WindowPeers(HWND host, const WindowLayout& layout,
                         std::span<const BoundControl> controls)
    : host_(host) {
    if (HDC screen = GetDC(nullptr)) {
        dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    std::tie(font_, digitsFont_) = CreateUiFonts();
    HFONT font = font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

    for (const BoundControl& bound : controls) {
        std::unique_ptr<ControlPeer> peer = MakePeer(*this, bound);
        if (!peer) {
            continue;
        }
        const Rect box = ClientBox(layout, *bound.layout);
        const RECT bounds{Scale(box.x), Scale(box.y), Scale(box.x + box.width),
                          Scale(box.y + box.height)};
        peer->Create(host, bounds, ControlIdOf(layout, bound.layout->name), font);
        if (peer->Handle() != nullptr) {
            byHandle_[peer->Handle()] = peer.get();
        }
        peers_.push_back(std::move(peer));
    }

    // Containers go below everything, the outermost lowest, so that they never paint over the
    // controls they hold. Controls keep the layout's order among themselves: the tab order.
    std::vector<std::pair<int, ControlPeer*>> containers;
    for (const auto& peer : peers_) {
        if (IsContainer(peer->Row().kind)) {
            int depth = 0;
            for (const ControlPeer* p = PeerNamed(peer->Row().parent); p && depth < 64;
                 p = PeerNamed(p->Row().parent)) {
                ++depth;
            }
            containers.emplace_back(depth, peer.get());
        }
    }
    std::ranges::stable_sort(containers, std::greater<>{}, &std::pair<int, ControlPeer*>::first);
    for (const auto& [depth, peer] : containers) {
        SetWindowPos(peer->Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    Sync();
}

WindowPeers::~WindowPeers() {
    for (const auto& [colour, brush] : brushes_) {
        DeleteObject(brush);
    }
    if (digitsFont_ != nullptr) {
        DeleteObject(digitsFont_);
    }
    for (const auto& [size, font] : fieldFonts_) {
        DeleteObject(font);
    }
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
}

HFONT WindowPeers::AddressFieldFont(const std::function<bool(HFONT)>& fits) {
    HFONT base = digitsFont_ ? digitsFont_ : font_;
    LOGFONTW font{};
    if (base == nullptr || GetObjectW(base, sizeof font, &font) == 0) {
        return base;
    }
    // Digits and dots only: a Latin character set, so that a Chinese system does not give the
    // wide digits of a Chinese font.
    font.lfCharSet = ANSI_CHARSET;
    // Made once per size; `width` 0 is the face's own.
    const auto fontOf = [&](int height, int width) {
        HFONT& made = fieldFonts_[{height, width}];
        if (made == nullptr) {
            LOGFONTW sized = font;
            sized.lfHeight = font.lfHeight < 0 ? -height : height;
            sized.lfWidth = width;
            made = CreateFontIndirectW(&sized);
        }
        return made;
    };
    const auto averageWidth = [](HFONT candidate) {
        HDC dc = CreateCompatibleDC(nullptr);
        const HGDIOBJ previous = SelectObject(dc, candidate);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, previous);
        DeleteDC(dc);
        return static_cast<int>(metrics.tmAveCharWidth);
    };
    // The face's own glyphs; else narrower ones, down to two thirds of their width; then lower
    // ones as well, down to two thirds of the height.
    const int height = std::abs(font.lfHeight);
    HFONT chosen = fontOf(height, 0);
    for (int h = height; h >= height * 2 / 3 && !(chosen && fits(chosen)); --h) {
        chosen = fontOf(h, 0);
        const int average = chosen ? averageWidth(chosen) : 0;
        for (int w = average - 1; w >= average * 2 / 3 && w > 0 && !(chosen && fits(chosen)); --w) {
            chosen = fontOf(h, w);
        }
    }
    return chosen;
}

int WindowPeers::Scale(int designPixels) const {
    return MulDiv(designPixels, dpi_, 96);
}

HBRUSH WindowPeers::Brush(COLORREF colour) {
    HBRUSH& brush = brushes_[colour];
    if (brush == nullptr) {
        brush = CreateSolidBrush(colour);
    }
    return brush;
}

ControlPeer* WindowPeers::PeerNamed(std::string_view name) const {
    if (name.empty()) {
        return nullptr;
    }
    const auto found =
        std::ranges::find(peers_, name, [](const auto& peer) { return peer->Row().name; });
    return found == peers_.end() ? nullptr : found->get();
}

ControlPeer* WindowPeers::PeerOf(HWND window) const {
    for (; window != nullptr && window != host_; window = GetParent(window)) {
        if (const auto found = byHandle_.find(window); found != byHandle_.end()) {
            return found->second;
        }
    }
    return nullptr;
}

// The page belongs to the nearest page container above the control, or to the window's.
const ControlPeer* WindowPeers::PageContainerOf(const ControlPeer& peer) const {
    const ControlPeer* container = PeerNamed(peer.Row().parent);
    while (container && container->Row().kind != ControlKind::kPageContainer) {
        container = PeerNamed(container->Row().parent);
    }
    if (!container) {
        const auto first = std::ranges::find(peers_, ControlKind::kPageContainer,
                                             [](const auto& p) { return p->Row().kind; });
        container = first == peers_.end() ? nullptr : first->get();
    }
    return container;
}

COLORREF WindowPeers::BackgroundOf(const ControlPeer& peer) const {
    if (peer.Row().page >= 0) {
        if (const ControlPeer* container = PageContainerOf(peer)) {
            if (const std::optional<COLORREF> pane =
                    static_cast<const PageContainerPeer*>(container)->PaneColour()) {
                return *pane;
            }
        }
    }
    return GetSysColor(COLOR_BTNFACE);
}

void WindowPeers::PaintPanes(HDC dc) {
    for (const auto& peer : peers_) {
        if (peer->Row().kind != ControlKind::kPageContainer || !IsWindowVisible(peer->Handle())) {
            continue;
        }
        const std::optional<COLORREF> colour =
            static_cast<const PageContainerPeer&>(*peer).PaneColour();
        if (!colour) {
            continue;
        }
        RECT pane{};
        GetClientRect(peer->Handle(), &pane);
        SendMessageW(peer->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&pane));
        MapWindowPoints(peer->Handle(), host_, reinterpret_cast<POINT*>(&pane), 2);
        FillRect(dc, &pane, Brush(*colour));
    }
}

bool WindowPeers::EffectiveVisible(const ControlPeer& peer, int depth) const {
    if (!peer.Model().Visible() || depth > 64) {
        return false;
    }
    const ControlLayout& row = peer.Row();
    if (row.page >= 0) {
        const ControlPeer* container = PageContainerOf(peer);
        if (container &&
            static_cast<const PageContainer&>(container->Model()).CurrentPage() != row.page) {
            return false;
        }
    }
    const ControlPeer* parent = PeerNamed(row.parent);
    return parent == nullptr || EffectiveVisible(*parent, depth + 1);
}

bool WindowPeers::EffectiveEnabled(const ControlPeer& peer, int depth) const {
    if (!peer.Model().Enabled() || depth > 64) {
        return false;
    }
    const ControlPeer* parent = PeerNamed(peer.Row().parent);
    return parent == nullptr || EffectiveEnabled(*parent, depth + 1);
}

// A push may wait on another thread (the window system), and messages sent from other
// processes are handled meanwhile; a handler that runs then and changes the model asks for
// another round instead of pushing in the middle of this one.
void WindowPeers::Sync() {
    if (syncing_) {
        syncAgain_ = true;
        return;
    }
    syncing_ = true;
    do {
        syncAgain_ = false;
        for (const auto& peer : peers_) {
            peer->Push(EffectiveVisible(*peer), EffectiveEnabled(*peer));
        }
    } while (syncAgain_);
    syncing_ = false;
}

void WindowPeers::OnCommand(HWND control, WORD code) {
    const auto found = byHandle_.find(control);
    if (found == byHandle_.end() || found->second->pushing_) {
        return;
    }
    found->second->OnCommand(code);
}

std::optional<LRESULT> WindowPeers::OnNotify(const NMHDR& header) {
    const auto found = byHandle_.find(header.hwndFrom);
    if (found == byHandle_.end() || found->second->pushing_) {
        return std::nullopt;
    }
    return found->second->OnNotify(header);
}

std::optional<LRESULT> WindowPeers::OnColour(HWND control, HDC dc) {
    const auto found = byHandle_.find(control);
    if (found == byHandle_.end()) {
        return std::nullopt;
    }
    if (HBRUSH brush = found->second->OnColour(dc)) {
        return reinterpret_cast<LRESULT>(brush);
    }
    return std::nullopt;
}

bool WindowPeers::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const auto found = byHandle_.find(item.hwndItem);
    return found != byHandle_.end() && found->second->OnDrawItem(item);
}

bool WindowPeers::TurnPage(bool backwards) {
    for (const auto& peer : peers_) {
        if (peer->Row().kind != ControlKind::kPageContainer) {
            continue;
        }
        auto& container = static_cast<PageContainer&>(peer->Model());
        if (!container.HasTabStrip()) {
            continue;
        }
        const int count = container.PageCount();
        container.SelectPageByUser((container.CurrentPage() + (backwards ? count - 1 : 1)) % count);
        Sync();
        // The focus must not stay on a control the page change hid.
        if (!IsWindowVisible(GetFocus())) {
            SetFocus(peer->Handle());
        }
        return true;
    }
    return false;
}

bool WindowPeers::ClickDefaultButton() {
    for (const auto& peer : peers_) {
        if (peer->Row().kind == ControlKind::kButton &&
            static_cast<const Button&>(peer->Model()).IsDefault()) {
            if (!EffectiveVisible(*peer) || !EffectiveEnabled(*peer)) {
                return false;
            }
            static_cast<Button&>(peer->Model()).Click();
            Sync();
            return true;
        }
    }
    return false;
}

}  // namespace netquill
