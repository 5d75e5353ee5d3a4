// The advanced settings window: filling it from the editing state, its list buttons and DNS
// arrows, the interface metric, the add / edit / remove family with its remembered entries, OK,
// cancel, and opening it modally from the main window.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>

#include "advanced/list_buttons.h"
#include "advanced/open_advanced_window.h"
#include "support/advanced_fixture.h"
#include "ui/main_window_handlers.h"

namespace netquill {
namespace {

constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kBlack{0, 0, 0};

const ShownMessage kNothingSelected{"Microsoft TCP/IP", "尚未选择一个项目。请先选一个。",
                                    MessageIcon::kExclamation};
const ShownMessage kNoIpAddress{"Microsoft TCP/IP", "适配器需要至少一个 IP 地址，请输入一个。",
                                MessageIcon::kExclamation};
const ShownMessage kBadMetric{"Microsoft TCP/IP", "请输入在 1 和 9999 之间的跃点数。",
                              MessageIcon::kExclamation};

class AdvancedWindowTest : public AdvancedFixture {
  protected:
    AdvancedWindowTest() { BindAdvancedButton(program, desktop); }

    void UseTypicalSettings() {
        state.addressList = {{"192.168.1.5", "255.255.255.0"}, {"10.0.0.5", "255.0.0.0"}};
        state.gatewayList = {{"192.168.1.1", "0"}, {"10.0.0.1", "05"}, {"10.0.0.2", "abc"}};
        state.dnsList = {"202.96.128.86", "8.8.8.8", "114.114.114.114"};
        state.interfaceMetricText = "30";
    }

    // Opens the window through the main window's 高级 button; `script` is what the user then
    // does in it, handled by the window's modal loop as one action. The script must close the
    // window, or the test fails.
    void RunAdvancedWindow(const std::function<void(AdvancedWindow&)>& script) {
        desktop.onModalShown = [&](DialogWindow& shown) {
            EXPECT_FALSE(desktop.MainWindowTakesInput());
            loop.QueueUserAction([&] { script(static_cast<AdvancedWindow&>(shown)); });
        };
        mainWindow.高级按钮.Click();
        EXPECT_TRUE(desktop.MainWindowTakesInput());
        EXPECT_TRUE(desktop.Shown().empty());
    }

    // The entry dialog the user just opened.
    EntryDialog& OpenDialog() { return static_cast<EntryDialog&>(*desktop.Shown().back()); }

    void ShowInMainWindow(const std::vector<std::string>& fields) {
        IpAddressField* const targets[] = {&mainWindow.地址框, &mainWindow.掩码框,
                                           &mainWindow.网关框, &mainWindow.首选框,
                                           &mainWindow.备用框};
        for (std::size_t i = 0; i < fields.size(); ++i) {
            targets[i]->SetAddress(fields[i]);
        }
    }

