// The adapter scan, the hardware-address lookup and the selected-adapter view, against an
// in-memory registry, a fixed adapter list and the scripted event loop.
#include <gtest/gtest.h>

#include "adapters/adapter_scan.h"
#include "adapters/hardware_address.h"
#include "adapters/selected_adapter.h"
#include "support/adapter_seed.h"
#include "support/test_program.h"
#include "ui/main_window_handlers.h"

namespace netquill {
namespace {

using Settings = InterfaceSettings;

class DiscoveryTest : public ::testing::Test, protected TestProgram {
  protected:
    DiscoveryTest() {
        state.registryBasePaths = StandardRegistryBasePaths();
        BindMainWindowEvents(program);
    }

    std::string ClassKey(int index) {
        return state.registryBasePaths.classKey + AdapterSubkeyName(index);
    }

    void AddAdapter(int index, const std::string& description, const std::string& id,
                    const Settings& settings = {}, const std::string& lowerRange = "ethernet",
                    bool active = true) {
        AdapterSeed seed(description, id, index);
        seed.lowerRange = lowerRange;
        seed.active = active;
        seed.connectionName = "本地连接 " + std::to_string(index);
        SeedAdapter(registry, seed);
        WriteInterfaceSettings(registry, id, settings);
    }

    std::vector<std::string> ListedDescriptions() {
        std::vector<std::string> descriptions;
        for (const AdapterRecord& record : state.adapterTable) {
            descriptions.push_back(record.description);
        }
        return descriptions;
    }
};

TEST(AdapterSubkeyName, PadsToFourDigitsOnly) {
    EXPECT_EQ(AdapterSubkeyName(0), "0000");
    EXPECT_EQ(AdapterSubkeyName(7), "0007");
    EXPECT_EQ(AdapterSubkeyName(9999), "9999");
    EXPECT_EQ(AdapterSubkeyName(10000), "10000");
}

TEST_F(DiscoveryTest, ScanStopsAtFirstSubkeyWithoutUpperBind) {
    AddAdapter(0, "Card A", "{A}");
    AddAdapter(1, "Card B", "{B}");
    AddAdapter(3, "Card D", "{D}");
    ScanAdapters(program);
    EXPECT_EQ(ListedDescriptions(), (Lines{"Card A", "Card B"}));
    EXPECT_EQ(window.网卡选择框.Items(), (Lines{"Card A", "Card B"}));

    // Without UpperBind in 0000 nothing behind it is examined.
    registry.DeleteRegistryValue(ClassKey(0) + "\\Linkage\\UpperBind");
    ScanAdapters(program);
    EXPECT_TRUE(state.adapterTable.empty());
    EXPECT_EQ(window.网卡选择框.Items(), (Lines{std::string(kNoAdapterFound)}));
}

TEST_F(DiscoveryTest, ListsOnlyRunningAdaptersWhoseLowerRangeIsExactlyEthernet) {
    AddAdapter(0, "Capital", "{0}", {}, "Ethernet");
    AddAdapter(1, "List", "{1}", {}, "ethernet,wan");
    AddAdapter(2, "Listed", "{2}");
    AddAdapter(3, "Disabled", "{3}", {}, "ethernet", /*active=*/false);
    AddAdapter(4, "Wireless", "{4}", {}, "wlan");
    AddAdapter(5, "Also listed", "{5}");
    ScanAdapters(program);
    EXPECT_EQ(ListedDescriptions(), (Lines{"Listed", "Also listed"}));
}

TEST_F(DiscoveryTest, ReadsManualAndDhcpSettingsIntoRecords) {
    Settings manual;
    manual.addresses = {"192.168.16.5", "10.0.0.5"};
    manual.masks = {"255.255.255.0", "255.0.0.0"};
    manual.gateways = {"192.168.16.254"};
    manual.metrics = {"20"};
    manual.nameServers = "202.96.128.86,8.8.8.8";
    manual.interfaceMetric = "30";
    manual.dhcpAddress = "172.16.0.9";  // ignored for a manual adapter
    Settings dhcp;
    dhcp.enableDhcp = 1;
    dhcp.addresses = {"1.1.1.1"};  // ignored for a DHCP adapter
    dhcp.dhcpAddress = "172.16.0.9";
    dhcp.dhcpMask = "255.255.0.0";
    dhcp.dhcpGateways = {"172.16.0.1"};
    dhcp.metrics = {"0"};
    dhcp.dhcpNameServer = "172.16.0.1 172.16.0.2";
    Settings missingDhcpFlag = manual;
    missingDhcpFlag.enableDhcp = std::nullopt;
    Settings unknownMode = manual;
    unknownMode.enableDhcp = 2;

    AddAdapter(0, "Manual", "{M}", manual);
    AddAdapter(1, "Dhcp", "{D}", dhcp);
    AddAdapter(2, "NoFlag", "{N}", missingDhcpFlag);
    AddAdapter(3, "Unknown", "{U}", unknownMode);
    adapterInfo.Set({{"Manual", {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}}});
    ScanAdapters(program);
    ASSERT_EQ(state.adapterTable.size(), 4u);

    AdapterRecord expectedManual{"Manual",
                                 "{M}",
                                 "pci\\ven_8086&dev_100e",
                                 "本地连接 0",
                                 "00-1A-2B-3C-4D-5E",
                                 "30",
                                 "192.168.16.5\r\n10.0.0.5\r\n",
                                 "255.255.255.0\r\n255.0.0.0\r\n",
                                 "192.168.16.254\r\n",
                                 "20\r\n",
                                 "202.96.128.86,8.8.8.8",
                                 "手动配置"};
    EXPECT_EQ(state.adapterTable[0], expectedManual);

    const AdapterRecord& d = state.adapterTable[1];
    EXPECT_EQ(d.ipAddresses, "172.16.0.9");
    EXPECT_EQ(d.subnetMasks, "255.255.0.0");
    EXPECT_EQ(d.gateways, "172.16.0.1\r\n");
    EXPECT_EQ(d.gatewayMetrics, "0\r\n");
    EXPECT_EQ(d.nameServers, "172.16.0.1 172.16.0.2");
    EXPECT_EQ(d.interfaceMetric, "");
    EXPECT_EQ(d.configMode, "通过DHCP指派");
    EXPECT_EQ(d.macAddress, "");

    EXPECT_EQ(state.adapterTable[2].configMode, "手动配置");
    EXPECT_EQ(state.adapterTable[2].ipAddresses, expectedManual.ipAddresses);

    // Neither manual nor DHCP: a clean record, nothing left over from the adapter before.
    const AdapterRecord& u = state.adapterTable[3];
    EXPECT_EQ(u.description, "Unknown");
    EXPECT_EQ(u.ipAddresses + u.subnetMasks + u.gateways + u.gatewayMetrics + u.nameServers +
                  u.interfaceMetric + u.configMode,
              "");
}

TEST_F(DiscoveryTest, ScanShowsFirstAdapterAndRefreshesNameAndIpxFields) {
    Settings settings;
    settings.addresses = {"192.168.16.5"};
    settings.masks = {"255.255.255.0"};
    AddAdapter(0, "Card", "{C}", settings);
    registry.WriteRegistryText(
        "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName\\ComputerName", "PC-07");
    window.SetCommandButtonsDisabled(true);
    window.功能选择夹.SetCurrentPage(MainWindow::kCafePage);

    ScanAdapters(program);
    EXPECT_EQ(state.selectedAdapter, 1);
    EXPECT_EQ(window.网卡选择框.CurrentIndex(), 0);
    EXPECT_EQ(window.功能选择夹.CurrentPage(), MainWindow::kLocalConnectionPage);
    EXPECT_EQ(window.适配器标签.Caption(), "{C}");
    EXPECT_EQ(window.本地连接框.Caption(), "本地连接 0");
    EXPECT_EQ(window.提示标签.Caption(), "手动配置");
    EXPECT_EQ(window.地址框.Address(), "192.168.16.5");
    EXPECT_EQ(window.机器名框.Text(), "PC-07");
    EXPECT_EQ(window.网络号框.Text(), "未安装IPX协议");
    EXPECT_TRUE(window.修改按钮.Enabled());
    EXPECT_TRUE(window.刷新按钮.Enabled());
}

TEST_F(DiscoveryTest, NoAdapterLeavesViewAsItWas) {
    window.本地连接框.SetCaption("Before");
    window.功能选择夹.SetCurrentPage(MainWindow::kCafePage);
    window.SetCommandButtonsDisabled(true);
    ScanAdapters(program);
    EXPECT_EQ(state.selectedAdapter, 0);
    EXPECT_EQ(window.MAC信息框.Text(), "检测中……");
    EXPECT_EQ(window.提示标签.Caption(), "检测中……");
    EXPECT_EQ(window.本地连接框.Caption(), "Before");
    EXPECT_EQ(window.功能选择夹.CurrentPage(), MainWindow::kCafePage);
    EXPECT_TRUE(window.高级按钮.Enabled());

    // Choosing the lone "no adapter" item changes nothing either.
    window.网卡选择框.SelectByUser(0);
    EXPECT_EQ(window.功能选择夹.CurrentPage(), MainWindow::kCafePage);
    EXPECT_EQ(state.selectedAdapter, 0);
}

TEST_F(DiscoveryTest, RescanDropsAdapterThatWasDisabled) {
    AddAdapter(0, "First", "{1}");
    AddAdapter(1, "Second", "{2}");
    ScanAdapters(program);
    registry.WriteRegistryText(
        "SYSTEM\\CurrentControlSet\\Enum\\PCI\\DEV_{1}\\Control\\ActiveService", "");
    RefreshAdapters(program);
    EXPECT_EQ(ListedDescriptions(), (Lines{"Second"}));
    EXPECT_EQ(window.适配器标签.Caption(), "{2}");
}

TEST_F(DiscoveryTest, SelectionDuringScanIsHandledAtEveryPumpPoint) {
    AddAdapter(0, "A", "{A}");
    AddAdapter(1, "B", "{B}");
    AddAdapter(2, "C", "{C}");
    ScanAdapters(program);
    const std::size_t pumps = loop.PumpCount();
    ASSERT_GT(pumps, 6u);

    for (std::size_t at = 1; at <= pumps; ++at) {
        SCOPED_TRACE(at);
        const std::size_t start = loop.PumpCount();
        bool handled = false;
        loop.QueueUserActionAtPump(start + at, [&] {
            handled = true;
            ComboBox& combo = window.网卡选择框;
            ASSERT_EQ(static_cast<std::size_t>(combo.ItemCount()), state.adapterTable.size());
            if (combo.ItemCount() == 0) {
                return;
            }
            combo.SelectByUser(combo.ItemCount() - 1);
            // The pick shows the adapter it names, whatever the scan does meanwhile.
            ASSERT_EQ(state.selectedAdapter, combo.ItemCount());
            EXPECT_EQ(window.适配器标签.Caption(), state.adapterTable.back().instanceId);
        });
        ScanAdapters(program);
        EXPECT_TRUE(handled);
        EXPECT_EQ(window.网卡选择框.Items(), (Lines{"A", "B", "C"}));
        EXPECT_EQ(ListedDescriptions(), (Lines{"A", "B", "C"}));
        // A pick made while the scan shows its first adapter wins; an earlier one does not.
        ASSERT_EQ(state.selectedAdapter, window.网卡选择框.CurrentIndex() + 1);
        EXPECT_EQ(
            window.适配器标签.Caption(),
            state.adapterTable[static_cast<std::size_t>(state.selectedAdapter - 1)].instanceId);
    }
}

TEST_F(DiscoveryTest, ExitDuringScanEndsTheProgramAtOnce) {
    AddAdapter(0, "A", "{A}");
    AddAdapter(1, "B", "{B}");
    ScanAdapters(program);
    const std::size_t pumps = loop.PumpCount();

    for (std::size_t at = 1; at <= pumps; ++at) {
        SCOPED_TRACE(at);
        const std::size_t start = loop.PumpCount();
        loop.QueueUserActionAtPump(start + at, [&] { window.退出按钮.Click(); });
        try {
            ScanAdapters(program);
            ADD_FAILURE() << "the scan went on after the exit";
        } catch (const ProgramEnded& ended) {
            EXPECT_EQ(ended.exitCode, 0);
            EXPECT_EQ(loop.PumpCount(), start + at);  // nothing pumped after the click
        }
    }
}

TEST(MatchName, CutsSchedulerSuffixAndTrimsBothBlanks) {
    const std::pair<std::string, std::string> cases[] = {
        {"Realtek RTL8139 - 数据包计划程序微型端口", "Realtek RTL8139"},
        {"Realtek RTL8139 - 数据包计划程序微型端口 - more", "Realtek RTL8139"},
        {"  Realtek RTL8139  ", "Realtek RTL8139"},
        {"\xA1\xA1Realtek\xA1\xA1 ", "Realtek"},
        {"\tRealtek", "\tRealtek"},  // a tab is no blank
        {"- 数据包计划程序微型端口", ""},
        {"", ""},
        // "扳" is B0 E2: its trail byte is no blank; "\xB0\xA1\xA1" ends in a whole character
        // A1 whose lead is B0, so it is not an ideographic space.
        {"\xB0\xA1\xA1\xA1", "\xB0\xA1"},
    };
    for (const auto& [description, matchName] : cases) {
        EXPECT_EQ(MatchName(description), matchName) << description;
    }
}

TEST_F(DiscoveryTest, MacLookupTakesFirstMatchByExactDescription) {
    adapterInfo.Set({
        {"Intel PRO/1000 - 数据包计划程序微型端口", {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}},
        {"Intel PRO/1000", {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}},
        {" Other card ", {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08}},
    });
    const std::pair<std::string, std::string> cases[] = {
        {"Intel PRO/1000", "00-1A-2B-3C-4D-5E"},
        {"Other card", "01-02-03-04-05-06"},
        {"Other card ", ""},     // only the system side is trimmed
        {"intel pro/1000", ""},  // letter case counts
        {"Missing", ""},
    };
    const std::vector<HardwareAddressPair> pairs = ListHardwareAddresses(adapterInfo, loop);
    for (const auto& [description, address] : cases) {
        AdapterRecord record;
        record.description = description;
        EXPECT_EQ(LookUpMacAddress(pairs, record), address) << description;
    }
    AdapterRecord record;
    record.description = "Intel PRO/1000";
    EXPECT_EQ(LookUpMacAddress({}, record), "");
}

TEST_F(DiscoveryTest, TwoAdaptersWithOneDescriptionBothGetFirstAddress) {
    AddAdapter(0, "Same", "{1}");
    AddAdapter(1, "Same", "{2}");
    adapterInfo.Set({{"Same", {1, 1, 1, 1, 1, 1}}, {"Same", {2, 2, 2, 2, 2, 2}}});
    ScanAdapters(program);
    ASSERT_EQ(state.adapterTable.size(), 2u);
    EXPECT_EQ(state.adapterTable[0].macAddress, "01-01-01-01-01-01");
    EXPECT_EQ(state.adapterTable[1].macAddress, "01-01-01-01-01-01");
}

class LoadSettingsTest : public DiscoveryTest {
  protected:
    void Load(const AdapterRecord& record) {
        state.adapterTable = {record};
        LoadAdapterSettings(program, 1);
    }
};

TEST_F(LoadSettingsTest, PairsAddressesWithMasksAndGatewaysWithMetrics) {
    AdapterRecord record;
    record.ipAddresses = "192.168.16.5\r\n10.0.0.5\r\n172.16.0.5\r\n";
    record.subnetMasks = "255.255.255.0\r\n255.0.0.0\r\n";  // one short: empty mask
    record.gateways = "1.1.1.1\r\n2.2.2.2\r\n3.3.3.3\r\n4.4.4.4\r\n5.5.5.5\r\n";
    record.gatewayMetrics = "0\r\n\r\nabc\r\n020\r\n";  // the fifth has none
    Load(record);
    EXPECT_EQ(state.addressList, (std::vector<AddressEntry>{{"192.168.16.5", "255.255.255.0"},
                                                            {"10.0.0.5", "255.0.0.0"},
                                                            {"172.16.0.5", ""}}));
    EXPECT_EQ(state.gatewayList, (std::vector<GatewayEntry>{{"1.1.1.1", "0"},
                                                            {"2.2.2.2", "0"},
                                                            {"3.3.3.3", "0"},
                                                            {"4.4.4.4", "020"},
                                                            {"5.5.5.5", "0"}}));
    EXPECT_EQ(window.地址框.Address(), "192.168.16.5");
    EXPECT_EQ(window.掩码框.Address(), "255.255.255.0");
    EXPECT_EQ(window.网关框.Address(), "1.1.1.1");

    record.subnetMasks = "255.255.255.0\r\n255.0.0.0\r\n255.255.0.0\r\n0.0.0.0\r\n";
    Load(record);
    ASSERT_EQ(state.addressList.size(), 3u);  // extra masks are ignored
    EXPECT_EQ(state.addressList[2].mask, "255.255.0.0");
}

TEST_F(LoadSettingsTest, SplitsNameServersAtCommas) {
    struct Case {
        std::string nameServers;
        Lines dnsList;
        std::string preferred;
        std::string alternate;
    };
    const Case cases[] = {
        {"1.1.1.1,2.2.2.2,3.3.3.3", {"1.1.1.1", "2.2.2.2", "3.3.3.3"}, "1.1.1.1", "2.2.2.2"},
        {"1.1.1.1,,3.3.3.3", {"1.1.1.1", "", "3.3.3.3"}, "1.1.1.1", ""},
        {"1.1.1.1,", {"1.1.1.1"}, "1.1.1.1", ""},
        {"", {}, "", ""},
        // Blank-separated servers are one item; the field reads its text as far as it can.
        {"9.9.9.9 8.8.8.8", {"9.9.9.9 8.8.8.8"}, "9.9.9.9", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nameServers);
        window.首选框.SetAddress("5.5.5.5");
        window.备用框.SetAddress("5.5.5.5");
        AdapterRecord record;
        record.nameServers = c.nameServers;
        Load(record);
        EXPECT_EQ(state.dnsList, c.dnsList);
        EXPECT_EQ(window.首选框.Address(), c.preferred);
        EXPECT_EQ(window.备用框.Address(), c.alternate);
    }
}

TEST_F(LoadSettingsTest, AdapterWithoutAddressesBlanksTheFields) {
    window.地址框.SetAddress("1.2.3.4");
    window.掩码框.SetAddress("255.0.0.0");
    window.网关框.SetAddress("1.2.3.254");
    Load(AdapterRecord{});
    EXPECT_TRUE(state.addressList.empty());
    EXPECT_TRUE(window.地址框.IsBlank());
    EXPECT_TRUE(window.掩码框.IsBlank());
    EXPECT_TRUE(window.网关框.IsBlank());
}

}  // namespace
}  // namespace netquill
