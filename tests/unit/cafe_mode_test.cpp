// Internet-café mode from the 网吧 button (or Enter) to the registry: the program starts with or
// without ipset.ini beside it, the operator types a machine number, and the template and number
// are applied through the ordinary pipeline.
#include "cafe/cafe_mode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "adapters/adapter_scan.h"
#include "apply/ipx_number.h"
#include "cafe/cafe_config.h"
#include "support/adapter_seed.h"
#include "support/test_program.h"
#include "ui/main_window_handlers.h"
#include "ui/startup.h"

namespace netquill {
namespace {

using Lines = std::vector<std::string>;

const std::string kInterface =
    "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{A}";
const std::string kIpxService = "SYSTEM\\CurrentControlSet\\Services\\NwlnkIpx";
const std::string kIpxNumber = kIpxService + "\\Parameters\\VirtualNetworkNumber";

// What the template file holds, key by key.
struct Template {
    std::string prefix = "User";
    std::string addressPrefix = "192.168.16.";
    std::string mask = "255.255.255.0";
    std::string gateway = "192.168.16.254";
    std::string user = "China";
    std::string password = "pw";
    std::string preferred = "114.114.114.114";
    std::string alternate = "114.114.115.115";
    bool addTen = false;
};

std::string TemplateFile(const Template& t) {
    return "[配置]\r\n机器=" + t.prefix + "\r\n地址=" + t.addressPrefix + "\r\n掩码=" + t.mask +
           "\r\n网关=" + t.gateway + "\r\n用户=" + t.user + "\r\n密码=" + t.password +
           "\r\n首选=" + t.preferred + "\r\n备用=" + t.alternate +
           "\r\n增位=" + (t.addTen ? "真" : "假") + "\r\n";
}

// One machine of the café: a running Ethernet adapter with manual settings, a computer name, and
// the program bound to its window, not yet started.
struct CafeMachine : TestProgram {
    CafeMachine() {
        BindMainWindowEvents(program);
        SeedAdapter(registry, AdapterSeed("Card A", "{A}"));
        WriteInterfaceSettings(
            registry, "{A}", Manual({"10.0.0.9"}, {"255.0.0.0"}, {"10.0.0.1"}, {"0"}, "10.0.0.2"));
        registry.WriteRegistryText(kNamePlaces[0], "OLD");
    }

    void InstallIpx() { registry.WriteRegistryText(kIpxService + "\\DisplayName", "NWLink IPX"); }

    // Starts as the program does, with the template file beside it or without one; the log then
    // holds only what follows.
    void Start(const std::optional<Template>& file) {
        if (file) {
            const std::string content = TemplateFile(*file);
            EXPECT_TRUE(files.WriteWholeFile(
                CafeConfigPath(files),
                std::span(reinterpret_cast<const std::uint8_t*>(content.data()), content.size())));
        }
        RunStartup(program, StandardStartupSteps());
        store.log.clear();
    }

    // The operator's way: 网吧 opens the café page, the number goes in, Enter.
    void EnterNumber(std::string_view number) {
        window.网吧按钮.Click();
        window.机器数框.SetText("");
        window.机器数框.Paste(number);
        window.PressEnter(window.机器数框);
    }

    std::size_t Writes(std::string_view valueName) const {
        return static_cast<std::size_t>(std::ranges::count_if(store.log, [&](const auto& entry) {
            return entry.starts_with("set ") && entry.ends_with(valueName);
        }));
    }