    // The five address fields of the main window, in the order 地址框 掩码框 网关框 首选框 备用框.
    std::vector<std::string> MainFields() {
        return {mainWindow.地址框.Address(), mainWindow.掩码框.Address(),
                mainWindow.网关框.Address(), mainWindow.首选框.Address(),
                mainWindow.备用框.Address()};
    }
};

TEST_F(AdvancedWindowTest, FillShowsTheEditingStateAndForgetsRemovedEntries) {
    UseTypicalSettings();
    state.advanced.lastRemovedAddress = {"1.1.1.1", "255.0.0.0"};
    state.advanced.lastRemovedGateway = {"1.1.1.254", "自动"};
    state.advanced.lastRemovedDnsServer = {"9.9.9.9", ""};
    Open();
    EXPECT_EQ(RowsOf(window.超级列表框1),
              (Rows{{"192.168.1.5", "255.255.255.0"}, {"10.0.0.5", "255.0.0.0"}}));
    // A metric whose integer value is 0 shows as automatic; any other stays as stored.
    EXPECT_EQ(RowsOf(window.超级列表框2),
              (Rows{{"192.168.1.1", "自动"}, {"10.0.0.1", "05"}, {"10.0.0.2", "自动"}}));
    EXPECT_EQ(window.DNS列表框.Items(), (Items{"202.96.128.86", "8.8.8.8", "114.114.114.114"}));
    EXPECT_EQ(window.DNS列表框.CurrentIndex(), -1);
    EXPECT_FALSE(window.跃点选择框.Checked());
    EXPECT_EQ(window.跃点框.Text(), "30");
    EXPECT_TRUE(window.跃点框.Enabled());
    EXPECT_EQ(state.advanced.lastRemovedAddress, EntryPair{});
    EXPECT_EQ(state.advanced.lastRemovedGateway, EntryPair{});
    EXPECT_EQ(state.advanced.lastRemovedDnsServer, EntryPair{});
    for (const Button* button : {&window.编辑按钮1, &window.删除按钮1, &window.编辑按钮2,
                                 &window.删除按钮2, &window.编辑按钮3, &window.删除按钮3}) {
        EXPECT_TRUE(button->Enabled());
    }
    EXPECT_EQ(window.功能选择夹.CurrentPage(), AdvancedWindow::kIpSettingsPage);
}

TEST_F(AdvancedWindowTest, AnEmptyMetricOpensAutomatic) {
    state.addressList = {{"192.168.1.5", "255.255.255.0"}};
    Open();
    EXPECT_TRUE(window.跃点选择框.Checked());
    EXPECT_EQ(window.跃点框.Text(), "");
    EXPECT_FALSE(window.跃点框.Enabled());
    EXPECT_FALSE(window.跃点标签.Enabled());
    EXPECT_EQ(window.跃点标签.TextColour(), kGrey);
}

TEST_F(AdvancedWindowTest, EmptyListsDisableTheirEditAndRemoveButtonsOnly) {
    Open();
    for (const Button* button : {&window.编辑按钮1, &window.删除按钮1, &window.编辑按钮2,
                                 &window.删除按钮2, &window.编辑按钮3, &window.删除按钮3}) {
        EXPECT_FALSE(button->Enabled());
    }
    for (const Button* button : {&window.添加按钮1, &window.添加按钮2, &window.添加按钮3}) {
        EXPECT_TRUE(button->Enabled());
    }
}

TEST_F(AdvancedWindowTest, WithoutAddressesNeitherOkNorTheDnsPageGetThrough) {
    state.dnsList = {"8.8.8.8"};
    Open();
    window.确定按钮.Click();
    EXPECT_TRUE(window.IsOpen());
    EXPECT_TRUE(window.功能选择夹.SelectPageByUser(AdvancedWindow::kDnsPage));
    EXPECT_EQ(window.功能选择夹.CurrentPage(), AdvancedWindow::kIpSettingsPage);
    EXPECT_EQ(desktop.Messages(), (std::vector<ShownMessage>{kNoIpAddress, kNoIpAddress}));
    EXPECT_EQ(state.dnsList, (Items{"8.8.8.8"}));
}

TEST_F(AdvancedWindowTest, TheDnsPageNeedsAUsableMetricAndThenUpdatesTheArrows) {
    UseTypicalSettings();
    Open();
    window.跃点框.TypeText("\b\b");
    window.功能选择夹.SelectPageByUser(AdvancedWindow::kDnsPage);
    EXPECT_EQ(window.功能选择夹.CurrentPage(), AdvancedWindow::kIpSettingsPage);
    EXPECT_EQ(desktop.Messages(), (std::vector<ShownMessage>{kBadMetric}));
    EXPECT_EQ(window.Focused(), &window.跃点框);

    window.跃点框.TypeText("7");
    window.DNS列表框.SetCurrentIndex(0);  // the arrows still show their state from creation
    window.功能选择夹.SelectPageByUser(AdvancedWindow::kDnsPage);
    EXPECT_EQ(window.功能选择夹.CurrentPage(), AdvancedWindow::kDnsPage);
    EXPECT_FALSE(window.向上按钮.Enabled());
    EXPECT_TRUE(window.向下按钮.Enabled());
    EXPECT_EQ(desktop.Messages().size(), 1u);
}

TEST_F(AdvancedWindowTest, ArrowsFollowTheSelectedDnsServer) {
    struct Case {
        Items servers;
        int selected;
        bool up, down;
    };
    const Case cases[] = {
        {{}, -1, false, false},
        {{"1.1.1.1", "2.2.2.2"}, -1, false, false},
        {{"1.1.1.1"}, 0, false, false},
        {{"1.1.1.1", "2.2.2.2"}, 0, false, true},
        {{"1.1.1.1", "2.2.2.2"}, 1, true, false},
        {{"1.1.1.1", "2.2.2.2", "3.3.3.3"}, 1, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.servers.size() << " servers, selected " << c.selected);
        AdvancedWindow w;
        for (const std::string& server : c.servers) {
            w.DNS列表框.AddItem(server);
        }
        w.DNS列表框.SetCurrentIndex(c.selected);
        // The opposite state first, so that every button has to change.
        w.向上按钮.SetEnabled(!c.up);
        w.向下按钮.SetEnabled(!c.down);
        UpdateMoveButtons(w);
        EXPECT_EQ(w.向上按钮.Enabled(), c.up);
        EXPECT_EQ(w.向下按钮.Enabled(), c.down);
    }
}

TEST_F(AdvancedWindowTest, ArrowsExchangeTextsAndTheSelectionMovesAlong) {
    struct Case {
        int selected;
        MoveDirection direction;
        Items after;
        int selectedAfter;
    };
    const Items servers = {"1.1.1.1", "2.2.2.2", "3.3.3.3"};
    const Case cases[] = {
        {1, MoveDirection::kUp, {"2.2.2.2", "1.1.1.1", "3.3.3.3"}, 0},
        {1, MoveDirection::kDown, {"1.1.1.1", "3.3.3.3", "2.2.2.2"}, 2},
        {0, MoveDirection::kUp, servers, 0},
        {2, MoveDirection::kDown, servers, 2},
        {-1, MoveDirection::kUp, servers, -1},
        {-1, MoveDirection::kDown, servers, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected);
        AdvancedWindow w;
        for (const std::string& server : servers) {
            w.DNS列表框.AddItem(server);
        }
        w.DNS列表框.SetCurrentIndex(c.selected);
        MoveDnsServer(w, c.direction);
        EXPECT_EQ(w.DNS列表框.Items(), c.after);
        EXPECT_EQ(w.DNS列表框.CurrentIndex(), c.selectedAfter);
    }
}

TEST_F(AdvancedWindowTest, MovingTheMiddleServerUpMakesItFirstAndKeepsItSelected) {
    UseTypicalSettings();
    Open();
    window.向上按钮.SetEnabled(false);
    window.向下按钮.SetEnabled(false);
    window.DNS列表框.SelectByUser(1);  // selecting re-evaluates the arrows
    EXPECT_TRUE(window.向上按钮.Enabled());
    EXPECT_TRUE(window.向下按钮.Enabled());
    window.向上按钮.Click();
    EXPECT_EQ(window.DNS列表框.Items(), (Items{"8.8.8.8", "202.96.128.86", "114.114.114.114"}));
    EXPECT_EQ(window.DNS列表框.CurrentIndex(), 0);
    EXPECT_FALSE(window.向上按钮.Enabled());
    EXPECT_TRUE(window.向下按钮.Enabled());
    window.向下按钮.Click();
    window.向下按钮.Click();
    EXPECT_EQ(window.DNS列表框.Items(), (Items{"202.96.128.86", "114.114.114.114", "8.8.8.8"}));
    EXPECT_TRUE(window.向上按钮.Enabled());
    EXPECT_FALSE(window.向下按钮.Enabled());
}

TEST_F(AdvancedWindowTest, RemovingTheSelectedServerLeavesNoSelectionAndDeadArrows) {
    UseTypicalSettings();
    Open();
    window.DNS列表框.SelectByUser(1);
    window.删除按钮3.Click();
    EXPECT_EQ(window.DNS列表框.Items(), (Items{"202.96.128.86", "114.114.114.114"}));
    EXPECT_EQ(window.DNS列表框.CurrentIndex(), -1);
    EXPECT_FALSE(window.向上按钮.Enabled());
    EXPECT_FALSE(window.向下按钮.Enabled());
    window.向上按钮.Click();
    window.向下按钮.Click();
    EXPECT_EQ(window.DNS列表框.Items(), (Items{"202.96.128.86", "114.114.114.114"}));
}

TEST_F(AdvancedWindowTest, RemovingTheLastRowDisablesItsEditAndRemoveButtons) {
    state.addressList = {{"192.168.1.5", "255.255.255.0"}};
    state.gatewayList = {{"192.168.1.1", "0"}};
    state.dnsList = {"8.8.8.8"};
    Open();
    window.超级列表框1.SelectByUser(0);
    window.删除按钮1.Click();
    window.超级列表框2.SelectByUser(0);
    window.删除按钮2.Click();
    window.DNS列表框.SelectByUser(0);
    window.删除按钮3.Click();
    for (const Button* button : {&window.编辑按钮1, &window.删除按钮1, &window.编辑按钮2,
                                 &window.删除按钮2, &window.编辑按钮3, &window.删除按钮3}) {
        EXPECT_FALSE(button->Enabled());
    }
    EXPECT_EQ(window.超级列表框1.RowCount() + window.超级列表框2.RowCount() +
                  window.DNS列表框.ItemCount(),
              0);
}

TEST_F(AdvancedWindowTest, AddOffersTheLastRemovedEntryUntilAnEditOfThatList) {
    UseTypicalSettings();
    state.gatewayList[1].metric = "20";
    Open();
    struct Case {
        std::string_view name;
        std::function<void(int)> select;
        Button *add, *edit, *remove;
        std::function<EntryPair()> offered;
        EntryPair removed;
    };
    const Case cases[] = {
        {"addresses",
         [&](int row) { window.超级列表框1.SelectByUser(row); },
         &window.添加按钮1,
         &window.编辑按钮1,
         &window.删除按钮1,
         [&] {
             return EntryPair{Dialog().地址框.Address(), Dialog().掩码框.Address()};
         },
         {"10.0.0.5", "255.0.0.0"}},
        {"gateways",
         [&](int row) { window.超级列表框2.SelectByUser(row); },
         &window.添加按钮2,
         &window.编辑按钮2,
         &window.删除按钮2,
         [&] {
             return EntryPair{Dialog().网关框.Address(), Dialog().跃点框.Text()};
         },
         {"10.0.0.1", "20"}},
        {"DNS servers",
         [&](int item) { window.DNS列表框.SelectByUser(item); },
         &window.添加按钮3,
         &window.编辑按钮3,
         &window.删除按钮3,
         [&] {
             return EntryPair{Dialog().DNS框.Address(), ""};
         },
         {"8.8.8.8", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name));
        c.select(1);
        c.remove->Click();
        c.add->Click();
        EXPECT_EQ(c.offered(), c.removed);
        Dialog().取消按钮.Click();
        c.add->Click();  // offered again: the memory lasts
        EXPECT_EQ(c.offered(), c.removed);
        Dialog().取消按钮.Click();

        c.select(0);  // an edit of any row forgets it
        c.edit->Click();
        Dialog().取消按钮.Click();
        c.add->Click();
        EXPECT_EQ(c.offered(), (EntryPair{}));
        Dialog().取消按钮.Click();
    }
    EXPECT_TRUE(desktop.Messages().empty());
}

TEST_F(AdvancedWindowTest, ARemovedAutomaticGatewayComesBackAutomatic) {
    UseTypicalSettings();
    Open();
    window.超级列表框2.SelectByUser(0);
    window.删除按钮2.Click();
    EXPECT_EQ(state.advanced.lastRemovedGateway, (EntryPair{"192.168.1.1", "自动"}));
    window.添加按钮2.Click();
    EXPECT_TRUE(Dialog().自动框.Checked());
    Dialog().添加按钮.Click();
    EXPECT_EQ(RowsOf(window.超级列表框2),
              (Rows{{"10.0.0.1", "05"}, {"10.0.0.2", "自动"}, {"192.168.1.1", "自动"}}));
}

TEST_F(AdvancedWindowTest, EditAndRemoveWithoutASelectionSaySoAndChangeNothing) {
    UseTypicalSettings();
    Open();
    window.功能选择夹.SelectPageByUser(AdvancedWindow::kDnsPage);
    const Rows addresses = RowsOf(window.超级列表框1);
    const Rows gateways = RowsOf(window.超级列表框2);
    Button* const buttons[] = {&window.编辑按钮1, &window.删除按钮1, &window.编辑按钮2,
                               &window.删除按钮2, &window.编辑按钮3, &window.删除按钮3};
    state.advanced.lastRemovedAddress = {"1.2.3.4", "255.0.0.0"};
    for (Button* button : buttons) {
        button->Click();
    }
    EXPECT_EQ(desktop.Messages(), std::vector<ShownMessage>(std::size(buttons), kNothingSelected));
    EXPECT_EQ(window.功能选择夹.CurrentPage(), AdvancedWindow::kDnsPage);
    EXPECT_FALSE(session.entryDialog);
    EXPECT_EQ(RowsOf(window.超级列表框1), addresses);
    EXPECT_EQ(RowsOf(window.超级列表框2), gateways);
    EXPECT_EQ(window.DNS列表框.ItemCount(), 3);
    EXPECT_EQ(state.advanced.lastRemovedAddress, (EntryPair{"1.2.3.4", "255.0.0.0"}));
}

TEST_F(AdvancedWindowTest, ClearingAutomaticMetricHandsTheBoxToTheUser) {
    state.addressList = {{"192.168.1.5", "255.255.255.0"}};
    Open();
    window.跃点选择框.Click();
    EXPECT_FALSE(window.跃点选择框.Checked());
    EXPECT_TRUE(window.跃点框.Enabled());
    EXPECT_TRUE(window.跃点标签.Enabled());
    EXPECT_EQ(window.跃点标签.TextColour(), kBlack);
    EXPECT_EQ(window.Focused(), &window.跃点框);
    EXPECT_EQ(window.跃点框.TypeText("12345x"), 4u);
    EXPECT_EQ(window.跃点框.Text(), "1234");
    window.跃点选择框.Click();
    EXPECT_EQ(window.跃点框.Text(), "");
    EXPECT_FALSE(window.跃点框.Enabled());
    EXPECT_EQ(window.跃点标签.TextColour(), kGrey);
}

TEST_F(AdvancedWindowTest, OkStoresTheInterfaceMetricAsTyped) {
    struct Case {
        std::string stored;  // before opening
        std::function<void(AdvancedWindow&)> change;
        std::string expected;
    };
    const Case cases[] = {
        {"", [](AdvancedWindow&) {}, ""},
        {"30", [](AdvancedWindow& w) { w.跃点选择框.Click(); }, ""},
        {"",
         [](AdvancedWindow& w) {
             w.跃点选择框.Click();
             w.跃点框.TypeText("25");
         },
         "25"},
        {"30", [](AdvancedWindow& w) { w.跃点框.TypeText("\b\b05"); }, "05"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored + " -> " + c.expected);
        ShowInMainWindow({"192.168.1.5", "255.255.255.0"});
        state.interfaceMetricText = c.stored;
        RunAdvancedWindow([&](AdvancedWindow& w) {
            c.change(w);
            w.确定按钮.Click();
        });
        EXPECT_EQ(state.interfaceMetricText, c.expected);
    }
    EXPECT_TRUE(desktop.Messages().empty());
}

TEST_F(AdvancedWindowTest, RefusedOkKeepsTheWindowOpenAndUnchanged) {
    UseTypicalSettings();
    ShowInMainWindow({"192.168.1.5", "255.255.255.0", "192.168.1.1", "202.96.128.86", "8.8.8.8"});
    const SharedState before = state;
    RunAdvancedWindow([&](AdvancedWindow& w) {
        w.跃点框.TypeText("\b\b-5");
        w.SetFocus(w.确定按钮);
        w.确定按钮.Click();
        EXPECT_TRUE(w.IsOpen());
        EXPECT_EQ(w.Focused(), &w.跃点框);
        EXPECT_EQ(w.跃点框.Text(), "-5");
        EXPECT_EQ(w.超级列表框1.RowCount(), 2);
        w.取消按钮.Click();
    });
    EXPECT_EQ(desktop.Messages(), (std::vector<ShownMessage>{kBadMetric}));
    EXPECT_EQ(state.interfaceMetricText, before.interfaceMetricText);
    EXPECT_EQ(state.addressList, before.addressList);
}

TEST_F(AdvancedWindowTest, OkStoresEveryListAndRefreshesTheFiveFields) {
    UseTypicalSettings();
    ShowInMainWindow({"192.168.1.5", "255.255.255.0", "192.168.1.1", "202.96.128.86", "8.8.8.8"});
    RunAdvancedWindow([&](AdvancedWindow& w) {
        // A second address first in the list, every gateway removed, the DNS order changed.
        w.添加按钮1.Click();
        TypeAddress(OpenDialog().地址框, "172.16.0.9");
        TypeAddress(OpenDialog().掩码框, "255.255.0.0");
        OpenDialog().添加按钮.Click();
        w.超级列表框1.SelectByUser(0);
        w.删除按钮1.Click();
        for (int i = 0; i < 3; ++i) {
            w.超级列表框2.SelectByUser(0);
            w.删除按钮2.Click();
        }
        w.功能选择夹.SelectPageByUser(AdvancedWindow::kDnsPage);
        w.DNS列表框.SelectByUser(2);
        w.向上按钮.Click();
        w.确定按钮.Click();
    });
    EXPECT_EQ(state.addressList, (std::vector<AddressEntry>{{"10.0.0.5", "255.0.0.0"},
                                                            {"172.16.0.9", "255.255.0.0"}}));
    EXPECT_TRUE(state.gatewayList.empty());
    EXPECT_EQ(state.dnsList, (Items{"202.96.128.86", "114.114.114.114", "8.8.8.8"}));
    EXPECT_EQ(state.interfaceMetricText, "30");
    EXPECT_EQ(MainFields(), (std::vector<std::string>{"10.0.0.5", "255.0.0.0", "", "202.96.128.86",
                                                      "114.114.114.114"}));
    EXPECT_TRUE(desktop.Messages().empty());
}

TEST_F(AdvancedWindowTest, OkStoresGatewayMetricsBackAsTheyWereTyped) {
    ShowInMainWindow({"192.168.1.5", "255.255.255.0", "192.168.1.1", "8.8.8.8"});
    state.gatewayList = {{"192.168.1.1", "0"}, {"10.0.0.1", "05"}, {"10.0.0.2", ""}};
    state.dnsList = {"8.8.8.8"};
    RunAdvancedWindow([&](AdvancedWindow& w) {
        w.添加按钮2.Click();
        TypeAddress(OpenDialog().网关框, "10.0.0.3");
        OpenDialog().自动框.Click();
        OpenDialog().跃点框.TypeText("0");  // a typed 0 is taken as typed
        OpenDialog().添加按钮.Click();
        w.确定按钮.Click();
    });
    EXPECT_EQ(state.gatewayList,
              (std::vector<GatewayEntry>{
                  {"192.168.1.1", "0"}, {"10.0.0.1", "05"}, {"10.0.0.2", "0"}, {"10.0.0.3", "0"}}));
    // One DNS server leaves the alternate field blank.
    EXPECT_EQ(MainFields(), (std::vector<std::string>{"192.168.1.5", "255.255.255.0", "192.168.1.1",
                                                      "8.8.8.8", ""}));
}

TEST_F(AdvancedWindowTest, CancelEscapeAndTheCloseBoxDropEveryChange) {
    struct Case {
        std::string_view name;
        std::function<void(AdvancedWindow&)> close;
    };
    const Case cases[] = {
        {"cancel", [](AdvancedWindow& w) { w.取消按钮.Click(); }},
        {"Escape", [](AdvancedWindow& w) { w.PressEscape(); }},
        {"close box", [](AdvancedWindow& w) { w.ClickCloseBox(); }},
    };
    UseTypicalSettings();
    ShowInMainWindow({"192.168.1.5", "255.255.255.0", "192.168.1.1", "202.96.128.86", "8.8.8.8"});
    const std::vector<std::string> fields = MainFields();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name));
        const SharedState before = state;
        RunAdvancedWindow([&](AdvancedWindow& w) {
            w.添加按钮1.Click();
            TypeAddress(OpenDialog().地址框, "172.16.0.9");
            TypeAddress(OpenDialog().掩码框, "255.255.0.0");
            OpenDialog().添加按钮.Click();
            w.超级列表框2.SelectByUser(0);
            w.编辑按钮2.Click();
            TypeAddress(OpenDialog().网关框, "192.168.1.254");
            OpenDialog().添加按钮.Click();
            w.DNS列表框.SelectByUser(0);
            w.删除按钮3.Click();
            w.DNS列表框.SelectByUser(1);
            w.向上按钮.Click();
            w.跃点选择框.Click();
            c.close(w);
        });
        EXPECT_EQ(state.addressList, before.addressList);
        EXPECT_EQ(state.gatewayList, before.gatewayList);
        EXPECT_EQ(state.dnsList, before.dnsList);
        EXPECT_EQ(state.interfaceMetricText, before.interfaceMetricText);
        EXPECT_EQ(MainFields(), fields);
    }
}

