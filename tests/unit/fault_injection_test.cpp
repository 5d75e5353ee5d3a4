// Faults injected through the ports while the user works the program: a registry that refuses
// writes (all of them, from some write on, or only one), a system directory or program directory
// that cannot be written, an adapter query that gives nothing, processes that cannot be started.
// Each run is measured against the same run on a machine without the fault: the program goes on
// working, tells the user what did not happen, keeps every value and file it did not mean to
// change, and once the fault is gone the same action gives what it gives without one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "advanced/open_advanced_window.h"
#include "support/adapter_seed.h"
#include "support/registry_values.h"
#include "support/scripted_desktop.h"
#include "support/test_program.h"
#include "ui/advanced_window.h"
#include "ui/main_window_handlers.h"
#include "ui/startup.h"

namespace netquill {
namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string kId = "{3F1C7B2E-5A9D-4C60-8E14-B7D2A90C6F35}";
const Bytes kImage = {'M', 'Z', 0x90, 0x00, 0x03};
const std::string kToolPath = "C:\\windows\\system32\\devcon.exe";
const std::string kTemplatePath = "C:\\netquill\\ipset.ini";
const std::string kTemplate =
    "; 网吧模板\r\n[配置]\r\n机器=User\r\n地址=192.168.16.\r\n掩码=255.255.255.0\r\n"
    "网关=192.168.16.254\r\n用户=China\r\n密码=pw\r\n首选=114.114.114.114\r\n"
    "备用=114.114.115.115\r\n增位=假\r\n\r\n[其他]\r\n键=值\r\n";
const std::string kIpxPath = "SYSTEM\\CurrentControlSet\\Services\\NwlnkIpx\\";

constexpr std::string_view kNotRestarted =
    "网卡未能重新启用：无法放置或运行 devcon.exe。已保存的设置要在网卡重新启用或计算机重新启动后"
    "才生效。";

// What the main window shows the user after an action.
struct View {
    Lines adapters;
    std::string mac, status, address, gateway, preferredDns, name, ipx;
    int page = 0;
    bool commandsEnabled = false;

    friend bool operator==(const View&, const View&) = default;
    friend void PrintTo(const View& v, std::ostream* out) {
        *out << "adapters " << ::testing::PrintToString(v.adapters) << " mac " << v.mac
             << " status " << v.status << " address " << v.address << " gateway " << v.gateway
             << " dns " << v.preferredDns << " name " << v.name << " ipx " << v.ipx << " page "
             << v.page << (v.commandsEnabled ? " enabled" : " disabled");
    }
};

// One machine with everything the faults touch: an adapter the system also lists with its
// hardware address, IPX, a computer name, an automatic logon, the café template file, and the
// device console tool the program carries. Message boxes go to the desktop, which also runs the
// advanced window.
struct Machine {
    Machine() {
        RegistryAccess& registry = parts.registry;
        AdapterSeed adapter("Card A", kId);
        adapter.connectionName = "本地连接";
        SeedAdapter(registry, adapter);
        InterfaceSettings settings = Manual({"192.168.16.5"}, {"255.255.255.0"}, {"192.168.16.254"},
                                            {"0"}, "202.96.128.86,8.8.8.8");
        settings.interfaceMetric = "25";
        WriteInterfaceSettings(registry, kId, settings);
        registry.WriteRegistryText(kIpxPath + "DisplayName", "NWLink IPX");
        registry.WriteRegistryNumber(kIpxPath + "Parameters\\VirtualNetworkNumber",
                                     std::int64_t{5});
        for (const std::string& place : kNamePlaces) {
            registry.WriteRegistryText(place, "OLD");
        }
        for (const char* name : {"DefaultUserName", "AltDefaultUserName"}) {
            registry.WriteRegistryText(kWinlogon + name, "admin");
        }
        for (const char* name : {"DefaultDomainName", "AltDefaultDomainName"}) {
            registry.WriteRegistryText(kWinlogon + name, "OLD");
        }
        registry.WriteRegistryText(kWinlogon + "AutoAdminLogon", "0");
        registry.WriteRegistryText(kWinlogon + "DefaultPassword", "old");
        parts.adapterInfo.Set({{"Card A", {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}}});
        parts.files.WriteWholeFile(kTemplatePath, AsBytes(kTemplate));
        BindMainWindowEvents(program);
        BindAdvancedButton(program, desktop);
    }

