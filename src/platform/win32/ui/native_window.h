// A top-level window made from a layout table: its caption and outer size from the table, its
// controls as native peers, and the keyboard handling of a dialog (Tab moves through the
// controls in layout order, Esc closes, Enter clicks the default button).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <span>

#include "platform/win32/ui/control_peers.h"
#include "ui/layout.h"

namespace netquill {

struct NativeWindowOptions {
    // Fixed border, title bar with system menu and minimize box.
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    DWORD exStyle = 0;
    // The window it stays above; nullptr for a window of its own.
    HWND owner = nullptr;
    HICON largeIcon = nullptr;
    HICON smallIcon = nullptr;
};

class NativeWindow {
  public:
    // Creates the window, hidden and centred on the screen's work area, with every control.
    NativeWindow(const WindowLayout& layout, std::span<const BoundControl> controls,
                 const NativeWindowOptions& options);
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;
    ~NativeWindow();

    HWND Handle() const { return hwnd_; }
    WindowPeers& Peers() { return *peers_; }

    void Show(int showCommand);

    // Keyboard handling before a message is translated; true when the message was handled.
    bool PreTranslate(MSG& message);

    // Closing the window (close box, system menu, Alt+F4, Esc). Without a handler the window
    // is destroyed.
    std::function<void()> onClose;

    // The window has lost the activation and not got it back. Told after the message that took
    // it away has been handled, so the handler may destroy windows, this one included.
    std::function<void()> onDeactivated;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam,
                                      LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Close();
    void MoveFocus(bool backwards);

    HWND hwnd_ = nullptr;
    std::unique_ptr<WindowPeers> peers_;
    HWND savedFocus_ = nullptr;
};

}  // namespace netquill