    bool CommandButtonsEnabled() const {
        return window.刷新按钮.Enabled() && window.修改按钮.Enabled() &&
               window.网吧按钮.Enabled() && window.高级按钮.Enabled();
    }
};

TEST(CafeMode, FirstPressShowsTheCafePageAndFocusesTheNumberOnlyWithTheTemplate) {
    for (const bool withFile : {true, false}) {
        SCOPED_TRACE(withFile ? "with ipset.ini" : "without ipset.ini");
        CafeMachine m;
        m.Start(withFile ? std::optional(Template{}) : std::nullopt);
        m.window.机器数框.SetText("7");

        m.window.网吧按钮.Click();

        EXPECT_EQ(m.window.功能选择夹.CurrentPage(), MainWindow::kCafePage);
        EXPECT_EQ(m.window.FocusTarget(),
                  withFile ? static_cast<const Control*>(&m.window.机器数框) : nullptr);
        EXPECT_TRUE(m.store.log.empty());
        EXPECT_TRUE(m.processes.Runs().empty());
        EXPECT_TRUE(m.CommandButtonsEnabled());
    }
}

TEST(CafeMode, EveryOpeningOfTheCafePageAsksForTheFocusAgain) {
    CafeMachine m;
    m.Start(Template{});
    m.window.网吧按钮.Click();
    m.window.网吧按钮.Click();  // no number: back to the local-connection page
    EXPECT_EQ(m.window.功能选择夹.CurrentPage(), MainWindow::kLocalConnectionPage);
    m.window.网吧按钮.Click();
    EXPECT_EQ(m.window.功能选择夹.CurrentPage(), MainWindow::kCafePage);
    EXPECT_EQ(m.window.FocusTarget(), &m.window.机器数框);
    EXPECT_EQ(m.window.FocusRequests(), 2u);
    EXPECT_TRUE(m.store.log.empty());
}

TEST(CafeMode, WithoutTemplateOrNumberTheSecondPressOnlyGoesBack) {
    struct Case {
        std::string name;
        bool withFile;
        bool saveInBetween;
        std::string number;
    };
    const Case cases[] = {
        {"no ipset.ini", false, false, "25"},
        {"no ipset.ini at start, saved since", false, true, "25"},
        {"template but no number", true, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CafeMachine m;
        m.Start(c.withFile ? std::optional(Template{}) : std::nullopt);
        const std::string addressBefore = m.window.地址框.Address();
        m.window.网吧按钮.Click();
        if (c.saveInBetween) {
            m.window.保存按钮.Click();
            ASSERT_TRUE(m.files.Exists(CafeConfigPath(m.files)));
            m.window.网吧按钮.Click();  // saving showed the local-connection page
        }
        m.window.机器数框.SetText(c.number);

        m.window.网吧按钮.Click();

        EXPECT_EQ(m.window.功能选择夹.CurrentPage(), MainWindow::kLocalConnectionPage);
        EXPECT_EQ(m.window.机器名框.Text(), "OLD");
        EXPECT_EQ(m.window.地址框.Address(), addressBefore);
        EXPECT_TRUE(m.store.log.empty());
        EXPECT_TRUE(m.processes.Runs().empty());
        EXPECT_EQ(m.messages.Shown().size(), c.saveInBetween ? 1u : 0u);  // the save's only
        EXPECT_TRUE(m.CommandButtonsEnabled());
    }
}

TEST(CafeMode, TheTemplateAndTheNumberAreAppliedThroughThePipeline) {
    struct Case {
        std::string name;
        Template file;
        std::string number;
        std::string computerName;
        std::string address;
        std::string ipxBox;
        std::int64_t ipxNumber;
    };
    Template addTen;
    addTen.addTen = true;
    Template blanks;  // quoted, so that the blanks reach the field
    blanks.addressPrefix = "\" 192.168.16. \"";
    Template wide;
    wide.prefix = "网吧-";
    wide.addressPrefix = "１９２.168.16.";
    wide.user = "管理员";
    wide.password = "";
    const Case cases[] = {
        {"User05", Template{}, "05", "User05", "192.168.16.5", "5", 5},
        {"User05 plus 10", addTen, "05", "User05", "192.168.16.15", "15", 0x15},
        {"25 plus 10", addTen, "25", "User25", "192.168.16.35", "35", 0x35},
        {"245 plus 10", addTen, "245", "User245", "192.168.16.255", "255", 0x255},
        {"digits then other text", Template{}, "7abc", "User7abc", "192.168.16.7", "7", 7},
        {"full-width digits", Template{}, "０８", "User０８", "192.168.16.8", "8", 8},
        {"no digits at all", Template{}, "-", "User-", "192.168.16.0", "0", 0},
        {"blanks around the prefix", blanks, "9", "User9", "192.168.16.9", "9", 9},
        {"Chinese texts, full-width prefix digits", wide, "3", "网吧-3", "192.168.16.3", "3", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CafeMachine m;
        m.InstallIpx();
        m.Start(c.file);
        const std::string prefixShown = m.window.地址框2.Text();

        m.EnterNumber(c.number);

        // Everything the template and the number give, stored once each.
        for (const std::string& place : kNamePlaces) {
            EXPECT_EQ(m.registry.ReadRegistryText(place), c.computerName) << place;
        }
        EXPECT_EQ(m.registry.ReadRegistryNumber(kInterface + "\\EnableDHCP"), 0);
        EXPECT_EQ(m.registry.ReadMultiString(kInterface, "IPAddress"), c.address + "\r\n");
        EXPECT_EQ(m.registry.ReadMultiString(kInterface, "SubnetMask"), c.file.mask + "\r\n");
        EXPECT_EQ(m.registry.ReadMultiString(kInterface, "DefaultGateway"),
                  c.file.gateway + "\r\n");
        EXPECT_EQ(m.registry.ReadRegistryText(kInterface + "\\NameServer"),
                  c.file.preferred + "," + c.file.alternate);
        EXPECT_EQ(m.registry.ReadRegistryNumber(kIpxNumber), c.ipxNumber);
        const std::pair<std::string, std::string> logon[] = {
            {"AutoAdminLogon", "1"},
            {"DefaultUserName", c.file.user},
            {"DefaultPassword", c.file.password},
            {"DefaultDomainName", c.computerName},
            {"AltDefaultUserName", c.file.user},
            {"AltDefaultDomainName", c.computerName},
        };
        for (const auto& [name, text] : logon) {
            EXPECT_TRUE(m.registry.RegistryValueExists(kWinlogon + name)) << name;
            EXPECT_EQ(m.registry.ReadRegistryText(kWinlogon + name), text) << name;
        }
        EXPECT_EQ(m.Writes("\\IPAddress"), 1u);
        EXPECT_EQ(m.processes.Runs().size(), 4u);  // one restart
        EXPECT_TRUE(m.messages.Shown().empty());

        // The rescan shows what is stored; the café page keeps its contents for the next machine.
        EXPECT_EQ(m.window.功能选择夹.CurrentPage(), MainWindow::kLocalConnectionPage);
        EXPECT_EQ(m.window.地址框.Address(), c.address);
        EXPECT_EQ(m.window.机器名框.Text(), c.computerName);
        EXPECT_EQ(m.window.网络号框.Text(), c.ipxBox);
        EXPECT_EQ(m.window.机器数框.Text(), c.number);
        EXPECT_EQ(m.window.地址框2.Text(), prefixShown);
        EXPECT_TRUE(m.CommandButtonsEnabled());
    }
}

TEST(CafeMode, IpxNotInstalledKeepsTheSentinelAndWritesNoNumber) {
    CafeMachine m;
    m.Start(Template{});
    ASSERT_EQ(m.window.网络号框.Text(), kIpxNotInstalled);

    m.EnterNumber("25");

    EXPECT_EQ(m.window.网络号框.Text(), kIpxNotInstalled);
    EXPECT_FALSE(m.registry.RegistryValueExists(kIpxNumber));
    EXPECT_EQ(m.registry.ReadMultiString(kInterface, "IPAddress"), "192.168.16.25\r\n");
    EXPECT_TRUE(m.messages.Shown().empty());  // nothing refused: the number is simply not IPX's
}

// Invalid template addresses for mask, gateway or DNS leave their fields blank, as an empty
// template value does: no gateway, no DNS server.
TEST(CafeMode, TemplateValuesThatAreNoAddressLeaveTheirFieldsBlank) {
    Template t;
    t.gateway = "";
    t.preferred = "300.1.1.1";
    t.alternate = "8.8.8.8";
    CafeMachine m;
    m.Start(t);

    m.EnterNumber("5");

    EXPECT_FALSE(m.registry.RegistryValueExists(kInterface + "\\DefaultGateway"));
    EXPECT_EQ(m.registry.ReadRegistryText(kInterface + "\\NameServer"), ",8.8.8.8");
    EXPECT_EQ(m.registry.ReadMultiString(kInterface, "IPAddress"), "192.168.16.5\r\n");
}

TEST(CafeMode, AnAddressThatIsNoAddressIsRefusedWithItsReasonAndNothingIsWritten) {
    struct Case {
        std::string name;
        std::string addressPrefix;
        bool addTen;
        std::string number;
        std::string shownPart;  // what the message must name
        bool numberAtFault;     // else the prefix: the reason given and where the focus goes
    };
    const Case cases[] = {
        {"250 plus 10", "192.168.16.", true, "250", "260", true},
        {"256", "192.168.16.", false, "256", "256", true},
        {"negative", "192.168.16.", false, "-3", "-3", true},
        {"largest int plus 10", "192.168.16.", true, "99999999999", "2147483657", true},
        {"prefix without its last dot", "192.168.16", false, "5", "192.168.165", false},
        {"prefix of four parts", "10.0.0.1.", false, "5", "10.0.0.1.5", false},
        {"prefix of two parts", "192.168.", false, "5", "192.168.5", false},
        {"letter in the prefix", "192.168.l6.", false, "5", "192.168.l6.5", false},
        {"part above 255 in the prefix", "192.300.16.", false, "5", "192.300.16.5", false},
        {"empty prefix", "", false, "5", "“5”", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Template t;
        t.addressPrefix = c.addressPrefix;
        t.addTen = c.addTen;
        CafeMachine m;
        m.InstallIpx();
        m.Start(t);
        const std::string addressBefore = m.window.地址框.Address();
        const std::string ipxBefore = m.window.网络号框.Text();
        const std::size_t requestsBefore = m.window.FocusRequests() + 1;  // the page's opening

        m.EnterNumber(c.number);

        ASSERT_EQ(m.messages.Shown().size(), 1u);
        const ShownMessage& shown = m.messages.Shown().front();
        EXPECT_EQ(shown.title, kCafeRefusedTitle);
        EXPECT_EQ(shown.icon, MessageIcon::kExclamation);
        EXPECT_NE(shown.text.find(c.shownPart), std::string::npos) << shown.text;
        const std::string reason = c.numberAtFault
                                       ? "不在 0 到 255 之间"
                                       : "IP 地址前缀“" + c.addressPrefix + "”加上 IP 尾数";
        EXPECT_NE(shown.text.find(reason), std::string::npos) << shown.text;
        EXPECT_TRUE(shown.text.ends_with("没有修改任何设置。")) << shown.text;
        // Nothing written, nothing restarted, nothing filled; the operator can correct and retry.
        EXPECT_TRUE(m.store.log.empty());
        EXPECT_TRUE(m.processes.Runs().empty());
        EXPECT_EQ(m.window.地址框.Address(), addressBefore);
        EXPECT_EQ(m.window.机器名框.Text(), "OLD");
        EXPECT_EQ(m.window.网络号框.Text(), ipxBefore);
        EXPECT_TRUE(m.CommandButtonsEnabled());
        EXPECT_EQ(m.window.功能选择夹.CurrentPage(), MainWindow::kCafePage);
        EXPECT_EQ(m.window.FocusRequests(), requestsBefore + 1);
        EXPECT_EQ(m.window.FocusTarget(), c.numberAtFault
                                              ? static_cast<const Control*>(&m.window.机器数框)
                                              : &m.window.地址框2);
    }
}

TEST(CafeMode, EnterAppliesExactlyOnceAlsoWhenPressedAgainDuringTheApply) {
    struct Case {
        std::string name;
        EditBox MainWindow::*box;
        bool againInTheFirstPump;
        bool againDuringTheWait;
    };
    const Case cases[] = {
        {"machine number box", &MainWindow::机器数框, false, false},
        {"another edit box of the page", &MainWindow::机器名框2, false, false},
        {"again before the page turns", &MainWindow::机器数框, true, false},
        {"again while the adapters settle", &MainWindow::机器数框, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CafeMachine m;
        m.Start(Template{});
        m.window.网吧按钮.Click();
        m.window.机器数框.SetText("25");
        EditBox& box = m.window.*c.box;
        if (c.againInTheFirstPump) {
            m.loop.QueueUserAction([&] { m.window.PressEnter(m.window.机器数框); });
        }
        std::optional<int> pageAfterSecondPress;
        m.clock.onSleep = [&] {
            if (c.againDuringTheWait && !pageAfterSecondPress) {
                m.window.PressEnter(m.window.机器数框);
                pageAfterSecondPress = m.window.功能选择夹.CurrentPage();
            }
        };

        m.window.PressEnter(box);

        EXPECT_EQ(m.Writes("\\EnableDHCP"), 1u);
        EXPECT_EQ(m.Writes("\\AutoAdminLogon"), 1u);
        EXPECT_EQ(m.processes.Runs().size(), 4u);
        EXPECT_EQ(m.registry.ReadMultiString(kInterface, "IPAddress"), "192.168.16.25\r\n");
        EXPECT_EQ(m.window.功能选择夹.CurrentPage(), MainWindow::kLocalConnectionPage);
        EXPECT_TRUE(m.CommandButtonsEnabled());
        if (c.againDuringTheWait) {
            // Ignored: the café page does not come back in the middle of the apply.
            EXPECT_EQ(pageAfterSecondPress, MainWindow::kLocalConnectionPage);
        }
    }
}

// Between filling the fields and turning the page, every pending message is handled once, also
// when no input waits (a repaint shows the filled café fields); the command buttons stay disabled
// from the press until the rescan.
TEST(CafeMode, PendingMessagesAreHandledOnceFilledAndTheButtonsStayDisabledToTheRescan) {
    CafeMachine m;
    m.Start(Template{});
    m.window.网吧按钮.Click();
    m.window.机器数框.SetText("25");
    struct Seen {
        int page;
        std::string address;
        bool buttonsEnabled;
    };
    std::vector<Seen> seen;
    const auto look = [&] {
        seen.push_back({m.window.功能选择夹.CurrentPage(), m.window.地址框.Address(),
                        m.window.刷新按钮.Enabled() || m.window.修改按钮.Enabled() ||
                            m.window.网吧按钮.Enabled() || m.window.高级按钮.Enabled()});
    };
    m.loop.QueueMessage(look);  // not input: a pump that asks first would leave it
    m.clock.onSleep = look;

    m.window.网吧按钮.Click();

    ASSERT_EQ(seen.size(), 36u);  // the message, then every 100 ms of the 3.5 s wait
    EXPECT_EQ(seen.front().page, MainWindow::kCafePage);
    EXPECT_EQ(seen.front().address, "192.168.16.25");
    EXPECT_TRUE(std::ranges::none_of(seen, &Seen::buttonsEnabled));
    EXPECT_TRUE(m.CommandButtonsEnabled());
}

TEST(CafeMode, WithoutAdapterTheFieldsAreFilledButNothingIsWritten) {
    CafeMachine m;
    m.store.memory.DeleteKey(StandardRegistryBasePaths().classKey + AdapterSubkeyName(0));
    m.Start(Template{});
    ASSERT_EQ(m.window.网卡选择框.Items(), Lines{std::string(kNoAdapterFound)});

    m.EnterNumber("25");

    EXPECT_EQ(m.window.机器名框.Text(), "User25");
    EXPECT_EQ(m.window.地址框.Address(), "192.168.16.25");
    EXPECT_TRUE(m.store.log.empty());
    EXPECT_TRUE(m.processes.Runs().empty());
    EXPECT_EQ(m.window.功能选择夹.CurrentPage(), MainWindow::kLocalConnectionPage);
    EXPECT_TRUE(m.CommandButtonsEnabled());
}

}  // namespace
}  // namespace netquill