    void Start() { RunStartup(program, StandardStartupSteps()); }

    static Bytes AsBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

    RegistryValues Registry() const { return AllRegistryValues(parts.store.memory); }
    std::optional<Bytes> Template() const { return parts.files.ReadWholeFile(kTemplatePath); }
    bool ToolPlaced() const { return parts.files.ReadWholeFile(kToolPath) == kImage; }

    View Shown() const {
        const MainWindow& w = parts.window;
        return {w.网卡选择框.Items(),
                w.MAC信息框.Text(),
                w.提示标签.Caption(),
                w.地址框.Address(),
                w.网关框.Address(),
                w.首选框.Address(),
                w.机器名框.Text(),
                w.网络号框.Text(),
                w.功能选择夹.CurrentPage(),
                w.修改按钮.Enabled() && w.刷新按钮.Enabled() && w.网吧按钮.Enabled() &&
                    w.高级按钮.Enabled()};
    }

    // The messages shown from `first` on.
    std::vector<ShownMessage> MessagesFrom(std::size_t first) const {
        const std::vector<ShownMessage>& all = desktop.Messages();
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min(first, all.size())), all.end()};
    }

    TestProgram parts;
    ScriptedDesktop desktop{parts.loop};
    Program program{parts.state,     parts.window, parts.registry, parts.adapterInfo, parts.loop,
                    parts.processes, parts.files,  parts.clock,    desktop,           kImage};
};

// What the user does. Every action sets what it types afresh, so it can be repeated as it is.
struct Action {
    std::string_view name;
    void (*run)(Machine&);
};

void Modify(Machine& m) {
    MainWindow& w = m.parts.window;
    w.地址框.SetAddress("192.168.16.10");
    w.掩码框.SetAddress("255.255.0.0");
    w.网关框.SetAddress("192.168.16.1");
    w.首选框.SetAddress("8.8.4.4");
    w.机器名框.SetText("NEW");
    w.网络号框.SetText("1F");
    w.修改按钮.Click();
}

// In the advanced window: interface metric 30, and 8.8.8.8 moved up to be the first DNS server;
// OK, then 修改.
void AdvancedThenModify(Machine& m) {
    m.desktop.onModalShown = [&m](DialogWindow& shown) {
        m.parts.loop.QueueUserAction([&shown] {
            auto& w = static_cast<AdvancedWindow&>(shown);
            w.跃点框.TypeText("\b\b\b\b30");
            w.功能选择夹.SelectPageByUser(AdvancedWindow::kDnsPage);
            const auto found = std::ranges::find(w.DNS列表框.Items(), "8.8.8.8");
            if (found != w.DNS列表框.Items().begin()) {
                w.DNS列表框.SelectByUser(static_cast<int>(found - w.DNS列表框.Items().begin()));
                w.向上按钮.Click();
            }
            w.确定按钮.Click();
        });
    };
    m.parts.window.高级按钮.Click();
    m.parts.window.修改按钮.Click();
}

// Machine number 07 on the café page, applied with the template.
void ApplyCafe(Machine& m) {
    MainWindow& w = m.parts.window;
    w.网吧按钮.Click();
    w.机器数框.SetText("07");
    w.网吧按钮.Click();
}

void SaveTemplate(Machine& m) {
    MainWindow& w = m.parts.window;
    if (w.功能选择夹.CurrentPage() != MainWindow::kCafePage) {
        w.网吧按钮.Click();
    }
    w.机器名框2.SetText("Bar");
    w.保存按钮.Click();
}

void Refresh(Machine& m) {
    m.parts.window.刷新按钮.Click();
}

constexpr Action kModify{"modify", Modify};
constexpr Action kAdvancedThenModify{"advanced OK, modify", AdvancedThenModify};
constexpr Action kApplyCafe{"cafe apply", ApplyCafe};
constexpr Action kSaveTemplate{"save template", SaveTemplate};
constexpr Action kRefresh{"refresh", Refresh};

struct Fault {
    std::string_view name;
    bool fromStart;  // already there when the program starts, else injected after start-up
    void (*inject)(Machine&);
    void (*clear)(Machine&);
};

