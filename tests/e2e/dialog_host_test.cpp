// The windows that open over the main window, in this process on a real display: the native
// window host (modal loop, modeless windows, activation, removal from a window's own handler,
// caption, size, control places and focus following the model) and the peers of the controls
// only these windows have (report list view, list box, picture button).
#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "e2e/window_driver.h"
#include "platform/win32/real_event_loop.h"
#include "platform/win32/ui/native_window.h"
#include "platform/win32/ui/native_window_host.h"
#include "ui/advanced_window.h"
#include "ui/advanced_window_layout.h"
#include "ui/controls/button_pictures.h"
#include "ui/entry_dialog.h"
#include "ui/entry_dialog_layout.h"
#include "ui/main_window.h"

namespace netquill {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using Items = std::vector<std::string>;

int Scaled(int designPixels) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return MulDiv(designPixels, dpi, 96);
}

// Where `control` sits in its window's client area.
POINT ClientPosition(HWND control) {
    RECT bounds{};
    GetWindowRect(control, &bounds);
    POINT corner{bounds.left, bounds.top};
    ScreenToClient(GetParent(control), &corner);
    return corner;
}

class DialogHostTest : public ::testing::Test {
  protected:
    DialogHostTest() {
        loop.SetBeforeDispatch([this] {
            main.Peers().Sync();
            host.Sync();
        });
        loop.SetMessageFilter([this](MSG& message) {
            return main.PreTranslate(message) || host.PreTranslate(message);
        });
        main.Show(SW_SHOW);
    }

    // Shows `window` modeless and lets its first messages through.
    HWND ShowModeless(DialogWindow& window) {
        host.ShowModeless(window);
        loop.DispatchPending();
        return host.HandleOf(window);
    }

    HWND Advanced(std::string_view name) {
        return ControlNamed(host.HandleOf(advanced), kAdvancedWindowLayout, name);
    }
    HWND Entry(std::string_view name) {
        return ControlNamed(host.HandleOf(entry), kEntryDialogLayout, name);
    }

    // A key as the keyboard sends it: posted to the control, then through the message loop.
    void PressKey(HWND control, WPARAM key) {
        PostMessageW(control, WM_KEYDOWN, key, 1);
        PostMessageW(control, WM_KEYUP, key, 0xC0000001);
        loop.DispatchPending();
    }

    MainWindow mainModel;
    NativeWindow main{MainWindow::Layout(), mainModel.Controls(), NativeWindowOptions{}};
    RealEventLoop loop;
    AdvancedWindow advanced;
    EntryDialog entry;
    NativeWindowHost host{loop, main.Handle()};
};

TEST_F(DialogHostTest, ModalWindowRunsItsLoopOverTheDisabledMainWindowUntilItCloses) {
    struct Seen {
        bool visibleWhenCreated = true;
        bool mainEnabled = true;
        bool visible = false;
        bool active = false;
        HWND owner = nullptr;
        std::string caption;
        LONG style = 0;
        RECT bounds{};
        Rows rows;
    } seen;
    HWND handle = nullptr;
    advanced.取消按钮.onClick = [&] {
        seen.visible = IsWindowVisible(handle);
        seen.active = GetActiveWindow() == handle;
        seen.owner = GetWindow(handle, GW_OWNER);
        seen.caption = TextOf(handle);
        seen.style = GetWindowLongW(handle, GWL_STYLE);
        GetWindowRect(handle, &seen.bounds);
        seen.rows = ListViewRows(Advanced("超级列表框1"));
        advanced.Close();
    };
    host.RunModal(advanced, [&] {
        handle = host.HandleOf(advanced);
        seen.visibleWhenCreated = IsWindowVisible(handle);
        seen.mainEnabled = IsWindowEnabled(main.Handle());
        advanced.超级列表框1.AddRow({"192.168.1.5", "255.255.255.0"});
        PostMessageW(Advanced("取消按钮"), BM_CLICK, 0, 0);
    });

    ASSERT_NE(handle, nullptr);
    EXPECT_FALSE(seen.visibleWhenCreated) << "shown after its creation handler";
    EXPECT_FALSE(seen.mainEnabled);
    EXPECT_TRUE(seen.visible);
    EXPECT_TRUE(seen.active);
    EXPECT_EQ(seen.owner, main.Handle());
    EXPECT_EQ(seen.caption, "高级 TCP/IP 设置");
    EXPECT_NE(seen.style & WS_SYSMENU, 0);
    EXPECT_EQ(seen.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    EXPECT_EQ(seen.bounds.right - seen.bounds.left, Scaled(385));
    EXPECT_EQ(seen.bounds.bottom - seen.bounds.top, Scaled(485));
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((seen.bounds.left + seen.bounds.right) - (work.left + work.right)), 1);
    EXPECT_LE(std::abs((seen.bounds.top + seen.bounds.bottom) - (work.top + work.bottom)), 1);
    EXPECT_EQ(seen.rows, (Rows{{"192.168.1.5", "255.255.255.0"}}));

    EXPECT_FALSE(IsWindow(handle));
    EXPECT_TRUE(IsWindowEnabled(main.Handle()));
    EXPECT_EQ(host.HandleOf(advanced), nullptr);
}

