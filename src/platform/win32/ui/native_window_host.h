// The window host of the Windows program: each window that opens over the main window becomes a
// native top-level window made from its layout (fixed frame, caption and close box, no minimise
// or maximise box), kept in step with its model. Its close box and Escape reach the model as
// ClickCloseBox, its loss of the activation as LoseActivation.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/real_event_loop.h"
#include "platform/win32/ui/focus_follower.h"
#include "platform/win32/ui/native_window.h"
#include "ui/window_host.h"

namespace netquill {

class NativeWindowHost final : public WindowHost {
  public:
    // `mainWindow` takes no input while a modal window is up. The hosted windows' messages go
    // through `loop`, whose preparation must call Sync and whose filter must call PreTranslate.
    NativeWindowHost(RealEventLoop& loop, HWND mainWindow);
    NativeWindowHost(const NativeWindowHost&) = delete;
    NativeWindowHost& operator=(const NativeWindowHost&) = delete;
    ~NativeWindowHost() override;

    // Disables the window below (the main window, or the modal window already up), creates the
    // native window centred on the screen, runs `created`, shows the window as the handler left
    // it and handles messages until the model is closed; then enables the window below again
    // and destroys this one.
    void RunModal(DialogWindow& window, const std::function<void()>& created) override;
    // Shows the window above the topmost one of the program and activates it. Its first paint
    // comes from the message loop, after its creation handler has laid it out.
    void ShowModeless(DialogWindow& window) override;
    // Hides the window at once. It is destroyed where none of its handlers can be running: at the
    // top of the modal loop it was shown under, when that loop ends, or with the host.
    void Remove(DialogWindow& window) override;
    // A window disabled for now, for instance under a message box, is activated at the first
    // synchronisation after it takes input again.
    void Activate(DialogWindow& window) override;

    // Pushes what the program changed in every shown window: its controls, caption, outer size,
    // where its controls sit, and a new focus request.
    void Sync();
    // Tab, Escape and Enter in the hosted windows; true when `message` was handled.
    bool PreTranslate(MSG& message);

    // The native window showing `window`, or nullptr when it has none.
    HWND HandleOf(const DialogWindow& window) const;

  private:
    struct Hosted {
        DialogWindow* model = nullptr;
        std::unique_ptr<NativeWindow> native;
        bool modal = false;
        // How many modal loops were running when it was shown, its own included.
        int level = 0;
        bool removed = false;
        std::string shownCaption;
        int shownWidth = 0;
        int shownHeight = 0;
        // Relative to the client area, in design pixels; indexed like the model's controls.
        std::vector<Rect> shownBoxes;
        FocusFollower focus;
    };

    // A new native window for `window` above the topmost shown window, hidden; nullptr (and the
    // model closed) when it cannot be made.
    Hosted* Create(DialogWindow& window, bool modal);
    Hosted* Find(const DialogWindow& window) const;
    HWND Topmost() const;
    void Show(Hosted& hosted);
    void SyncWindow(Hosted& hosted);
    // Destroys the removed windows shown under modal loop `level` or a deeper one.
    void DestroyRemoved(int level);

    RealEventLoop& loop_;
    HWND mainWindow_;
    std::vector<std::unique_ptr<Hosted>> hosted_;
    // The window Activate could not activate yet, or nullptr.
    const DialogWindow* pendingActivation_ = nullptr;
    int modalLevel_ = 0;
    bool syncing_ = false;
    bool syncAgain_ = false;
};

}  // namespace netquill