constexpr Fault kRegistryRefuses{
    "registry refuses every write", false,
    [](Machine& m) { m.parts.store.refuse = [](const std::string&) { return true; }; },
    [](Machine& m) { m.parts.store.refuse = nullptr; }};
// The tool is placed at start-up only, so this fault is gone once the program starts again.
constexpr Fault kSystemDirectoryUnwritable{"system directory unwritable from the start", true,
                                           [](Machine& m) { m.parts.files.SetWritable(false); },
                                           [](Machine& m) {
                                               m.parts.files.SetWritable(true);
                                               m.Start();
                                           }};
constexpr Fault kFilesUnwritable{"files unwritable after start-up", false,
                                 [](Machine& m) { m.parts.files.SetWritable(false); },
                                 [](Machine& m) { m.parts.files.SetWritable(true); }};
constexpr Fault kAdapterQueryFails{
    "adapter query gives nothing", false, [](Machine& m) { m.parts.adapterInfo.Set({}); },
    [](Machine& m) {
        m.parts.adapterInfo.Set({{"Card A", {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}}});
    }};
constexpr Fault kProcessesCannotStart{"processes cannot be started", false,
                                      [](Machine& m) { m.parts.processes.SetStartable(false); },
                                      [](Machine& m) { m.parts.processes.SetStartable(true); }};

const ShownMessage kNotRestartedBox{"修改失败", std::string(kNotRestarted), MessageIcon::kError};

// The status line when the settling wait after the restart begins, or nothing without one.
std::optional<std::string> StatusWhileSettling(Machine& m, const Action& action) {
    std::optional<std::string> status;
    m.parts.clock.onSleep = [&] {
        if (!status) {
            status = m.parts.window.提示标签.Caption();
        }
    };
    EXPECT_NO_THROW(action.run(m));
    m.parts.clock.onSleep = nullptr;
    return status;
}

struct Outcome {
    RegistryValues registry;
    std::optional<Bytes> templateFile;
    bool toolPlaced = false;
    View view;
    std::vector<ShownMessage> messages;
    std::vector<RecordedRun> runs;
    std::optional<std::string> settling;
};

// The action on a machine without any fault.
Outcome WithoutFault(const Action& action) {
    Machine m;
    m.Start();
    const std::size_t runsBefore = m.parts.processes.Runs().size();
    Outcome o;
    o.settling = StatusWhileSettling(m, action);
    o.registry = m.Registry();
    o.templateFile = m.Template();
    o.toolPlaced = m.ToolPlaced();
    o.view = m.Shown();
    o.messages = m.MessagesFrom(0);
    o.runs.assign(m.parts.processes.Runs().begin() + static_cast<std::ptrdiff_t>(runsBefore),
                  m.parts.processes.Runs().end());
    return o;
}

// After the fault is gone the same action gives what it gives on a machine that never had it.
void ExpectRecovery(Machine& m, const Fault& fault, const Action& action, const Outcome& clean) {
    SCOPED_TRACE("after the fault is cleared");
    fault.clear(m);
    const std::size_t shownBefore = m.desktop.Messages().size();
    const std::size_t runsBefore = m.parts.processes.Runs().size();
    EXPECT_EQ(StatusWhileSettling(m, action), clean.settling);
    EXPECT_EQ(m.MessagesFrom(shownBefore), clean.messages);
    EXPECT_EQ(m.Registry(), clean.registry);
    EXPECT_EQ(m.Template(), clean.templateFile);
    EXPECT_EQ(m.ToolPlaced(), clean.toolPlaced);
    EXPECT_EQ(m.Shown(), clean.view);
    const std::vector<RecordedRun> runs(
        m.parts.processes.Runs().begin() + static_cast<std::ptrdiff_t>(runsBefore),
        m.parts.processes.Runs().end());
    EXPECT_EQ(runs, clean.runs);
}

