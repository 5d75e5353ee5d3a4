// The entry dialog, opened from the advanced window's add and edit buttons: its layout per kind
// of entry, its metric controls, committing to the window's lists, refusals and closing.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <string_view>

#include "advanced/entry_dialog_handlers.h"
#include "support/advanced_fixture.h"
#include "ui/entry_dialog_layout.h"

namespace netquill {
namespace {

constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kBlack{0, 0, 0};

class EntryDialogTest : public AdvancedFixture {
  protected:
    EntryDialogTest() {
        state.addressList = {{"192.168.1.5", "255.255.255.0"}, {"10.0.0.5", "255.0.0.0"}};
        state.gatewayList = {{"192.168.1.1", "0"}, {"10.0.0.1", "20"}};
        state.dnsList = {"202.96.128.86", "8.8.8.8"};
        Open();
    }

    std::set<std::string_view> VisibleControls() {
        std::set<std::string_view> visible;
        for (const BoundControl& bound : Dialog().Controls()) {
            if (bound.control->Visible()) {
                visible.insert(bound.layout->name);
            }
        }
        return visible;
    }

    bool DialogOnScreen() {
        return session.entryDialog && desktop.Active() == session.entryDialog &&
               std::ranges::count(desktop.Shown(), session.entryDialog) == 1;
    }

