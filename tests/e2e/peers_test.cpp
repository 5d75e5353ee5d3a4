// The native peers of the main window, in this process on a real display: the model reaches
// the standard controls when synchronised, user input reaches the model at once, and the
// keyboard, colour and IP-address field rules hold on the real controls.
#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/window_driver.h"
#include "platform/win32/real_event_loop.h"
#include "platform/win32/ui/native_window.h"
#include "platform/win32/wide_text.h"
#include "ui/main_window.h"

namespace netquill {
namespace {

class PeersTest : public ::testing::Test {
  protected:
    PeersTest() {
        native.onClose = [this] { ++closes; };
        loop.SetBeforeDispatch([this] { native.Peers().Sync(); });
        loop.SetMessageFilter([this](MSG& message) { return native.PreTranslate(message); });
        window.网吧按钮.onClick = [this] { ++cafeClicks; };
        window.机器数框.onKeyPress = [this](int key) { machineNumberKeys.push_back(key); };
        native.Show(SW_SHOWNOACTIVATE);
    }

    HWND Control(std::string_view name) {
        return ControlNamed(native.Handle(), MainWindow::Layout(), name);
    }

    // A key as the keyboard sends it: posted to the control, then through the message loop.
    void PressKey(HWND control, WPARAM key) {
        PostMessageW(control, WM_KEYDOWN, key, 1);
        PostMessageW(control, WM_KEYUP, key, 0xC0000001);
        loop.DispatchPending();
    }

