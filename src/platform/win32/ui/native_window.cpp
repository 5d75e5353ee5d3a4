#include "platform/win32/ui/native_window.h"

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "platform/win32/wide_text.h"

namespace netquill {
namespace {

constexpr wchar_t kClassName[] = L"NetquillWindow";

// Posted to the window itself when it loses the activation.
constexpr UINT kDeactivatedMessage = WM_APP + 1;

void RegisterWindowClass(HICON largeIcon, HICON smallIcon) {
    WNDCLASSEXW windowClass{};
    if (GetClassInfoExW(GetModuleHandleW(nullptr), kClassName, &windowClass)) {
        return;
    }
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;  // replaced per window at WM_NCCREATE
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = largeIcon;
    windowClass.hIconSm = smallIcon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
}

bool IsEditWindow(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return lstrcmpiW(className, WC_EDITW) == 0;
}

}  // namespace

NativeWindow::NativeWindow(const WindowLayout& layout, std::span<const BoundControl> controls,
                           const NativeWindowOptions& options) {
    RegisterWindowClass(options.largeIcon, options.smallIcon);
    hwnd_ =
        CreateWindowExW(options.exStyle, kClassName, ToWide(layout.caption).c_str(), options.style,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, options.owner,
                        nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ == nullptr) {
        return;
    }
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NativeWindow::Procedure));
    if (options.largeIcon) {
        SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(options.largeIcon));
    }
    if (options.smallIcon) {
        SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(options.smallIcon));
    }

    peers_ = std::make_unique<WindowPeers>(hwnd_, layout, controls);

    const int width = peers_->Scale(layout.box.width);
    const int height = peers_->Scale(layout.box.height);
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

NativeWindow::~NativeWindow() {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) {
        DestroyWindow(hwnd_);
    }
}

void NativeWindow::Show(int showCommand) {
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
    if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) {
        SetFocus(first);
    }
}

void NativeWindow::Close() {
    if (onClose) {
        onClose();
    } else {
        DestroyWindow(hwnd_);
    }
}

void NativeWindow::MoveFocus(bool backwards) {
    HWND focus = GetFocus();
    // The fields inside an IP-address field belong to it: move from the field as a whole.
    if (const ControlPeer* peer = peers_->PeerOf(focus)) {
        focus = peer->Handle();
    }
    if (HWND next = GetNextDlgTabItem(hwnd_, focus, backwards)) {
        SetFocus(next);
        if (IsEditWindow(next)) {
            SendMessageW(next, EM_SETSEL, 0, -1);
        }
    }
}

bool NativeWindow::PreTranslate(MSG& message) {
    if (message.message != WM_KEYDOWN || hwnd_ == nullptr ||
        (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd))) {
        return false;
    }
    ControlPeer* peer = peers_->PeerOf(message.hwnd);
    const bool comboDropped = peer && peer->Row().kind == ControlKind::kComboBox &&
                              SendMessageW(peer->Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
    switch (message.wParam) {
        case VK_ESCAPE:
            if (comboDropped) {
                return false;  // Esc closes the list, not the window
            }
            Close();
            return true;
        case VK_TAB:
            if (comboDropped) {
                return false;
            }
            if (GetKeyState(VK_CONTROL) < 0 && peers_->TurnPage(GetKeyState(VK_SHIFT) < 0)) {
                return true;
            }
            MoveFocus(GetKeyState(VK_SHIFT) < 0);
            return true;
        case VK_RETURN:
            // In an edit box Enter goes on as a character: the box's own handling decides
            // between the default button and its key-press event.
            if (comboDropped || (peer && peer->Row().kind == ControlKind::kEditBox)) {
                return false;
            }
            if (peer && peer->OnEnterKey()) {
                peers_->Sync();
                return true;
            }
            peers_->ClickDefaultButton();
            return true;
        default:
            return false;
    }
}

LRESULT CALLBACK NativeWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<NativeWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->hwnd_ != window) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT NativeWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0 && peers_) {
                peers_->OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
                peers_->Sync();
                return 0;
            }
            break;
        case WM_NOTIFY:
            if (peers_) {
                const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
                if (const std::optional<LRESULT> result = peers_->OnNotify(header)) {
                    peers_->Sync();
                    return *result;
                }
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            if (peers_) {
                if (const std::optional<LRESULT> brush = peers_->OnColour(
                        reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam))) {
                    return *brush;
                }
            }
            break;
        case WM_ERASEBKGND:
            if (peers_) {
                DefWindowProcW(hwnd_, message, wParam, lParam);
                peers_->PaintPanes(reinterpret_cast<HDC>(wParam));
                return 1;
            }
            break;
        case WM_DRAWITEM:
            if (peers_ && peers_->OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) {
                return TRUE;
            }
            break;
        case kDeactivatedMessage:
            if (GetActiveWindow() != hwnd_ && onDeactivated) {
                onDeactivated();
            }
            return 0;
        case WM_ACTIVATE:
            // Give the focus back to the control that had it when the window was left.
            if (LOWORD(wParam) == WA_INACTIVE) {
                savedFocus_ = GetFocus();
                PostMessageW(hwnd_, kDeactivatedMessage, 0, 0);
            } else if (savedFocus_ != nullptr && IsChild(hwnd_, savedFocus_)) {
                SetFocus(savedFocus_);
                return 0;
            }
            break;
        case WM_CLOSE:
            Close();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace netquill
