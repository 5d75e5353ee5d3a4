// The keyboard focus the program asks for in the main window's model reaches the real controls
// once per request: a repeated request wins over where the user moved the focus meanwhile, and
// between requests the user's focus is left alone.
#include "platform/win32/ui/focus_follower.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "e2e/window_driver.h"
#include "platform/win32/ui/native_window.h"
#include "ui/main_window.h"

namespace netquill {
namespace {

class FocusFollowerTest : public ::testing::Test {
  protected:
    FocusFollowerTest() { native.Show(SW_SHOWNORMAL); }

    HWND Control(std::string_view name) {
        return ControlNamed(native.Handle(), MainWindow::Layout(), name);
    }

    // What the program's message loop does before it handles the next message.
    void Synchronise() {
        native.Peers().Sync();
        follower.Follow(native.Peers(), window.Controls(), window.FocusTarget(),
                        window.FocusRequests());
    }

    MainWindow window;
    NativeWindow native{MainWindow::Layout(), window.Controls(), NativeWindowOptions{}};
    FocusFollower follower;
};

TEST_F(FocusFollowerTest, EachRequestMovesTheFocusOnce) {
    window.功能选择夹.SetCurrentPage(MainWindow::kCafePage);
    SetWindowTextW(Control("机器数框"), L"17");
    window.SetFocus(window.机器数框);
    Synchronise();
    EXPECT_EQ(GetFocus(), Control("机器数框"));
    // The old number is selected, so the next one typed replaces it.
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(Control("机器数框"), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 2u);

    // The user moves on: synchronising does not pull the focus back.
    SetFocus(Control("机器名框2"));
    Synchronise();
    EXPECT_EQ(GetFocus(), Control("机器名框2"));

    // Asked again for the same control: it comes back.
    window.SetFocus(window.机器数框);
    Synchronise();
    EXPECT_EQ(GetFocus(), Control("机器数框"));

    // Any other control: a button or an IP-address field (focus goes into its first part).
    window.SetFocus(window.保存按钮);
    Synchronise();
    EXPECT_EQ(GetFocus(), Control("保存按钮"));
    window.功能选择夹.SetCurrentPage(MainWindow::kLocalConnectionPage);
    window.SetFocus(window.地址框);
    Synchronise();
    EXPECT_EQ(GetAncestor(GetFocus(), GA_PARENT), Control("地址框"));
}

}  // namespace
}  // namespace netquill
