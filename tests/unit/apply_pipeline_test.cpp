// The apply pipeline from the click of 修改 to the rescan, against an in-memory registry that
// logs every change, a recording process runner, a fake clock and the scripted event loop.
#include "apply/apply_pipeline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "adapters/adapter_scan.h"
#include "apply/ipx_number.h"
#include "support/adapter_seed.h"
#include "support/test_program.h"
#include "ui/main_window_handlers.h"

namespace netquill {
namespace {

constexpr std::string_view kDeviceId = "PCI\\VEN_8086&DEV_100E&SUBSYS_001E8086";
const std::string kInterfaces =
    "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
const std::string kIpxNumber =
    "SYSTEM\\CurrentControlSet\\Services\\NwlnkIpx\\Parameters\\VirtualNetworkNumber";

using Stored = InterfaceSettings;

class ApplyTest : public ::testing::Test, protected TestProgram {
  protected:
    ApplyTest() {
        state.registryBasePaths = StandardRegistryBasePaths();
        BindMainWindowEvents(program);
        // A computer name to show, so that the scan leaves the name box filled.
        registry.WriteRegistryText(kNamePlaces[0], "PC");
    }

    // A running Ethernet adapter of the class key, as the system stores one.
    void AddAdapter(int index, const std::string& id, const Stored& stored,
                    std::string_view deviceId = kDeviceId) {
        AdapterSeed seed("Card " + id, id, index);
        seed.matchingDeviceId = deviceId;
        SeedAdapter(registry, seed);
        Store(id, stored);
    }

    void Store(const std::string& id, const Stored& s) {
        store.memory.DeleteKey(kInterfaces + id);
        WriteInterfaceSettings(registry, id, s);
    }

    Stored Read(const std::string& id) { return ReadInterfaceSettings(registry, id); }

    bool Exists(const std::string& id, std::string_view name) {
        return registry.RegistryValueExists(kInterfaces + id + "\\" + std::string(name));
    }

    // Scans as start-up does and forgets the changes made so far, so the log shows the apply's.
    void Scan() {
        ScanAdapters(program);
        store.log.clear();
    }