    // The dialog is gone: closed, off the screen, and the advanced window active again.
    void ExpectDialogGone(const EntryDialog* dialog) {
        EXPECT_FALSE(session.entryDialog);
        EXPECT_EQ(std::ranges::count(desktop.Shown(), dialog), 0);
        EXPECT_EQ(desktop.Active(), &window);
    }
};

TEST_F(EntryDialogTest, OpensLaidOutForItsKindWithBlankFieldsAndTheFocusInTheFirst) {
    struct Case {
        Button* add;
        std::string_view caption;
        int width, height;
        DialogPoint commit, cancel;
        std::set<std::string_view> visible;
        std::string_view focus;
    };
    const Case cases[] = {
        {&window.添加按钮1,
         "TCP/IP 地址",
         210,
         145,
         {35, 80},
         {110, 80},
         {"地址标签", "地址框", "掩码标签", "掩码框", "添加按钮", "取消按钮"},
         "地址框"},
        {&window.添加按钮2,
         "TCP/IP 网关地址",
         200,
         165,
         {35, 100},
         {110, 100},
         {"网关标签", "网关框", "跃点分组框", "自动框", "跃点标签", "跃点框", "添加按钮",
          "取消按钮"},
         "网关框"},
        {&window.添加按钮3,
         "TCP/IP DNS 服务器",
         245,
         110,
         {35, 45},
         {140, 45},
         {"DNS标签", "DNS框", "添加按钮", "取消按钮"},
         "DNS框"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.caption));
        c.add->Click();
        ASSERT_TRUE(DialogOnScreen());
        EntryDialog& d = Dialog();
        EXPECT_EQ(d.Caption(), c.caption);
        EXPECT_EQ(d.Width(), c.width);
        EXPECT_EQ(d.Height(), c.height);
        EXPECT_EQ(d.BoxOf(d.添加按钮), (Rect{c.commit.x, c.commit.y, 56, 24}));
        EXPECT_EQ(d.BoxOf(d.取消按钮), (Rect{c.cancel.x, c.cancel.y, 56, 24}));
        EXPECT_EQ(VisibleControls(), c.visible);
        EXPECT_EQ(d.添加按钮.Caption(), "添加");
        EXPECT_TRUE(d.添加按钮.Enabled());
        for (const IpAddressField* field : {&d.地址框, &d.掩码框, &d.网关框, &d.DNS框}) {
            EXPECT_TRUE(field->IsBlank());
        }
        EXPECT_EQ(d.Focused(), d.ControlNamed(c.focus));
        d.取消按钮.Click();
        ASSERT_FALSE(session.entryDialog);
    }
}

TEST_F(EntryDialogTest, EditingShowsTheSelectedRowAndTheCaptionModify) {
    window.超级列表框1.SelectByUser(1);
    window.超级列表框2.SelectByUser(1);
    window.DNS列表框.SelectByUser(1);
    struct Case {
        Button* edit;
        std::string_view field;
        std::string shown;
    };
    const Case cases[] = {
        {&window.编辑按钮1, "地址框", "10.0.0.5"},
        {&window.编辑按钮2, "网关框", "10.0.0.1"},
        {&window.编辑按钮3, "DNS框", "8.8.8.8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field));
        c.edit->Click();
        EntryDialog& d = Dialog();
        EXPECT_EQ(d.添加按钮.Caption(), "修改");
        EXPECT_EQ(static_cast<IpAddressField*>(d.ControlNamed(c.field))->Address(), c.shown);
        d.取消按钮.Click();
    }
    // The address's mask and the gateway's metric come along.
    window.编辑按钮1.Click();
    EXPECT_EQ(Dialog().掩码框.Address(), "255.0.0.0");
    Dialog().PressEscape();
    window.编辑按钮2.Click();
    EXPECT_FALSE(Dialog().自动框.Checked());
    EXPECT_EQ(Dialog().跃点框.Text(), "20");
}

TEST_F(EntryDialogTest, GatewayMetricOpensAutomaticForAutoZeroOrEmpty) {
    struct Case {
        std::string metric;
        bool automatic;
    };
    const Case cases[] = {{"自动", true}, {"0", true},   {"", true},
                          {"20", false},  {"05", false}, {"00", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.metric);
        ShowEntryDialog(session, EntryKind::kGateway, false, {"192.168.1.1", c.metric});
        EntryDialog& d = Dialog();
        EXPECT_EQ(d.网关框.Address(), "192.168.1.1");
        EXPECT_EQ(d.自动框.Checked(), c.automatic);
        EXPECT_EQ(d.跃点框.Text(), c.automatic ? "" : c.metric);
        EXPECT_EQ(d.跃点框.Enabled(), !c.automatic);
        EXPECT_EQ(d.跃点标签.Enabled(), !c.automatic);
        EXPECT_EQ(d.跃点标签.TextColour(), c.automatic ? kGrey : kBlack);
        EXPECT_TRUE(d.添加按钮.Enabled());
        EXPECT_EQ(d.Focused(), &d.网关框);
        d.取消按钮.Click();
    }
}

TEST_F(EntryDialogTest, ConfirmButtonNeedsAutomaticMetricOrATypedOne) {
    window.添加按钮2.Click();
    EntryDialog& d = Dialog();
    d.自动框.Click();  // cleared, box empty
    EXPECT_FALSE(d.添加按钮.Enabled());
    EXPECT_TRUE(d.跃点框.Enabled());
    EXPECT_EQ(d.跃点标签.TextColour(), kBlack);
    EXPECT_EQ(d.Focused(), &d.跃点框);

    EXPECT_EQ(d.跃点框.TypeText("a"), 0u);  // only digits and "-"
    EXPECT_FALSE(d.添加按钮.Enabled());
    d.跃点框.TypeText("1");
    EXPECT_TRUE(d.添加按钮.Enabled());
    d.跃点框.TypeText("2345");
    EXPECT_EQ(d.跃点框.Text(), "1234");  // four characters at most
    d.跃点框.TypeText("\b\b\b\b");
    EXPECT_FALSE(d.添加按钮.Enabled());
    d.自动框.Click();  // checked again: usable without a metric
    EXPECT_TRUE(d.添加按钮.Enabled());

    d.自动框.Click();
    d.跃点框.TypeText("7");
    d.自动框.Click();  // checking empties the box
    EXPECT_EQ(d.跃点框.Text(), "");
    EXPECT_FALSE(d.跃点框.Enabled());
    EXPECT_EQ(d.跃点标签.TextColour(), kGrey);
    EXPECT_TRUE(d.添加按钮.Enabled());
}

TEST_F(EntryDialogTest, ConfirmingANewEntryAppendsItUnselected) {
    window.超级列表框2.SelectByUser(0);
    window.DNS列表框.SelectByUser(0);
    struct Case {
        std::string_view name;
        std::function<void()> enter;
    };
    const Case cases[] = {
        {"address",
         [&] {
             window.添加按钮1.Click();
             TypeAddress(Dialog().地址框, "172.16.0.9");
             TypeAddress(Dialog().掩码框, "255.255.0.0");
         }},
        {"gateway, automatic metric",
         [&] {
             window.添加按钮2.Click();
             TypeAddress(Dialog().网关框, "172.16.0.1");
         }},
        {"gateway, metric 20",
         [&] {
             window.添加按钮2.Click();
             TypeAddress(Dialog().网关框, "172.16.0.2");
             Dialog().自动框.Click();
             Dialog().跃点框.TypeText("20");
         }},
        {"DNS server",
         [&] {
             window.添加按钮3.Click();
             TypeAddress(Dialog().DNS框, "114.114.114.114");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name));
        c.enter();
        const EntryDialog* dialog = &Dialog();
        Dialog().添加按钮.Click();
        ExpectDialogGone(dialog);
    }
    EXPECT_EQ(RowsOf(window.超级列表框1), (Rows{{"192.168.1.5", "255.255.255.0"},
                                                {"10.0.0.5", "255.0.0.0"},
                                                {"172.16.0.9", "255.255.0.0"}}));
    EXPECT_EQ(RowsOf(window.超级列表框2), (Rows{{"192.168.1.1", "自动"},
                                                {"10.0.0.1", "20"},
                                                {"172.16.0.1", "自动"},
                                                {"172.16.0.2", "20"}}));
    EXPECT_EQ(window.DNS列表框.Items(), (Items{"202.96.128.86", "8.8.8.8", "114.114.114.114"}));
    EXPECT_EQ(window.超级列表框1.SelectedRow(), -1);
    EXPECT_EQ(window.超级列表框2.SelectedRow(), 0);
    EXPECT_EQ(window.DNS列表框.CurrentIndex(), 0);
    EXPECT_TRUE(window.向下按钮.Enabled());
    EXPECT_FALSE(window.向上按钮.Enabled());
    EXPECT_TRUE(desktop.Messages().empty());
    // The dialog never touches the editing state.
    EXPECT_EQ(state.addressList.size(), 2u);
    EXPECT_EQ(state.dnsList.size(), 2u);
}

TEST_F(EntryDialogTest, ConfirmingAnEditReplacesTheSelectedRowInPlace) {
    window.超级列表框1.SelectByUser(0);
    window.编辑按钮1.Click();
    TypeAddress(Dialog().地址框, "192.168.1.6");
    TypeAddress(Dialog().掩码框, "255.255.0.0");
    Dialog().添加按钮.Click();

    window.超级列表框2.SelectByUser(1);
    window.编辑按钮2.Click();
    Dialog().自动框.Click();  // 20 becomes automatic
    Dialog().添加按钮.Click();

    window.DNS列表框.SelectByUser(0);
    window.编辑按钮3.Click();
    TypeAddress(Dialog().DNS框, "223.5.5.5");
    Dialog().添加按钮.Click();

    EXPECT_EQ(RowsOf(window.超级列表框1),
              (Rows{{"192.168.1.6", "255.255.0.0"}, {"10.0.0.5", "255.0.0.0"}}));
    EXPECT_EQ(window.超级列表框1.SelectedRow(), 0);
    EXPECT_EQ(RowsOf(window.超级列表框2), (Rows{{"192.168.1.1", "自动"}, {"10.0.0.1", "自动"}}));
    EXPECT_EQ(window.超级列表框2.SelectedRow(), 1);
    EXPECT_EQ(window.DNS列表框.Items(), (Items{"223.5.5.5", "8.8.8.8"}));
    EXPECT_EQ(window.DNS列表框.CurrentIndex(), 0);
}

TEST_F(EntryDialogTest, RefusedEntryShowsItsMessageChangesNoListAndTheDialogIsGone) {
    struct Case {
        std::string_view name;
        Button* add;
        std::function<void(EntryDialog&)> type;
        std::string message;
    };
    const std::string loopback =
        "以 127 起头的 IP 地址无效，因为他们保留用作环回地址。请在 1 和 223 "
        "之间指定一些其他有效值。";
    const Case cases[] = {
        {"gateway 127.0.0.1", &window.添加按钮2,
         [](EntryDialog& d) { TypeAddress(d.网关框, "127.0.0.1"); }, loopback},
        {"DNS server 127.0.0.53", &window.添加按钮3,
         [](EntryDialog& d) { TypeAddress(d.DNS框, "127.0.0.53"); }, loopback},
        {"blank address", &window.添加按钮1, [](EntryDialog&) {}, "地址错误，不能继续。"},
        {"address without mask", &window.添加按钮1,
         [](EntryDialog& d) { TypeAddress(d.地址框, "192.168.2.5"); }, "掩码地址错误，不能继续。"},
        {"mask 0.x", &window.添加按钮1,
         [](EntryDialog& d) {
             TypeAddress(d.地址框, "192.168.2.5");
             TypeAddress(d.掩码框, "0.255.255.255");
         },
         " 0 不是一个有效项目。请指定一个介于 1 和 255 之间的数值"},
        {"gateway 224.0.0.1", &window.添加按钮2,
         [](EntryDialog& d) { TypeAddress(d.网关框, "224.0.0.1"); },
         "224 不是一个有效项目。请指定一个介于 1 和 223 之间的数值"},
    };
    const Rows addresses = RowsOf(window.超级列表框1);
    const Rows gateways = RowsOf(window.超级列表框2);
    const Items servers = window.DNS列表框.Items();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name));
        c.add->Click();
        const EntryDialog* dialog = &Dialog();
        c.type(Dialog());
        const std::size_t before = desktop.Messages().size();
        Dialog().添加按钮.Click();
        ASSERT_EQ(desktop.Messages().size(), before + 1);
        EXPECT_EQ(desktop.Messages().back(),
                  (ShownMessage{"错误", c.message, MessageIcon::kExclamation}));
        // The message box took the activation, so the dialog closed itself.
        ExpectDialogGone(dialog);
        EXPECT_EQ(RowsOf(window.超级列表框1), addresses);
        EXPECT_EQ(RowsOf(window.超级列表框2), gateways);
        EXPECT_EQ(window.DNS列表框.Items(), servers);
    }
}