TEST(FaultInjection, EachFaultIsReportedWhereItMattersAndLosesNothing) {
    struct Case {
        const Fault& fault;
        const Action& action;
        std::vector<ShownMessage> messages = {};  // under the fault
        std::optional<std::string> settling = std::nullopt;
        bool templateSaved = false;  // else the file stays as it was, byte for byte
        bool toolPlaced = true;
        bool macShown = true;        // else the hardware address field is blank
        bool cafePageStays = false;  // else the page is the one shown without the fault
    };
    const ShownMessage saved{"提示", "配置信息保存完毕！", MessageIcon::kInformation};
    const ShownMessage saveFailed{"提示",
                                  "配置信息保存失败！\n无法写入文件：C:\\netquill\\ipset.ini\n"
                                  "原有的配置文件没有改动。",
                                  MessageIcon::kError};
    const Case cases[] = {
        // Neither saving the template nor a scan goes through the registry.
        {.fault = kRegistryRefuses,
         .action = kSaveTemplate,
         .messages = {saved},
         .templateSaved = true},
        {.fault = kRegistryRefuses, .action = kRefresh},
        // The tool could not be placed at start-up: the settings are stored, but the adapters
        // keep their old ones, and the user must know.
        {.fault = kSystemDirectoryUnwritable,
         .action = kModify,
         .messages = {kNotRestartedBox},
         .settling = "修改失败……",
         .toolPlaced = false},
        {.fault = kSystemDirectoryUnwritable,
         .action = kApplyCafe,
         .messages = {kNotRestartedBox},
         .settling = "修改失败……",
         .toolPlaced = false},
        // The café page stays, where the operator can try again.
        {.fault = kFilesUnwritable,
         .action = kSaveTemplate,
         .messages = {saveFailed},
         .cafePageStays = true},
        // The tool is in place already: an apply writes no file.
        {.fault = kFilesUnwritable, .action = kModify, .settling = "修改完成……"},
        {.fault = kAdapterQueryFails, .action = kRefresh, .macShown = false},
        {.fault = kAdapterQueryFails,
         .action = kAdvancedThenModify,
         .settling = "修改完成……",
         .macShown = false},
        {.fault = kProcessesCannotStart,
         .action = kModify,
         .messages = {kNotRestartedBox},
         .settling = "修改失败……"},
        {.fault = kProcessesCannotStart,
         .action = kApplyCafe,
         .messages = {kNotRestartedBox},
         .settling = "修改失败……"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.fault.name) + ", " + std::string(c.action.name));
        const Outcome clean = WithoutFault(c.action);

        Machine m;
        const std::optional<Bytes> templateBefore = m.Template();
        if (c.fault.fromStart) {
            c.fault.inject(m);
        }
        EXPECT_NO_THROW(m.Start());
        if (!c.fault.fromStart) {
            c.fault.inject(m);
        }
        const std::size_t runsBefore = m.parts.processes.Runs().size();

        EXPECT_EQ(StatusWhileSettling(m, c.action), c.settling);
        EXPECT_EQ(m.MessagesFrom(0), c.messages);
        // None of these faults keeps a registry value from being stored.
        EXPECT_EQ(m.Registry(), clean.registry);
        EXPECT_EQ(m.Template(), c.templateSaved ? clean.templateFile : templateBefore);
        EXPECT_EQ(m.ToolPlaced(), c.toolPlaced);
        // Every restart run is still attempted.
        EXPECT_EQ(m.parts.processes.Runs().size() - runsBefore, clean.runs.size());
        View expected = clean.view;
        if (!c.macShown) {
            expected.mac.clear();
        }
        if (c.cafePageStays) {
            expected.page = MainWindow::kCafePage;
        }
        EXPECT_EQ(m.Shown(), expected);

        ExpectRecovery(m, c.fault, c.action, clean);
    }
}

// The line of the failure message that names a refused registry value.
std::string ItemOf(const std::string& valuePath) {
    const struct {
        std::string_view valueName;
        std::string_view item;
    } kItems[] = {
        {"EnableDHCP", "地址获取方式 (EnableDHCP)"},
        {"IPAddress", "IP 地址 (IPAddress)"},
        {"SubnetMask", "子网掩码 (SubnetMask)"},
        {"DefaultGateway", "默认网关 (DefaultGateway)"},
        {"DefaultGatewayMetric", "网关跃点数 (DefaultGatewayMetric)"},
        {"InterfaceMetric", "接口跃点数 (InterfaceMetric)"},
        {"NameServer", "DNS 服务器 (NameServer)"},
        {"VirtualNetworkNumber", "IPX 网络号 (VirtualNetworkNumber)"},
        {"ComputerName", "计算机名 (ComputerName, NV Hostname)"},
        {"NV Hostname", "计算机名 (ComputerName, NV Hostname)"},
    };
    if (valuePath.starts_with(kWinlogon)) {
        return "自动登录 (Winlogon)";
    }
    const std::string valueName = valuePath.substr(valuePath.rfind('\\') + 1);
    for (const auto& [name, item] : kItems) {
        if (valueName == name) {
            return std::string(item);
        }
    }
    ADD_FAILURE() << "no item for " << valuePath;
    return {};
}