TEST_F(DialogHostTest, CaptionSizeControlPlacesAndFocusFollowTheModel) {
    const HWND handle = ShowModeless(entry);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(GetActiveWindow(), handle);
    EXPECT_EQ(GetWindow(handle, GW_OWNER), main.Handle());
    RECT before{};
    GetWindowRect(handle, &before);

    entry.SetCaption("TCP/IP 地址");
    entry.Resize(210, 145);
    entry.MoveControl(entry.添加按钮, 35, 45);
    entry.地址框.SetVisible(true);
    entry.SetFocus(entry.地址框);
    EXPECT_EQ(TextOf(handle), "数据处理");  // nothing before the synchronisation
    host.Sync();

    EXPECT_EQ(TextOf(handle), "TCP/IP 地址");
    RECT after{};
    GetWindowRect(handle, &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right - after.left, Scaled(210));
    EXPECT_EQ(after.bottom - after.top, Scaled(145));
    const POINT button = ClientPosition(Entry("添加按钮"));
    EXPECT_EQ(button.x, Scaled(35));
    EXPECT_EQ(button.y, Scaled(45));
    EXPECT_TRUE(IsWindowVisible(Entry("地址框")));
    EXPECT_FALSE(IsWindowVisible(Entry("网关框")));
    const auto focusIn = [](HWND control) {
        return GetFocus() == control || IsChild(control, GetFocus());
    };
    EXPECT_TRUE(focusIn(Entry("地址框")));

    // The user moves on; the focus stays there until the program asks again, also for the
    // control it asked for before.
    SetFocus(Entry("取消按钮"));
    host.Sync();
    EXPECT_EQ(GetFocus(), Entry("取消按钮"));
    entry.SetFocus(entry.地址框);
    host.Sync();
    EXPECT_TRUE(focusIn(Entry("地址框")));
}

TEST_F(DialogHostTest, EscapeAndTheCloseBoxAskTheModelToClose) {
    const HWND handle = ShowModeless(entry);
    int requests = 0;
    entry.onCloseRequested = [&] { ++requests; };
    PressKey(Entry("取消按钮"), VK_ESCAPE);
    EXPECT_EQ(requests, 1);
    SendMessageW(handle, WM_CLOSE, 0, 0);
    EXPECT_EQ(requests, 2);
    EXPECT_TRUE(IsWindowVisible(handle)) << "the model decides";
}

TEST_F(DialogHostTest, CtrlTabTurnsThePagesOfTheTabControlBothWays) {
    ShowModeless(advanced);
    std::vector<int> turnedTo;
    advanced.功能选择夹.onPageChanged = [&](int page) { turnedTo.push_back(page); };
    SetFocus(Advanced("添加按钮1"));
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const auto hold = [&](int key, bool down) {
        keys[key] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    };
    hold(VK_CONTROL, true);
    PressKey(GetFocus(), VK_TAB);  // forwards, and the focus leaves the hidden page
    EXPECT_FALSE(IsWindowVisible(Advanced("添加按钮1")));
    EXPECT_TRUE(IsWindowVisible(GetFocus()));
    PressKey(GetFocus(), VK_TAB);  // past the last page to the first
    hold(VK_SHIFT, true);
    PressKey(GetFocus(), VK_TAB);  // backwards
    hold(VK_SHIFT, false);
    hold(VK_CONTROL, false);
    EXPECT_EQ(turnedTo, (std::vector<int>{AdvancedWindow::kDnsPage, AdvancedWindow::kIpSettingsPage,
                                          AdvancedWindow::kDnsPage}));
    EXPECT_EQ(SendMessageW(Advanced("功能选择夹"), TCM_GETCURSEL, 0, 0), AdvancedWindow::kDnsPage);
}