TEST_F(EntryDialogTest, EveryWayOfClosingDropsWhatWasTyped) {
    struct Case {
        std::string_view name;
        std::function<void()> close;
    };
    const Case cases[] = {
        {"cancel", [&] { Dialog().取消按钮.Click(); }},
        {"close box", [&] { Dialog().ClickCloseBox(); }},
        {"Escape", [&] { Dialog().PressEscape(); }},
        {"a click in the advanced window", [&] { desktop.Activate(window); }},
        {"another program", [&] { desktop.ActivateElsewhere(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name));
        window.添加按钮3.Click();
        const EntryDialog* dialog = &Dialog();
        TypeAddress(Dialog().DNS框, "114.114.114.114");
        c.close();
        EXPECT_FALSE(session.entryDialog);
        EXPECT_EQ(std::ranges::count(desktop.Shown(), dialog), 0);
        EXPECT_EQ(window.DNS列表框.ItemCount(), 2);
    }
    EXPECT_TRUE(desktop.Messages().empty());
}

TEST_F(EntryDialogTest, OpeningWhileOpenOnlyClosesAndEachOpeningMakesANewDialog) {
    window.超级列表框1.SelectByUser(0);
    window.编辑按钮1.Click();
    EXPECT_EQ(Dialog().添加按钮.Caption(), "修改");
    window.添加按钮3.Click();  // while one is open: closes it, opens nothing
    EXPECT_FALSE(session.entryDialog);
    EXPECT_TRUE(desktop.Shown().size() == 1 && desktop.Shown()[0] == &window);
    EXPECT_EQ(state.advanced.entryDialogMode, EntryKind::kAddress);

    window.添加按钮3.Click();
    EXPECT_EQ(Dialog().添加按钮.Caption(), "添加");  // no earlier caption survives
    EXPECT_EQ(Dialog().Caption(), "TCP/IP DNS 服务器");
    EXPECT_EQ(state.advanced.entryDialogMode, EntryKind::kDnsServer);
    EXPECT_FALSE(state.advanced.entryDialogEditing);
    EXPECT_EQ(state.advanced.pendingEntry, EntryPair{});
}

TEST_F(EntryDialogTest, CreationLaysOutWithThePreviousPendingEntryBeforeTheNewOne) {
    state.advanced.pendingEntry = {"10.9.9.9", "33"};
    std::vector<std::string> seenAfterCreation;
    // The creation handler lets events through once before it fills the dialog; the next event
    // let through sees what it filled in.
    loop.QueueUserActionAtPump(loop.PumpCount() + 2, [&] {
        seenAfterCreation = {Dialog().网关框.Address(), Dialog().跃点框.Text()};
    });
    ShowEntryDialog(session, EntryKind::kGateway, false, {"", ""});
    EXPECT_EQ(seenAfterCreation, (std::vector<std::string>{"10.9.9.9", "33"}));
    EXPECT_TRUE(Dialog().网关框.IsBlank());
    EXPECT_TRUE(Dialog().自动框.Checked());
    EXPECT_EQ(state.advanced.pendingEntry, (EntryPair{"", ""}));
}

TEST_F(EntryDialogTest, EventsLetThroughWhileOpeningMayCloseTheDialogSafely) {
    // The user cancels at the first event let through; the opening then leaves the closed
    // dialog alone.
    state.advanced.lastRemovedAddress = {"192.168.9.9", "255.255.255.0"};
    loop.QueueUserAction([&] { Dialog().取消按钮.Click(); });
    window.添加按钮1.Click();
    EXPECT_FALSE(session.entryDialog);
    EXPECT_EQ(state.advanced.pendingEntry, (EntryPair{"192.168.9.9", "255.255.255.0"}));

    // A second opening at that point only closes the first; the first's later steps still
    // finish without touching a dialog.
    loop.QueueUserAction([&] { window.添加按钮3.Click(); });
    window.添加按钮2.Click();
    EXPECT_FALSE(session.entryDialog);
    EXPECT_EQ(state.advanced.entryDialogMode, EntryKind::kGateway);
}

TEST_F(EntryDialogTest, ADialogClosedWhileItsConfirmLetsEventsThroughStillCommitsOnce) {
    window.添加按钮3.Click();
    TypeAddress(Dialog().DNS框, "114.114.114.114");
    // At the first event let through after the new item is in, the user turns to another
    // program: the dialog closes under its own confirm handler.
    loop.QueueUserAction([&] { desktop.ActivateElsewhere(); });
    Dialog().添加按钮.Click();
    EXPECT_FALSE(session.entryDialog);
    EXPECT_EQ(window.DNS列表框.Items(), (Items{"202.96.128.86", "8.8.8.8", "114.114.114.114"}));
    EXPECT_TRUE(window.编辑按钮3.Enabled());
}

TEST_F(EntryDialogTest, EditWhoseRowWentAwayChangesNothing) {
    window.超级列表框1.SelectByUser(1);
    window.编辑按钮1.Click();
    TypeAddress(Dialog().地址框, "172.16.0.9");
    TypeAddress(Dialog().掩码框, "255.255.0.0");
    window.超级列表框1.SetSelectedRow(-1);  // the program dropped the selection meanwhile
    Dialog().添加按钮.Click();
    EXPECT_EQ(RowsOf(window.超级列表框1),
              (Rows{{"192.168.1.5", "255.255.255.0"}, {"10.0.0.5", "255.0.0.0"}}));
    EXPECT_FALSE(session.entryDialog);
}

}  // namespace
}  // namespace netquill