// A registry that stops taking writes midway through an apply, or refuses a single one: every
// value before the first refusal holds the new setting, every refused one its old value, the
// message names exactly the refused settings, in the order they were written.
TEST(FaultInjection, RegistryRefusingFromAnyWriteOnOrOnlyThatOne) {
    for (const Action* action : {&kModify, &kAdvancedThenModify, &kApplyCafe}) {
        SCOPED_TRACE(action->name);
        const Outcome clean = WithoutFault(*action);
        std::size_t writes = 0;
        {
            Machine m;
            m.Start();
            m.parts.store.log.clear();
            action->run(m);
            writes = m.parts.store.log.size();
        }
        ASSERT_EQ(writes, 18u) << "seven TCP/IP values, IPX, four name places, six logon values";

        for (const std::size_t count : {std::size_t{1}, SIZE_MAX}) {
            for (std::size_t first = 0; first < writes; ++first) {
                SCOPED_TRACE("refused: " + std::to_string(count == 1 ? 1 : writes - first) +
                             " from write " + std::to_string(first));
                Machine m;
                m.Start();
                const RegistryValues before = m.Registry();
                m.parts.store.log.clear();
                m.parts.store.RefuseChanges(first, count);

                const std::optional<std::string> settling = StatusWhileSettling(m, *action);

                ASSERT_EQ(m.parts.store.log.size(), writes) << "every write is still attempted";
                RegistryValues expected = clean.registry;
                std::string text = "以下设置未能保存：";
                std::string lastItem;
                for (std::size_t i = first; i < writes && i - first < count; ++i) {
                    const std::string& entry = m.parts.store.log[i];
                    ASSERT_TRUE(entry.starts_with("set ")) << entry;
                    const std::string path = entry.substr(4);
                    ASSERT_TRUE(before.contains(path)) << path;
                    expected[path] = before.at(path);
                    const std::string item = ItemOf(path);
                    if (item != lastItem) {
                        text += "\n" + item;
                        lastItem = item;
                    }
                }
                EXPECT_EQ(m.Registry(), expected);
                EXPECT_EQ(m.MessagesFrom(0),
                          (std::vector<ShownMessage>{{"修改失败", text, MessageIcon::kError}}));
                EXPECT_EQ(settling, "修改失败……");
                EXPECT_EQ(m.Template(), clean.templateFile);
                EXPECT_EQ(m.Shown().status, "手动配置");
                EXPECT_TRUE(m.Shown().commandsEnabled);

                ExpectRecovery(m, kRegistryRefuses, *action, clean);
            }
        }
    }
}

// Both kinds of failure in one apply come in one message, the refused settings first.
TEST(FaultInjection, RefusedSettingAndFailedRestartAreToldTogether) {
    Machine m;
    m.Start();
    const std::string nameServer = StandardRegistryBasePaths().interfacesKey + kId + "\\NameServer";
    const RegistryValue before = m.Registry().at(nameServer);
    m.parts.store.refuse = [&](const std::string& path) { return path == nameServer; };
    kProcessesCannotStart.inject(m);

    EXPECT_NO_THROW(kModify.run(m));

    const std::vector<ShownMessage> expected = {
        {"修改失败", "以下设置未能保存：\nDNS 服务器 (NameServer)\n\n" + std::string(kNotRestarted),
         MessageIcon::kError}};
    EXPECT_EQ(m.MessagesFrom(0), expected);
    EXPECT_EQ(m.Registry().at(nameServer), before);
    EXPECT_TRUE(m.Shown().commandsEnabled);
}

}  // namespace
}  // namespace netquill