    MainWindow window;
    NativeWindow native{MainWindow::Layout(), window.Controls(), NativeWindowOptions{}};
    RealEventLoop loop;
    int closes = 0;
    int cafeClicks = 0;
    std::vector<int> machineNumberKeys;
};

TEST_F(PeersTest, EveryControlSitsAtItsScaledLayoutBoxWithItsRowsId) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    for (const ControlLayout& row : MainWindow::Layout().controls) {
        SCOPED_TRACE(row.name);
        HWND control = Control(row.name);
        ASSERT_NE(control, nullptr);
        RECT bounds{};
        GetWindowRect(control, &bounds);
        MapWindowPoints(nullptr, native.Handle(), reinterpret_cast<POINT*>(&bounds), 2);
        const Rect box = ClientBox(MainWindow::Layout(), row);
        EXPECT_EQ(bounds.left, MulDiv(box.x, dpi, 96));
        EXPECT_EQ(bounds.top, MulDiv(box.y, dpi, 96));
        EXPECT_EQ(bounds.right - bounds.left,
                  MulDiv(box.x + box.width, dpi, 96) - MulDiv(box.x, dpi, 96));
    }
    // The page container has no tabs, and lies below every control it holds.
    HWND pages = Control("功能选择夹");
    EXPECT_EQ(SendMessageW(pages, TCM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(GetWindow(pages, GW_HWNDLAST), pages);
}

TEST_F(PeersTest, EveryCaptionHasTheGlyphsOfItsFont) {
    HDC dc = CreateCompatibleDC(nullptr);
    for (const ControlLayout& row : MainWindow::Layout().controls) {
        if (row.caption.empty()) {
            continue;
        }
        const HWND control = Control(row.name);
        const std::wstring caption = ToWide(row.caption);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr);
        const HGDIOBJ previous = SelectObject(dc, font);
        std::vector<WORD> glyphs(caption.size());
        GetGlyphIndicesW(dc, caption.c_str(), static_cast<int>(caption.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS);
        SelectObject(dc, previous);
        EXPECT_EQ(std::count(glyphs.begin(), glyphs.end(), 0xFFFF), 0)
            << "row " << &row - MainWindow::Layout().controls.data() << " drawn as empty boxes";
    }
    DeleteDC(dc);
}

TEST_F(PeersTest, ProgramChangesReachTheNativeControlsWhenSynchronised) {
    window.适配器标签.SetCaption("{ID}");
    window.本地连接框.SetCaption("本地连接 2");
    window.机器名框.SetText("网吧-01");
    window.网卡选择框.AddItem("Card A");
    window.网卡选择框.AddItem("网卡 B");
    window.网卡选择框.SetCurrentIndex(1);
    window.增位框.SetChecked(true);
    window.SetCommandButtonsDisabled(true);
    window.功能选择夹.SetCurrentPage(MainWindow::kCafePage);

    EXPECT_EQ(TextOf(Control("适配器标签")), "");  // nothing before the synchronisation
    native.Peers().Sync();

    EXPECT_EQ(TextOf(Control("适配器标签")), "{ID}");
    EXPECT_EQ(TextOf(Control("本地连接框")), "本地连接 2");
    EXPECT_EQ(TextOf(Control("机器名框")), "网吧-01");
    EXPECT_EQ(ComboItems(Control("网卡选择框")), (std::vector<std::string>{"Card A", "网卡 B"}));
    EXPECT_EQ(SendMessageW(Control("网卡选择框"), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageW(Control("增位框"), BM_GETCHECK, 0, 0), BST_CHECKED);
    for (const char* name : {"刷新按钮", "修改按钮", "网吧按钮", "高级按钮"}) {
        EXPECT_FALSE(IsWindowEnabled(Control(name))) << name;
    }
    EXPECT_TRUE(IsWindowEnabled(Control("退出按钮")));
    // The café page shows, with every control on it; the local-connection page is hidden.
    EXPECT_TRUE(IsWindowVisible(Control("网吧修改框")));
    EXPECT_TRUE(IsWindowVisible(Control("密码框2")));
    EXPECT_FALSE(IsWindowVisible(Control("本地连接框")));
    EXPECT_FALSE(IsWindowVisible(Control("地址框")));

    window.功能选择夹.SetCurrentPage(MainWindow::kLocalConnectionPage);
    window.SetCommandButtonsDisabled(false);
    native.Peers().Sync();
    EXPECT_TRUE(IsWindowVisible(Control("地址框")));
    EXPECT_FALSE(IsWindowVisible(Control("机器数框")));
    EXPECT_TRUE(IsWindowEnabled(Control("网吧按钮")));
}

TEST_F(PeersTest, UserInputReachesTheModelAndFiresItsEvents) {
    SetWindowTextW(Control("地址框2"), ToWide("192.168.１６.").c_str());
    EXPECT_EQ(window.地址框2.Text(), "192.168.１６.");

    int selected = -1;
    window.网卡选择框.onSelect = [&](int index) { selected = index; };
    window.网卡选择框.AddItem("A");
    window.网卡选择框.AddItem("B");
    native.Peers().Sync();
    HWND combo = Control("网卡选择框");
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    native.Peers().Sync();  // a synchronisation in between must not undo the user's pick
    SendMessageW(native.Handle(), WM_COMMAND,
                 MAKEWPARAM(ControlIdOf(MainWindow::Layout(), "网卡选择框"), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(window.网卡选择框.CurrentIndex(), 1);

    SendMessageW(Control("网吧按钮"), BM_CLICK, 0, 0);
    EXPECT_EQ(cafeClicks, 1);
    window.网吧按钮.SetEnabled(false);
    native.Peers().Sync();
    SendMessageW(Control("网吧按钮"), BM_CLICK, 0, 0);
    EXPECT_EQ(cafeClicks, 1);

    SendMessageW(Control("增位框"), BM_CLICK, 0, 0);
    EXPECT_TRUE(window.增位框.Checked());
    EXPECT_EQ(SendMessageW(Control("增位框"), BM_GETCHECK, 0, 0), BST_CHECKED);
}

// Writing the field's address text, then reading the real control and the model back.
TEST_F(PeersTest, IpAddressFieldRulesHoldOnTheRealControl) {
    struct Case {
        const char* written;
        const char* shown;  // empty: blank
    };
    const Case cases[] = {
        {"192.168.16.5", "192.168.16.5"},
        {"192.168.16.", "192.168.16.0"},
        {"10.0.0.1.7", "10.0.0.1"},
        {" 10.1.2.3 ", "10.1.2.3"},
        {"300.1.1.1", ""},
        {"256.0.0.1", ""},
        {"1.2.3", ""},
        {"", ""},
    };
    HWND field = Control("地址框");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        window.地址框.SetAddress("8.8.8.8");  // a change to push before each case
        native.Peers().Sync();
        window.地址框.SetAddress(c.written);
        native.Peers().Sync();
        EXPECT_EQ(IpAddressOf(field), c.shown);
        EXPECT_EQ(SendMessageW(field, IPM_ISBLANK, 0, 0) != 0, std::string(c.shown).empty());
        EXPECT_EQ(window.地址框.Address(), c.shown);
    }

    // What the user puts in the control is what the model reads.
    SendMessageW(field, IPM_SETADDRESS, 0, MAKEIPADDRESS(172, 16, 0, 9));
    EXPECT_EQ(window.地址框.Address(), "172.16.0.9");
    SendMessageW(field, IPM_CLEARADDRESS, 0, 0);
    EXPECT_EQ(window.地址框.Address(), "");
    EXPECT_TRUE(window.地址框.IsBlank());
}

TEST_F(PeersTest, IntegerInputTakesDigitsAndMinusOnlyAndPasteIsNotFiltered) {
    HWND box = Control("机器数框");
    struct Case {
        wchar_t typed;
        const char* textAfter;
    };
    const Case cases[] = {
        {L'a', ""},
        {L'5', "5"},
        {L'-', "5-"},
        {L'Z', "5-"},
        {L' ', "5-"},
        {L'7', "5-7"},
        {0xFF11, "5-7"} /* full-width 1 */,
        {L'\b', "5-"},
        {L'.', "5-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.typed));
        SendMessageW(box, WM_CHAR, c.typed, 1);
        EXPECT_EQ(TextOf(box), c.textAfter);
        EXPECT_EQ(window.机器数框.Text(), c.textAfter);
    }

    ASSERT_TRUE(OpenClipboard(native.Handle()));
    EmptyClipboard();
    const std::wstring pasted = L"x9";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
    std::copy_n(pasted.c_str(), pasted.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendMessageW(box, EM_SETSEL, 2, 2);
    SendMessageW(box, WM_PASTE, 0, 0);
    EXPECT_EQ(window.机器数框.Text(), "5-x9");
}

TEST_F(PeersTest, TypingRespectsTheLengthLimitAndReportsEachChange) {
    int changes = 0;
    window.用户框2.onTextChanged = [&] { ++changes; };
    window.用户框2.SetMaxLength(3);
    native.Peers().Sync();
    TypeText(Control("用户框2"), "ab网d");
    EXPECT_EQ(window.用户框2.Text(), "ab网");
    EXPECT_EQ(changes, 3);

    // The program's own text is no user change, and is not cut.
    window.用户框2.SetText("program");
    native.Peers().Sync();
    EXPECT_EQ(TextOf(Control("用户框2")), "program");
    EXPECT_EQ(changes, 3);
}

TEST_F(PeersTest, PasswordBoxMasksWithAsterisksAndTheModelHoldsTheText) {
    HWND box = Control("密码框2");
    EXPECT_EQ(SendMessageW(box, EM_GETPASSWORDCHAR, 0, 0), L'*');
    EXPECT_NE(GetWindowLongW(box, GWL_STYLE) & ES_PASSWORD, 0);
    TypeText(box, "abc");
    EXPECT_EQ(window.密码框2.Text(), "abc");
    EXPECT_EQ(window.密码框2.DisplayText(), "***");

    HWND mac = Control("MAC信息框");
    EXPECT_NE(GetWindowLongW(mac, GWL_STYLE) & ES_READONLY, 0);
    TypeText(mac, "x");
    EXPECT_EQ(TextOf(mac), "");
}

TEST_F(PeersTest, EnterClicksTheDefaultButtonOnlyWhileItIsEnabled) {
    // Enabled: Enter in any edit box clicks it, and the key goes no further.
    PressKey(Control("机器名框2"), VK_RETURN);
    PressKey(Control("机器数框"), VK_RETURN);
    EXPECT_EQ(cafeClicks, 2);
    EXPECT_TRUE(machineNumberKeys.empty());

    // Disabled: the machine-number box's key-press event receives it.
    window.SetCommandButtonsDisabled(true);
    native.Peers().Sync();
    PressKey(Control("机器数框"), VK_RETURN);
    EXPECT_EQ(cafeClicks, 2);
    EXPECT_EQ(machineNumberKeys, (std::vector<int>{13}));

    // Other keys reach the key-press event too, and the text.
    window.SetCommandButtonsDisabled(false);
    native.Peers().Sync();
    PressKey(Control("机器数框"), '4');
    EXPECT_EQ(machineNumberKeys, (std::vector<int>{13, '4'}));
    EXPECT_EQ(window.机器数框.Text(), "4");
}

TEST_F(PeersTest, EscClosesAndTabFollowsTheLayout) {
    PressKey(Control("机器名框"), VK_ESCAPE);
    EXPECT_EQ(closes, 1);

    SetFocus(Control("网卡选择框"));
    PressKey(Control("网卡选择框"), VK_TAB);
    EXPECT_EQ(GetFocus(), Control("刷新按钮"));
    SetFocus(Control("超级链接框1"));
    PressKey(Control("超级链接框1"), VK_TAB);
    EXPECT_EQ(GetFocus(), Control("机器名框"));  // the first on the page that shows
}

TEST_F(PeersTest, LabelsAndEditsUseTheirLayoutColours) {
    struct Case {
        const char* name;
        UINT message;
        COLORREF text;
    };
    const Case cases[] = {
        {"适配器标签", WM_CTLCOLORSTATIC, RGB(255, 255, 255)},
        {"提示标签", WM_CTLCOLORSTATIC, RGB(255, 0, 0)},
        {"MAC信息框", WM_CTLCOLORSTATIC, RGB(88, 48, 224)},  // read-only
        {"机器名框", WM_CTLCOLOREDIT, RGB(0, 96, 192)},
        {"机器数框", WM_CTLCOLOREDIT, RGB(0, 128, 0)},
    };
    HDC dc = CreateCompatibleDC(nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetTextColor(dc, RGB(1, 2, 3));
        const auto brush = SendMessageW(native.Handle(), c.message, reinterpret_cast<WPARAM>(dc),
                                        reinterpret_cast<LPARAM>(Control(c.name)));
        EXPECT_NE(brush, 0);
        EXPECT_EQ(GetTextColor(dc), c.text);
    }
    SendMessageW(native.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(Control("适配器标签")));
    EXPECT_EQ(GetBkColor(dc), RGB(96, 96, 96));
    DeleteDC(dc);
}

}  // namespace
}  // namespace netquill