TEST_F(DialogHostTest, LosingTheActivationIsToldOnceTheMessageIsHandled) {
    const HWND handle = ShowModeless(entry);
    ASSERT_EQ(GetActiveWindow(), handle);
    int deactivations = 0;
    entry.onDeactivated = [&] {
        ++deactivations;
        // Safe from the window's own handler.
        host.Remove(entry);
        entry.Close();
    };
    SetActiveWindow(main.Handle());
    EXPECT_EQ(deactivations, 0);
    loop.DispatchPending();
    EXPECT_EQ(deactivations, 1);
    EXPECT_FALSE(IsWindowVisible(handle));
    EXPECT_EQ(host.HandleOf(entry), nullptr);
}

TEST_F(DialogHostTest, ADisabledWindowIsActivatedOnceItTakesInputAgain) {
    const HWND first = ShowModeless(advanced);
    const HWND second = ShowModeless(entry);
    ASSERT_EQ(GetActiveWindow(), second);
    EnableWindow(first, FALSE);  // as under a message box
    host.Activate(advanced);
    host.Sync();
    EXPECT_EQ(GetActiveWindow(), second);
    EnableWindow(first, TRUE);
    host.Sync();
    EXPECT_EQ(GetActiveWindow(), first);
    // Once only: the user's own choice afterwards stands.
    SetActiveWindow(second);
    host.Sync();
    EXPECT_EQ(GetActiveWindow(), second);
}

