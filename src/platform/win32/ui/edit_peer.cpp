#include "platform/win32/ui/edit_peer.h"

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "platform/win32/ui/peer_colours.h"
#include "platform/win32/ui/window_text.h"
#include "platform/win32/wide_text.h"

namespace netquill {
namespace {

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

}  // namespace

std::unique_ptr<ControlPeer> MakeEditPeer(WindowPeers& owner, const ControlLayout& row,
                                          EditBox& edit) {
    return std::make_unique<EditPeer>(owner, row, edit);
}

}  // namespace netquill