    void InstallIpx() {
        registry.WriteRegistryText("SYSTEM\\CurrentControlSet\\Services\\NwlnkIpx\\DisplayName",
                                   "NWLink IPX");
    }
};

const Stored kCardA =
    Manual({"192.168.16.5"}, {"255.255.255.0"}, {"192.168.16.254"}, {"0"}, "202.96.128.86");

TEST_F(ApplyTest, WritesEveryValueOnceInItsOrderAndRescans) {
    AddAdapter(0, "{A}", kCardA);
    InstallIpx();
    state.cafeConfigLoaded = true;
    Scan();
    window.地址框.SetAddress("192.168.16.10");
    window.掩码框.SetAddress("255.255.0.0");
    window.网关框.SetAddress("192.168.16.1");
    window.首选框.SetAddress("8.8.8.8");
    window.备用框.SetAddress("8.8.4.4");
    state.interfaceMetricText = "30";
    window.网络号框.SetText("1a");
    window.机器名框.SetText("pc-07");
    window.用户框2.SetText("player");
    window.密码框2.SetText("secret");

    window.修改按钮.Click();

    const std::string k = kInterfaces + "{A}\\";
    const Lines expectedLog = {
        "set " + k + "EnableDHCP",
        "set " + k + "IPAddress",
        "set " + k + "SubnetMask",
        "set " + k + "DefaultGateway",
        "set " + k + "DefaultGatewayMetric",
        "set " + k + "InterfaceMetric",
        "set " + k + "NameServer",
        "set " + kIpxNumber,
        "set " + kNamePlaces[0],
        "set " + kNamePlaces[1],
        "set " + kNamePlaces[2],
        "set " + kNamePlaces[3],
        "set " + kWinlogon + "AutoAdminLogon",
        "set " + kWinlogon + "DefaultUserName",
        "set " + kWinlogon + "DefaultPassword",
        "set " + kWinlogon + "DefaultDomainName",
        "set " + kWinlogon + "AltDefaultUserName",
        "set " + kWinlogon + "AltDefaultDomainName",
    };
    EXPECT_EQ(store.log, expectedLog);

    Stored expected =
        Manual({"192.168.16.10"}, {"255.255.0.0"}, {"192.168.16.1"}, {"0"}, "8.8.8.8,8.8.4.4");
    expected.interfaceMetric = "30";
    EXPECT_EQ(Read("{A}"), expected);
    EXPECT_EQ(store.memory.QueryValue(kInterfaces + "{A}", "IPAddress"),
              (RegistryValue{kRegMultiSz, std::string("192.168.16.10\0\0", 15)}));
    EXPECT_EQ(registry.ReadRegistryNumber(kIpxNumber), 26);
    for (const std::string& place : kNamePlaces) {
        EXPECT_EQ(registry.ReadRegistryText(place), "pc-07") << place;
    }
    EXPECT_EQ(registry.ReadRegistryText(kWinlogon + "DefaultPassword"), "secret");
    EXPECT_EQ(registry.ReadRegistryText(kWinlogon + "AltDefaultDomainName"), "pc-07");

    // The rescan shows what is stored and gives the buttons back.
    EXPECT_EQ(window.地址框.Address(), "192.168.16.10");
    EXPECT_EQ(window.首选框.Address(), "8.8.8.8");
    EXPECT_EQ(window.网络号框.Text(), "1A");
    EXPECT_EQ(window.提示标签.Caption(), "手动配置");
    EXPECT_TRUE(window.修改按钮.Enabled());
    EXPECT_TRUE(window.高级按钮.Enabled());
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(processes.Runs().size(), 4u);
}

TEST_F(ApplyTest, StatusLineGoesFromApplyingToDoneDuringTheWaitThenToTheScan) {
    AddAdapter(0, "{A}", kCardA);
    Scan();
    std::vector<std::string> seen;
    loop.QueueUserAction([&] { seen.push_back(window.提示标签.Caption()); });
    clock.onSleep = [&] { seen.push_back(window.提示标签.Caption()); };
    window.功能选择夹.SetCurrentPage(MainWindow::kCafePage);

    window.修改按钮.Click();

    ASSERT_EQ(seen.size(), 36u);  // the first pump, then 35 sleeps of 100 ms: 3.5 s
    EXPECT_EQ(seen.front(), "正在修改……");
    EXPECT_EQ(Lines(seen.begin() + 1, seen.end()), Lines(35, "修改完成……"));
    EXPECT_EQ(clock.Sleeps(), std::vector<std::uint32_t>(35, 100));
    EXPECT_EQ(window.提示标签.Caption(), "手动配置");
    EXPECT_EQ(window.功能选择夹.CurrentPage(), MainWindow::kLocalConnectionPage);
}

TEST_F(ApplyTest, CommandButtonsStayDisabledUntilTheRescan) {
    AddAdapter(0, "{A}", kCardA);
    Scan();
    std::vector<bool> enabledWhileWaiting;
    clock.onSleep = [&] {
        enabledWhileWaiting.push_back(window.刷新按钮.Enabled() || window.修改按钮.Enabled() ||
                                      window.网吧按钮.Enabled() || window.高级按钮.Enabled());
        EXPECT_TRUE(window.退出按钮.Enabled());
    };
    window.修改按钮.Click();
    EXPECT_EQ(enabledWhileWaiting, std::vector<bool>(35, false));
    EXPECT_TRUE(window.刷新按钮.Enabled());
}

TEST_F(ApplyTest, AddressModeFollowsWhetherAnyAddressIsLeft) {
    Stored dhcp;
    dhcp.enableDhcp = 1;
    dhcp.addresses = {"10.9.9.9"};  // an old manual address, kept while DHCP is on
    dhcp.masks = {"255.0.0.0"};
    dhcp.dhcpAddress = "172.16.0.9";
    dhcp.dhcpMask = "255.255.0.0";
    dhcp.dhcpGateways = {"172.16.0.1"};
    dhcp.metrics = {"0"};
    AddAdapter(0, "{A}", kCardA);
    AddAdapter(1, "{D}", dhcp);

    // Blanking the only address turns DHCP on and leaves the manual values where they are.
    Scan();
    window.地址框.SetAddress("");
    window.修改按钮.Click();
    Stored a = Read("{A}");
    EXPECT_EQ(a.enableDhcp, 1);
    EXPECT_EQ(a.addresses, kCardA.addresses);
    EXPECT_EQ(a.masks, kCardA.masks);
    EXPECT_EQ(store.log.front(), "set " + kInterfaces + "{A}\\EnableDHCP");
    EXPECT_EQ(std::ranges::count_if(store.log,
                                    [](const std::string& entry) {
                                        return entry.ends_with("IPAddress") ||
                                               entry.ends_with("SubnetMask");
                                    }),
              0);

    // A DHCP adapter applied unchanged: its leased values become manual ones.
    window.网卡选择框.SelectByUser(1);
    window.修改按钮.Click();
    Stored d = Read("{D}");
    EXPECT_EQ(d.enableDhcp, 0);
    EXPECT_EQ(d.addresses, Lines{"172.16.0.9"});
    EXPECT_EQ(d.masks, Lines{"255.255.0.0"});
    EXPECT_EQ(d.gateways, Lines{"172.16.0.1"});
    EXPECT_EQ(d.metrics, Lines{"0"});
    // The rescan shows the first adapter again, whichever was modified.
    EXPECT_EQ(state.selectedAdapter, 1);
    EXPECT_EQ(window.适配器标签.Caption(), "{A}");
}

TEST_F(ApplyTest, AddressesFromTheListsAreWrittenInListOrder) {
    AddAdapter(0, "{A}", Stored{});
    Scan();
    EXPECT_TRUE(state.addressList.empty());
    window.地址框.SetAddress("192.168.16.10");
    window.掩码框.SetAddress("255.255.255.0");
    window.修改按钮.Click();
    EXPECT_EQ(Read("{A}").enableDhcp, 0);
    EXPECT_EQ(Read("{A}").addresses, Lines{"192.168.16.10"});
    EXPECT_EQ(Read("{A}").masks, Lines{"255.255.255.0"});

    // A second address, as the advanced window adds one.
    state.addressList.push_back({"10.0.0.10", "255.0.0.0"});
    window.修改按钮.Click();
    EXPECT_EQ(Read("{A}").addresses, (Lines{"192.168.16.10", "10.0.0.10"}));
    EXPECT_EQ(Read("{A}").masks, (Lines{"255.255.255.0", "255.0.0.0"}));
}

TEST_F(ApplyTest, GatewaysAreRewrittenOrDeleted) {
    struct Case {
        std::string name;
        Lines gateways, metrics;
        std::string typed;
        std::optional<Lines> storedGateways;  // nothing: both values deleted
        Lines storedMetrics;
    };
    const Case cases[] = {
        {"blank field, one gateway", {"1.1.1.1"}, {"0"}, "", std::nullopt, {}},
        {"blank field, two gateways",
         {"1.1.1.1", "2.2.2.2"},
         {"0", "20"},
         "",
         Lines{"2.2.2.2"},
         {"20"}},
        {"typed for an adapter without", {}, {}, "10.0.0.1", Lines{"10.0.0.1"}, {"0"}},
        {"typed over one with metric 20",
         {"1.1.1.1"},
         {"20"},
         "10.0.0.1",
         Lines{"10.0.0.1"},
         {"20"}},
        {"typed over one with automatic metric",
         {"1.1.1.1"},
         {"0"},
         "10.0.0.1",
         Lines{"10.0.0.1"},
         {"0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Stored stored = kCardA;
        stored.gateways = c.gateways;
        stored.metrics = c.metrics;
        AddAdapter(0, "{A}", stored);
        Scan();
        window.网关框.SetAddress(c.typed);
        window.修改按钮.Click();
        EXPECT_EQ(Exists("{A}", "DefaultGateway"), c.storedGateways.has_value());
        EXPECT_EQ(Exists("{A}", "DefaultGatewayMetric"), c.storedGateways.has_value());
        EXPECT_EQ(Read("{A}").gateways, c.storedGateways.value_or(Lines{}));
        EXPECT_EQ(Read("{A}").metrics, c.storedMetrics);
    }
}

TEST_F(ApplyTest, NameServersFollowTheTwoFieldsAndKeepLaterServers) {
    struct Case {
        std::string stored;
        std::string preferred, alternate;
        std::string written;
    };
    const Case cases[] = {
        {"1.1.1.1,2.2.2.2,3.3.3.3", "4.4.4.4", "5.5.5.5", "4.4.4.4,5.5.5.5,3.3.3.3"},
        {"", "", "8.8.8.8", ",8.8.8.8"},
        {"1.1.1.1,2.2.2.2", "", "", ""},
        {"1.1.1.1,2.2.2.2,3.3.3.3", "1.1.1.1", "", "1.1.1.1,3.3.3.3"},
        {"", "9.9.9.9", "", "9.9.9.9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored + " / " + c.preferred + " / " + c.alternate);
        Stored stored = kCardA;
        stored.nameServers = c.stored;
        AddAdapter(0, "{A}", stored);
        Scan();
        window.首选框.SetAddress(c.preferred);
        window.备用框.SetAddress(c.alternate);
        window.修改按钮.Click();
        EXPECT_EQ(Read("{A}").nameServers, c.written);
        EXPECT_TRUE(Exists("{A}", "NameServer"));
    }
}

TEST_F(ApplyTest, InterfaceMetricIsStoredOrDeletedForAutomatic) {
    const std::pair<std::string, std::optional<std::int32_t>> cases[] = {
        {"", std::nullopt}, {"0", std::nullopt}, {"30", 30}, {"20.7", 20}, {"abc", std::nullopt}};
    for (const auto& [text, stored] : cases) {
        SCOPED_TRACE(text);
        Stored before = kCardA;
        before.interfaceMetric = "25";
        AddAdapter(0, "{A}", before);
        Scan();
        state.interfaceMetricText = text;
        window.修改按钮.Click();
        EXPECT_EQ(Exists("{A}", "InterfaceMetric"), stored.has_value());
        EXPECT_EQ(registry.ReadRegistryNumber(kInterfaces + "{A}\\InterfaceMetric"),
                  stored.value_or(0));
    }
}

TEST_F(ApplyTest, AutomaticLogonOnlyWhenTheTemplateWasLoaded) {
    AddAdapter(0, "{A}", kCardA);
    Scan();
    window.用户框2.SetText("player");
    window.密码框2.SetText("secret");
    window.机器名框.SetText("PC-01");
    state.cafeConfigLoaded = false;
    window.修改按钮.Click();
    for (const std::string& entry : store.log) {
        EXPECT_FALSE(entry.starts_with("set " + kWinlogon)) << entry;
    }

    state.cafeConfigLoaded = true;
    window.用户框2.SetText("");
    window.修改按钮.Click();
    const std::pair<std::string, std::string> expected[] = {
        {"AutoAdminLogon", "1"},       {"DefaultUserName", ""},
        {"DefaultPassword", "secret"}, {"DefaultDomainName", "PC-01"},
        {"AltDefaultUserName", ""},    {"AltDefaultDomainName", "PC-01"},
    };
    for (const auto& [name, text] : expected) {
        EXPECT_TRUE(registry.RegistryValueExists(kWinlogon + name)) << name;
        EXPECT_EQ(registry.ReadRegistryText(kWinlogon + name), text) << name;
    }
}

// Records each run together with how many registry changes came before it.
class TimedRunner final : public ProcessRunner {
  public:
    explicit TimedRunner(const ObservedRegistryStore& store) : store_(store) {}
    bool Run(std::string_view commandLine, ProcessWait wait) override {
        runs.push_back({std::string(commandLine), wait});
        changesBefore.push_back(store_.log.size());
        return true;
    }
    std::vector<RecordedRun> runs;
    std::vector<std::size_t> changesBefore;

  private:
    const ObservedRegistryStore& store_;
};

TEST_F(ApplyTest, RestartsTheAdapterOnShowAfterEveryWrite) {
    AddAdapter(0, "{A}", kCardA, "PCI\\VEN_10EC&DEV_8139&SUBSYS_813910EC&REV_10");
    Scan();
    TimedRunner runner(store);
    Program timed{state, window, registry, adapterInfo, loop, runner, files, clock, messages};
    ModifySelectedAdapter(timed);

    const std::vector<RecordedRun> expected = {
        {"cmd /c devcon disable =net pci*", ProcessWait::kUntilInputIdle},
        {"cmd /c devcon disable \"PCI\\VEN_10EC&DEV_8139&SUBSYS_813910EC&REV_10\"",
         ProcessWait::kUntilEnded},
        {"cmd /c devcon enable =net pci*", ProcessWait::kUntilInputIdle},
        {"cmd /c devcon enable \"PCI\\VEN_10EC&DEV_8139&SUBSYS_813910EC&REV_10\"",
         ProcessWait::kUntilEnded},
    };
    EXPECT_EQ(runner.runs, expected);
    ASSERT_FALSE(store.log.empty());
    EXPECT_EQ(runner.changesBefore, std::vector<std::size_t>(4, store.log.size()));
    EXPECT_TRUE(processes.Runs().empty());
}

TEST_F(ApplyTest, RunsThatCannotStartDoNotStopThePipeline) {
    AddAdapter(0, "{A}", kCardA);
    Scan();
    processes.SetStartable(false);
    window.地址框.SetAddress("192.168.16.77");
    window.修改按钮.Click();
    EXPECT_EQ(processes.Runs().size(), 4u);
    EXPECT_EQ(Read("{A}").addresses, Lines{"192.168.16.77"});
    EXPECT_EQ(window.地址框.Address(), "192.168.16.77");
    EXPECT_TRUE(window.修改按钮.Enabled());
}

// Without the right to write below HKEY_LOCAL_MACHINE: the user is told, nothing is lost.
TEST_F(ApplyTest, RefusedWritesAreReportedAndTheOldValuesStay) {
    Stored before = kCardA;
    before.interfaceMetric = "25";
    AddAdapter(0, "{A}", before);
    InstallIpx();
    registry.WriteRegistryNumber(kIpxNumber, std::int64_t{5});
    registry.WriteRegistryText(kNamePlaces[0], "OLD");
    state.cafeConfigLoaded = true;
    Scan();
    store.refuse = [](const std::string&) { return true; };
    window.地址框.SetAddress("192.168.16.10");
    window.网关框.SetAddress("");
    window.首选框.SetAddress("8.8.8.8");
    state.interfaceMetricText = "";
    window.网络号框.SetText("1F");
    window.机器名框.SetText("NEW");
    std::vector<std::string> captions;
    clock.onSleep = [&] { captions.push_back(window.提示标签.Caption()); };

    window.修改按钮.Click();

    ASSERT_EQ(messages.Shown().size(), 1u);
    const ShownMessage& shown = messages.Shown().front();
    EXPECT_EQ(shown.title, "修改失败");
    EXPECT_EQ(shown.icon, MessageIcon::kError);
    EXPECT_EQ(shown.text,
              "以下设置未能保存：\n"
              "地址获取方式 (EnableDHCP)\n"
              "IP 地址 (IPAddress)\n"
              "子网掩码 (SubnetMask)\n"
              "默认网关 (DefaultGateway)\n"
              "网关跃点数 (DefaultGatewayMetric)\n"
              "接口跃点数 (InterfaceMetric)\n"
              "DNS 服务器 (NameServer)\n"
              "IPX 网络号 (VirtualNetworkNumber)\n"
              "计算机名 (ComputerName, NV Hostname)\n"
              "自动登录 (Winlogon)");
    EXPECT_EQ(captions, Lines(35, "修改失败……"));
    EXPECT_EQ(Read("{A}"), before);
    EXPECT_EQ(registry.ReadRegistryNumber(kIpxNumber), 5);
    EXPECT_EQ(registry.ReadRegistryText(kNamePlaces[0]), "OLD");
    EXPECT_FALSE(registry.RegistryValueExists(kWinlogon + "AutoAdminLogon"));
    // The adapters are still restarted and the rescan shows what is stored.
    EXPECT_EQ(processes.Runs().size(), 4u);
    EXPECT_EQ(window.地址框.Address(), "192.168.16.5");
    EXPECT_EQ(window.机器名框.Text(), "OLD");
    EXPECT_EQ(window.网络号框.Text(), "5");
    EXPECT_EQ(window.提示标签.Caption(), "手动配置");
    EXPECT_TRUE(window.修改按钮.Enabled());
}

TEST_F(ApplyTest, OneRefusedValueIsNamedAndTheOthersAreStored) {
    AddAdapter(0, "{A}", kCardA);
    Scan();
    store.refuse = [](const std::string& path) { return path.ends_with("\\NameServer"); };
    window.首选框.SetAddress("8.8.8.8");
    window.地址框.SetAddress("192.168.16.10");
    window.修改按钮.Click();
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown().front().text, "以下设置未能保存：\nDNS 服务器 (NameServer)");
    EXPECT_EQ(Read("{A}").nameServers, "202.96.128.86");
    EXPECT_EQ(Read("{A}").addresses, Lines{"192.168.16.10"});
}

TEST_F(ApplyTest, EmptyComputerNameAndBadIpxNumberAreRefusedNotWritten) {
    AddAdapter(0, "{A}", kCardA);
    InstallIpx();
    registry.WriteRegistryNumber(kIpxNumber, std::int64_t{0x1234});
    for (const std::string& place : kNamePlaces) {
        registry.WriteRegistryText(place, "KEEP");
    }
    Scan();
    window.机器名框.SetText("");
    window.网络号框.SetText("12345G");
    window.地址框.SetAddress("192.168.16.10");
    std::vector<std::string> captions;
    clock.onSleep = [&] { captions.push_back(window.提示标签.Caption()); };

    window.修改按钮.Click();

    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown().front().text,
              "以下设置未能保存：\n"
              "IPX 网络号：须为 1 到 8 位十六进制数字\n"
              "计算机名：不能为空");
    EXPECT_EQ(captions.front(), "修改失败……");
    for (const std::string& place : kNamePlaces) {
        EXPECT_EQ(registry.ReadRegistryText(place), "KEEP") << place;
    }
    EXPECT_EQ(registry.ReadRegistryNumber(kIpxNumber), 0x1234);
    EXPECT_EQ(Read("{A}").addresses, Lines{"192.168.16.10"});  // the rest was applied
    EXPECT_EQ(window.机器名框.Text(), "KEEP");
    EXPECT_EQ(window.网络号框.Text(), "1234");
}

TEST_F(ApplyTest, IpxNumbersOfTheUpperHalfRoundTrip) {
    AddAdapter(0, "{A}", kCardA);
    InstallIpx();
    Scan();
    window.网络号框.SetText("80000001");
    window.修改按钮.Click();
    EXPECT_EQ(static_cast<std::uint32_t>(registry.ReadRegistryNumber(kIpxNumber)), 0x80000001u);
    EXPECT_EQ(window.网络号框.Text(), "80000001");
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(ApplyTest, WithoutAdapterTheWindowIsGivenBack) {
    Scan();  // nothing to find
    ASSERT_EQ(window.网卡选择框.Items(), Lines{"未发现网卡信息"});
    const std::string status = window.提示标签.Caption();
    window.功能选择夹.SetCurrentPage(MainWindow::kCafePage);

    window.修改按钮.Click();

    EXPECT_EQ(window.提示标签.Caption(), status);
    EXPECT_TRUE(window.刷新按钮.Enabled());
    EXPECT_TRUE(window.修改按钮.Enabled());
    EXPECT_TRUE(window.网吧按钮.Enabled());
    EXPECT_TRUE(window.高级按钮.Enabled());
    EXPECT_TRUE(store.log.empty());
    EXPECT_TRUE(processes.Runs().empty());
    EXPECT_TRUE(clock.Sleeps().empty());

    // Before any scan the combo box is empty: the same.
    TestProgram fresh;
    fresh.window.提示标签.SetCaption("x");
    ModifySelectedAdapter(fresh.program);
    EXPECT_EQ(fresh.window.提示标签.Caption(), "x");
    EXPECT_TRUE(fresh.window.修改按钮.Enabled());
    EXPECT_TRUE(fresh.store.log.empty());
}

TEST_F(ApplyTest, ApplySettingsWithoutAdapterOnlyRescans) {
    AddAdapter(0, "{A}", kCardA);
    Scan();
    state.selectedAdapter = 0;
    window.SetCommandButtonsDisabled(true);
    ApplySettings(program);
    EXPECT_TRUE(store.log.empty());
    EXPECT_TRUE(processes.Runs().empty());
    EXPECT_TRUE(window.修改按钮.Enabled());
    EXPECT_EQ(state.selectedAdapter, 1);
}

// A user who picks another adapter while the pipeline pumps events: whichever adapter's
// settings are written, they are written whole to that adapter, never mixed with the other's.
TEST_F(ApplyTest, AnotherSelectionAtAnyPumpPointNeverMixesTwoAdapters) {
    const Stored a = Manual({"10.0.0.1"}, {"255.0.0.0"}, {"10.0.0.254"}, {"0"}, "10.0.0.53");
    const Stored b =
        Manual({"172.16.0.1"}, {"255.255.0.0"}, {"172.16.0.254"}, {"0"}, "172.16.0.53");
    const Stored aEdited = Manual({"10.0.0.2"}, {"255.0.0.0"}, {"10.0.0.253"}, {"0"}, "10.0.0.54");
    AddAdapter(0, "{A}", a);
    AddAdapter(1, "{B}", b);
    const auto edit = [&] {
        Scan();
        window.地址框.SetAddress("10.0.0.2");
        window.网关框.SetAddress("10.0.0.253");
        window.首选框.SetAddress("10.0.0.54");
    };
    edit();
    const std::size_t start = loop.PumpCount();
    window.修改按钮.Click();
    const std::size_t pumps = loop.PumpCount() - start;
    ASSERT_EQ(Read("{A}"), aEdited);
    ASSERT_GT(pumps, 10u);

    for (std::size_t at = 1; at <= pumps; ++at) {
        SCOPED_TRACE(at);
        Store("{A}", a);
        Store("{B}", b);
        edit();
        loop.QueueUserActionAtPump(loop.PumpCount() + at,
                                   [&] { window.网卡选择框.SelectByUser(1); });
        window.修改按钮.Click();
        const Stored nowA = Read("{A}");
        EXPECT_TRUE(nowA == a || nowA == aEdited);
        EXPECT_EQ(Read("{B}"), b);
    }
}

TEST_F(ApplyTest, ExitAtAnyPumpPointEndsTheProgramThere) {
    AddAdapter(0, "{A}", kCardA);
    Scan();
    const std::size_t start = loop.PumpCount();
    window.修改按钮.Click();
    const std::size_t pumps = loop.PumpCount() - start;

    for (std::size_t at = 1; at <= pumps; ++at) {
        SCOPED_TRACE(at);
        Scan();
        const std::size_t from = loop.PumpCount();
        loop.QueueUserActionAtPump(from + at, [&] { window.退出按钮.Click(); });
        try {
            window.修改按钮.Click();
            ADD_FAILURE() << "the pipeline went on after the exit";
        } catch (const ProgramEnded& ended) {
            EXPECT_EQ(ended.exitCode, 0);
            EXPECT_EQ(loop.PumpCount(), from + at);
        }
    }
}

}  // namespace
}  // namespace netquill