TEST_F(DialogHostTest, AWindowRemovedFromItsOwnHandlerGoesAtTheTopOfTheModalLoop) {
    HWND dialog = nullptr;
    bool existedInItsHandler = false;
    bool visibleInItsHandler = true;
    bool goneAtTheNextMessage = false;
    entry.添加按钮.onClick = [&] {
        host.Remove(entry);
        entry.Close();
        existedInItsHandler = IsWindow(dialog);
        visibleInItsHandler = IsWindowVisible(dialog);
        PostMessageW(Advanced("取消按钮"), BM_CLICK, 0, 0);
    };
    advanced.取消按钮.onClick = [&] {
        goneAtTheNextMessage = !IsWindow(dialog);
        advanced.Close();
    };
    HWND modal = nullptr;
    HWND owner = nullptr;
    host.RunModal(advanced, [&] {
        modal = host.HandleOf(advanced);
        host.ShowModeless(entry);
        dialog = host.HandleOf(entry);
        owner = GetWindow(dialog, GW_OWNER);
        PostMessageW(Entry("添加按钮"), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(owner, modal) << "above the modal window";
    EXPECT_TRUE(existedInItsHandler);
    EXPECT_FALSE(visibleInItsHandler);
    EXPECT_TRUE(goneAtTheNextMessage);
    EXPECT_FALSE(IsWindow(modal));
}

TEST_F(DialogHostTest, EveryPartOfAnAddressFieldShowsThreeDigitsWhole) {
    ShowModeless(entry);
    for (const char* name : {"地址框", "掩码框", "网关框", "DNS框"}) {
        SCOPED_TRACE(name);
        const HWND field = Entry(name);
        SendMessageW(field, IPM_SETADDRESS, 0, MAKEIPADDRESS(255, 255, 255, 255));
        int parts = 0;
        for (HWND part = GetWindow(field, GW_CHILD); part != nullptr;
             part = GetWindow(part, GW_HWNDNEXT), ++parts) {
            RECT format{};
            SendMessageW(part, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
            HDC dc = GetDC(part);
            const HGDIOBJ previous =
                SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(part, WM_GETFONT, 0, 0)));
            SIZE digits{};
            GetTextExtentPoint32W(dc, L"255", 3, &digits);
            SelectObject(dc, previous);
            ReleaseDC(part, dc);
            EXPECT_LE(digits.cx, format.right - format.left) << "part " << parts;
        }
        EXPECT_EQ(parts, 4);
    }
}

TEST_F(DialogHostTest, ListViewShowsColumnsRowsAndSelectionAndTakesTheUsersPick) {
    ShowModeless(advanced);
    const HWND list = Advanced("超级列表框1");
    EXPECT_EQ(ListViewColumns(list), (std::vector<std::pair<std::string, int>>{
                                         {"IP 地址", Scaled(155)}, {"子网掩码", Scaled(155)}}));
    const LONG style = GetWindowLongW(list, GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    for (const LONG flag :
         {LONG{LVS_SINGLESEL}, LONG{LVS_NOSORTHEADER}, LONG{LVS_SHOWSELALWAYS}, LONG{WS_BORDER}}) {
        EXPECT_NE(style & flag, 0) << flag;
    }
    const auto extended = SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    EXPECT_NE(extended & LVS_EX_FULLROWSELECT, 0);
    EXPECT_EQ(extended & LVS_EX_GRIDLINES, 0);

    ListView& model = advanced.超级列表框1;
    model.AddRow({"10.0.0.1", "255.0.0.0"});
    model.AddRow({"10.0.0.2", "255.255.0.0"});
    model.AddRow({"10.0.0.3", "255.255.255.0"});
    model.SetSelectedRow(2);
    host.Sync();
    EXPECT_EQ(ListViewRows(list), (Rows{{"10.0.0.1", "255.0.0.0"},
                                        {"10.0.0.2", "255.255.0.0"},
                                        {"10.0.0.3", "255.255.255.0"}}));
    EXPECT_EQ(ListViewSelection(list), 2);

    model.SetCell(1, 1, "255.255.255.128");
    model.RemoveRow(0);  // the selection moves up with its row
    host.Sync();
    EXPECT_EQ(ListViewRows(list),
              (Rows{{"10.0.0.2", "255.255.255.128"}, {"10.0.0.3", "255.255.255.0"}}));
    EXPECT_EQ(ListViewSelection(list), 1);

    std::vector<int> picks;
    model.onSelect = [&](int row) { picks.push_back(row); };
    SelectListViewRow(list, 0);
    EXPECT_EQ(model.SelectedRow(), 0);
    SelectListViewRow(list, -1);  // a click beside the rows
    EXPECT_EQ(model.SelectedRow(), -1);
    EXPECT_EQ(picks, (std::vector<int>{0}));

    model.ClearRows();
    host.Sync();
    EXPECT_TRUE(ListViewRows(list).empty());
}

TEST_F(DialogHostTest, ListBoxKeepsTheModelsOrderAndTakesTheUsersPick) {
    ShowModeless(advanced);
    advanced.功能选择夹.SetCurrentPage(AdvancedWindow::kDnsPage);
    const HWND list = Advanced("DNS列表框");
    const LONG style = GetWindowLongW(list, GWL_STYLE);
    EXPECT_EQ(style & (LBS_SORT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL), 0);
    EXPECT_NE(style & LBS_NOTIFY, 0);

    ListBox& model = advanced.DNS列表框;
    for (const char* server : {"8.8.8.8", "202.96.128.86", "1.1.1.1"}) {
        model.AddItem(server);
    }
    host.Sync();
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_EQ(ListBoxItems(list), (Items{"8.8.8.8", "202.96.128.86", "1.1.1.1"}));
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);

    std::vector<int> picks;
    model.onSelect = [&](int index) { picks.push_back(index); };
    SendMessageW(list, LB_SETCURSEL, 1, 0);
    SendMessageW(host.HandleOf(advanced), WM_COMMAND,
                 MAKEWPARAM(ControlIdOf(kAdvancedWindowLayout, "DNS列表框"), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(model.CurrentIndex(), 1);
    EXPECT_EQ(picks, (std::vector<int>{1}));

    // Texts exchanged and the selection moved along, as the arrows do.
    model.SetItemText(0, "202.96.128.86");
    model.SetItemText(1, "8.8.8.8");
    model.SetCurrentIndex(0);
    host.Sync();
    EXPECT_EQ(ListBoxItems(list), (Items{"202.96.128.86", "8.8.8.8", "1.1.1.1"}));
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
    model.RemoveItem(0);
    host.Sync();
    EXPECT_EQ(ListBoxItems(list), (Items{"8.8.8.8", "1.1.1.1"}));
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
}

// Draws the button through its window's WM_DRAWITEM into memory, as the system would on screen.
PictureImage DrawnPicture(HWND window, HWND button, UINT itemState) {
    RECT bounds{};
    GetClientRect(button, &bounds);
    const int width = bounds.right;
    const int height = bounds.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(button));
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = itemState;
    item.hwndItem = button;
    item.hDC = dc;
    item.rcItem = bounds;
    SendMessageW(window, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    GdiFlush();
    PictureImage image{width, height, {}};
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i) {
        image.pixels.push_back({static_cast<std::uint8_t>(pixels[i] >> 16),
                                static_cast<std::uint8_t>(pixels[i] >> 8),
                                static_cast<std::uint8_t>(pixels[i])});
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return image;
}

// What the screen shows at `point` of `window`'s client area, once what was painted has reached
// the screen: the system copies it there while the program handles its messages.
COLORREF ScreenColourAt(HWND window, POINT point) {
    RedrawWindow(GetAncestor(window, GA_ROOT), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    for (int i = 0; i < 25; ++i) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

TEST_F(DialogHostTest, ControlsOnATabPageShowThePaneBehindThem) {
    ShowModeless(advanced);
    const HWND window = host.HandleOf(advanced);
    advanced.功能选择夹.SetCurrentPage(AdvancedWindow::kDnsPage);
    host.Sync();
    // Below the page's last control: nothing but the pane.
    const COLORREF pane = ScreenColourAt(Advanced("功能选择夹"), {Scaled(20), Scaled(380)});
    HDC dc = CreateCompatibleDC(nullptr);
    for (const char* name : {"DNS标签", "跃点标签", "分组框1", "跃点选择框"}) {
        SetBkColor(dc, RGB(1, 2, 3));
        SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(Advanced(name)));
        EXPECT_EQ(GetBkColor(dc), pane) << name;
    }
    DeleteDC(dc);
}

TEST_F(DialogHostTest, PictureButtonsDrawThePictureOfTheirStateAndClick) {
    ShowModeless(advanced);
    const HWND window = host.HandleOf(advanced);
    const HWND up = Advanced("向上按钮");
    EXPECT_EQ(GetWindowLongW(up, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    advanced.功能选择夹.SetCurrentPage(AdvancedWindow::kDnsPage);
    host.Sync();
    // The rounded corners show the tab page's pane behind the button.
    const COLORREF pane = ScreenColourAt(Advanced("功能选择夹"), {Scaled(20), Scaled(380)});
    const auto expected = [&](ButtonFaceState state) {
        return DrawButtonPicture(ButtonPicture::kGreenArrowUp, state, Scaled(27), Scaled(26),
                                 {GetRValue(pane), GetGValue(pane), GetBValue(pane)})
            .pixels;
    };
    struct Case {
        const char* name;
        UINT itemState;
        ButtonFaceState state;
    };
    const Case cases[] = {
        {"normal", 0, ButtonFaceState::kNormal},
        {"pressed", ODS_SELECTED, ButtonFaceState::kPressed},
        {"disabled", ODS_DISABLED, ButtonFaceState::kDisabled},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(DrawnPicture(window, up, c.itemState).pixels == expected(c.state)) << c.name;
    }
    SendMessageW(up, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(DrawnPicture(window, up, 0).pixels == expected(ButtonFaceState::kHot)) << "hot";
    SendMessageW(up, WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(DrawnPicture(window, up, 0).pixels == expected(ButtonFaceState::kNormal)) << "left";

    int clicks = 0;
    advanced.向上按钮.onClick = [&] { ++clicks; };
    SendMessageW(up, BM_CLICK, 0, 0);
    // A quick second click comes as a double click, and counts as a click.
    SendMessageW(window, WM_COMMAND,
                 MAKEWPARAM(ControlIdOf(kAdvancedWindowLayout, "向上按钮"), BN_DOUBLECLICKED),
                 reinterpret_cast<LPARAM>(up));
    EXPECT_EQ(clicks, 2);
    advanced.向上按钮.SetEnabled(false);
    host.Sync();
    SendMessageW(up, BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 2);
}

}  // namespace
}  // namespace netquill
