// netquill.exe end to end in the advanced settings window and its entry dialog.
#include <gtest/gtest.h>

#include "advanced/validation.h"
#include "e2e/netquill_fixture.h"
#include "ui/advanced_window.h"

namespace netquill {
namespace {

TEST_F(AdvancedSettingsTest, EntriesMadeThereReachTheRegistryOnModify) {
    SetCursorPos(0, 0);  // away from the windows: no control shows hot in the screenshots
    Pick(2);             // one address, one gateway, one DNS server
    Click(Control("高级按钮"));
    advanced = WaitForWindow("高级 TCP/IP 设置");
    ASSERT_NE(advanced, nullptr);
    EXPECT_FALSE(IsWindowEnabled(window)) << "modal over the main window";
    EXPECT_EQ(AddressRows(), (Rows{{"172.16.8.20", "255.255.0.0"}}));
    EXPECT_EQ(GatewayRows(), (Rows{{"172.16.0.1", "自动"}}));
    std::vector<std::string> titles;
    for (const auto& [title, width] : ListViewColumns(Advanced("超级列表框2"), process.hProcess)) {
        titles.push_back(title);
    }
    EXPECT_EQ(titles, (Items{"网关", "跃点数"}));
    EXPECT_EQ(SendMessageW(Advanced("跃点选择框"), BM_GETCHECK, 0, 0), BST_CHECKED);

    // A second address.
    ASSERT_NO_FATAL_FAILURE(OpenEntryDialog("添加按钮1", "TCP/IP 地址"));
    EXPECT_EQ(IpAddressOf(Entry("地址框"), process.hProcess), "");
    SetAddress(Entry("地址框"), 172, 16, 9, 30);
    SetAddress(Entry("掩码框"), 255, 255, 255, 0);
    Screenshot(L"entry-address.bmp", entry);
    Click(Entry("添加按钮"));
    EXPECT_TRUE(WaitFor([&] { return Gone(entry); }));
    EXPECT_TRUE(WaitFor([&] { return AddressRows().size() == 2; }));
    EXPECT_EQ(AddressRows(),
              (Rows{{"172.16.8.20", "255.255.0.0"}, {"172.16.9.30", "255.255.255.0"}}));

    // A gateway with metric 20: the confirm button waits for a metric once automatic is off.
    ASSERT_NO_FATAL_FAILURE(OpenEntryDialog("添加按钮2", "TCP/IP 网关地址"));
    EXPECT_EQ(SendMessageW(Entry("自动框"), BM_GETCHECK, 0, 0), BST_CHECKED);
    SetAddress(Entry("网关框"), 172, 16, 0, 254);
    Click(Entry("自动框"));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowEnabled(Entry("添加按钮")); }));
    EXPECT_TRUE(IsWindowEnabled(Entry("跃点框")));
    TypeText(Entry("跃点框"), "20");
    EXPECT_TRUE(IsWindowEnabled(Entry("添加按钮")));
    Screenshot(L"entry-gateway.bmp", entry);
    Click(Entry("添加按钮"));
    EXPECT_TRUE(WaitFor([&] { return Gone(entry); }));
    EXPECT_TRUE(WaitFor([&] { return GatewayRows().size() == 2; }));
    EXPECT_EQ(GatewayRows(), (Rows{{"172.16.0.1", "自动"}, {"172.16.0.254", "20"}}));

    // A loopback gateway is refused with the system's message box, and changes nothing.
    ASSERT_NO_FATAL_FAILURE(OpenEntryDialog("添加按钮2", "TCP/IP 网关地址"));
    SetAddress(Entry("网关框"), 127, 0, 0, 1);
    Click(Entry("添加按钮"));
    EXPECT_EQ(CloseMessageBox(process.dwProcessId, L"错误"), kAddressLoopback);
    EXPECT_TRUE(WaitFor([&] { return Gone(entry); })) << "the message box took the activation";
    EXPECT_EQ(GatewayRows(), (Rows{{"172.16.0.1", "自动"}, {"172.16.0.254", "20"}}));
    EXPECT_TRUE(WaitFor([&] {
        GUITHREADINFO active{};
        active.cbSize = sizeof active;
        return GetGUIThreadInfo(process.dwThreadId, &active) && active.hwndActive == advanced;
    })) << "the advanced window takes the activation back";
    Screenshot(L"advanced-ip.bmp", advanced);

    // The DNS page: a second server, moved up to be the first.
    ClickTab(Advanced("功能选择夹"), AdvancedWindow::kDnsPage, process.hProcess);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(Advanced("DNS列表框")); }));
    EXPECT_FALSE(IsWindowVisible(Advanced("超级列表框1")));
    EXPECT_EQ(DnsServers(), (Items{"172.16.0.2"}));
    ASSERT_NO_FATAL_FAILURE(OpenEntryDialog("添加按钮3", "TCP/IP DNS 服务器"));
    SetAddress(Entry("DNS框"), 202, 96, 128, 86);
    Screenshot(L"entry-dns.bmp", entry);
    Click(Entry("添加按钮"));
    EXPECT_TRUE(WaitFor([&] { return Gone(entry); }));
    EXPECT_TRUE(WaitFor([&] { return DnsServers().size() == 2; }));
    EXPECT_EQ(DnsServers(), (Items{"172.16.0.2", "202.96.128.86"}));

    const HWND servers = Advanced("DNS列表框");
    SendMessageW(servers, LB_SETCURSEL, 1, 0);
    SendMessageW(advanced, WM_COMMAND,
                 MAKEWPARAM(ControlIdOf(kAdvancedWindowLayout, "DNS列表框"), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(servers));
    EXPECT_TRUE(IsWindowEnabled(Advanced("向上按钮")));
    EXPECT_FALSE(IsWindowEnabled(Advanced("向下按钮")));
    SendMessageW(Advanced("向上按钮"), BM_CLICK, 0, 0);
    EXPECT_EQ(DnsServers(), (Items{"202.96.128.86", "172.16.0.2"}));
    EXPECT_EQ(SendMessageW(servers, LB_GETCURSEL, 0, 0), 0);
    EXPECT_FALSE(IsWindowEnabled(Advanced("向上按钮")));
    EXPECT_TRUE(IsWindowEnabled(Advanced("向下按钮")));
    Screenshot(L"advanced-dns.bmp", advanced);

    // OK hands the lists to the main window; 修改 writes them.
    Click(Advanced("确定按钮"));
    EXPECT_TRUE(WaitFor([&] { return Gone(advanced); }));
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(window) != FALSE; }));
    EXPECT_EQ(Address("地址框"), "172.16.8.20");
    EXPECT_EQ(Address("网关框"), "172.16.0.1");
    EXPECT_EQ(Address("首选框"), "202.96.128.86");
    EXPECT_EQ(Address("备用框"), "172.16.0.2");

    Click(Control("修改按钮"));
    EXPECT_TRUE(WaitFor([&] { return StoredTextOf(Control("提示标签")) == "修改完成……"; }));
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(Control("修改按钮")) != FALSE; }));
    using namespace std::string_literals;
    const std::string key = seeded.Interface(2);
    const std::pair<const char*, RegistryValue> expected[] = {
        {"IPAddress", {kRegMultiSz, "172.16.8.20\0"s + "172.16.9.30\0\0"s}},
        {"SubnetMask", {kRegMultiSz, "255.255.0.0\0"s + "255.255.255.0\0\0"s}},
        {"DefaultGateway", {kRegMultiSz, "172.16.0.1\0"s + "172.16.0.254\0\0"s}},
        {"DefaultGatewayMetric", {kRegMultiSz, "0\0"s + "20\0\0"s}},
        {"NameServer", {kRegSz, "202.96.128.86,172.16.0.2\0"s}},
    };
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(seeded.store.QueryValue(key, name), value) << name;
    }
}