TEST_F(AdvancedWindowTest, OpeningTakesTheMainWindowsFieldsFirst) {
    state.addressList = {{"192.168.1.5", "255.255.255.0"}, {"10.0.0.5", "255.0.0.0"}};
    state.dnsList = {"202.96.128.86", "8.8.8.8", "114.114.114.114"};
    ShowInMainWindow({"192.168.1.6", "255.255.0.0", "192.168.1.254", "1.2.4.8", ""});
    RunAdvancedWindow([&](AdvancedWindow& w) {
        EXPECT_EQ(RowsOf(w.超级列表框1),
                  (Rows{{"192.168.1.6", "255.255.0.0"}, {"10.0.0.5", "255.0.0.0"}}));
        EXPECT_EQ(RowsOf(w.超级列表框2), (Rows{{"192.168.1.254", "自动"}}));
        EXPECT_EQ(w.DNS列表框.Items(), (Items{"1.2.4.8", "114.114.114.114"}));
        w.取消按钮.Click();
    });
}

TEST_F(AdvancedWindowTest, ReopeningForgetsRemovedEntries) {
    UseTypicalSettings();
    ShowInMainWindow({"192.168.1.5", "255.255.255.0"});
    RunAdvancedWindow([&](AdvancedWindow& w) {
        w.超级列表框1.SelectByUser(1);
        w.删除按钮1.Click();
        w.取消按钮.Click();
    });
    EXPECT_EQ(state.advanced.lastRemovedAddress, (EntryPair{"10.0.0.5", "255.0.0.0"}));
    RunAdvancedWindow([&](AdvancedWindow& w) {
        w.添加按钮1.Click();
        EXPECT_TRUE(OpenDialog().地址框.IsBlank());
        EXPECT_TRUE(OpenDialog().掩码框.IsBlank());
        w.取消按钮.Click();
    });
}