TEST_F(AdvancedSettingsTest, WithoutAddressesTheDnsPageIsRefusedAndEscapeDropsEverything) {
    SetCursorPos(0, 0);
    Pick(2);
    Click(Control("高级按钮"));
    advanced = WaitForWindow("高级 TCP/IP 设置");
    ASSERT_NE(advanced, nullptr);

    // The only address goes; its add button offers it back.
    SelectListViewRow(Advanced("超级列表框1"), 0, process.hProcess);
    Click(Advanced("删除按钮1"));
    EXPECT_TRUE(WaitFor([&] { return AddressRows().empty(); }));
    EXPECT_FALSE(IsWindowEnabled(Advanced("编辑按钮1")));
    EXPECT_FALSE(IsWindowEnabled(Advanced("删除按钮1")));
    ASSERT_NO_FATAL_FAILURE(OpenEntryDialog("添加按钮1", "TCP/IP 地址"));
    EXPECT_EQ(IpAddressOf(Entry("地址框"), process.hProcess), "172.16.8.20");
    EXPECT_EQ(IpAddressOf(Entry("掩码框"), process.hProcess), "255.255.0.0");
    Click(Entry("取消按钮"));
    EXPECT_TRUE(WaitFor([&] { return Gone(entry); }));

    // The DNS page needs an address: refused with the message, back on the IP settings page.
    const HWND pages = Advanced("功能选择夹");
    ClickTab(pages, AdvancedWindow::kDnsPage, process.hProcess);
    EXPECT_EQ(CloseMessageBox(process.dwProcessId, L"Microsoft TCP/IP"), kNoIpAddressText);
    EXPECT_TRUE(WaitFor([&] { return SendMessageW(pages, TCM_GETCURSEL, 0, 0) == 0; }));
    EXPECT_TRUE(IsWindowVisible(Advanced("超级列表框1")));
    EXPECT_FALSE(IsWindowVisible(Advanced("DNS列表框")));

    // Escape closes the window and stores nothing.
    PostMessageW(Advanced("添加按钮1"), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(WaitFor([&] { return Gone(advanced); }));
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(window) != FALSE; }));
    EXPECT_EQ(Address("地址框"), "172.16.8.20");
    EXPECT_EQ(Address("掩码框"), "255.255.0.0");
}

}  // namespace
}  // namespace netquill