TEST_F(AdvancedWindowTest, ClosingTheWindowTakesAnOpenEntryDialogAlong) {
    UseTypicalSettings();
    ShowInMainWindow({"192.168.1.5", "255.255.255.0", "192.168.1.1", "202.96.128.86", "8.8.8.8"});
    RunAdvancedWindow([&](AdvancedWindow& w) {
        w.添加按钮3.Click();
        EXPECT_EQ(desktop.Shown().size(), 2u);
        w.ClickCloseBox();
        EXPECT_TRUE(desktop.Shown().size() == 1 && desktop.Shown()[0] == &w);
    });
    EXPECT_EQ(state.dnsList.size(), 3u);
}

TEST_F(AdvancedWindowTest, UserActionsQueuedWhileTheModalLoopRunsReachTheWindow) {
    UseTypicalSettings();
    ShowInMainWindow({"192.168.1.5", "255.255.255.0"});
    desktop.onModalShown = [&](DialogWindow& shown) {
        auto& w = static_cast<AdvancedWindow&>(shown);
        loop.QueueUserAction([&w] { w.跃点选择框.Click(); });
        loop.QueueUserAction([&w] { w.确定按钮.Click(); });
        // Not input, so no pump inside OK handles it; the modal loop ends first.
        loop.QueueMessage([&] { EXPECT_TRUE(desktop.MainWindowTakesInput()); });
    };
    mainWindow.高级按钮.Click();
    // The handler returned once the window closed; what came after OK waits for the main loop.
    EXPECT_EQ(loop.PendingCount(), 1u);
    EXPECT_EQ(state.interfaceMetricText, "");
    loop.DispatchPending();
}

}  // namespace
}  // namespace netquill
