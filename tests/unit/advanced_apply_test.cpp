// From the advanced window to the registry: what OK hands back to the main window is what the
// modify button then stores.
#include <gtest/gtest.h>

#include <string>

#include "adapters/adapter_scan.h"
#include "advanced/open_advanced_window.h"
#include "support/adapter_seed.h"
#include "support/advanced_fixture.h"
#include "ui/main_window_handlers.h"

namespace netquill {
namespace {

const std::string kId = "{6B2F4C1A-0D7E-4E55-9A3B-2C8D1F0E7A61}";

class AdvancedApplyTest : public AdvancedFixture {
  protected:
    AdvancedApplyTest() {
        state.registryBasePaths = StandardRegistryBasePaths();
        BindMainWindowEvents(program);
        BindAdvancedButton(program, desktop);
        SeedAdapter();
        ScanAdapters(program);
    }

    // One running Ethernet adapter with one address, one gateway and two DNS servers.
    void SeedAdapter() {
        RegistryAccess& registry = parts.registry;
        netquill::SeedAdapter(registry, AdapterSeed("Card", kId));
        registry.WriteRegistryText(
            "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName\\ComputerName", "PC");
        WriteInterfaceSettings(registry, std::string(kId),
                               Manual({"192.168.1.5"}, {"255.255.255.0"}, {"192.168.1.1"}, {"0"},
                                      "202.96.128.86,8.8.8.8"));
    }

    std::string Key() const { return state.registryBasePaths.interfacesKey + kId; }
    std::string Multi(std::string_view name) { return parts.registry.ReadMultiString(Key(), name); }
    std::string Text(std::string_view name) {
        return parts.registry.ReadRegistryText(Key() + "\\" + std::string(name));
    }

    EntryDialog& OpenDialog() { return static_cast<EntryDialog&>(*desktop.Shown().back()); }

    void RunAdvancedWindow(const std::function<void(AdvancedWindow&)>& script) {
        desktop.onModalShown = [&](DialogWindow& shown) {
            loop.QueueUserAction([&] { script(static_cast<AdvancedWindow&>(shown)); });
        };
        mainWindow.高级按钮.Click();
    }
};

TEST_F(AdvancedApplyTest, EntriesMadeInTheAdvancedWindowReachTheRegistryOnModify) {
    RunAdvancedWindow([&](AdvancedWindow& w) {
        w.添加按钮1.Click();
        TypeAddress(OpenDialog().地址框, "10.0.0.5");
        TypeAddress(OpenDialog().掩码框, "255.0.0.0");
        OpenDialog().添加按钮.Click();
        w.添加按钮2.Click();
        TypeAddress(OpenDialog().网关框, "10.0.0.1");
        OpenDialog().自动框.Click();
        OpenDialog().跃点框.TypeText("20");
        OpenDialog().添加按钮.Click();
        w.功能选择夹.SelectPageByUser(AdvancedWindow::kDnsPage);
        w.DNS列表框.SelectByUser(1);
        w.向上按钮.Click();
        w.确定按钮.Click();
    });
    mainWindow.修改按钮.Click();

    EXPECT_EQ(Multi("IPAddress"), "192.168.1.5\r\n10.0.0.5\r\n");
    EXPECT_EQ(Multi("SubnetMask"), "255.255.255.0\r\n255.0.0.0\r\n");
    EXPECT_EQ(Multi("DefaultGateway"), "192.168.1.1\r\n10.0.0.1\r\n");
    EXPECT_EQ(Multi("DefaultGatewayMetric"), "0\r\n20\r\n");
    EXPECT_EQ(Text("NameServer"), "8.8.8.8,202.96.128.86");
    EXPECT_TRUE(desktop.Messages().empty());
    // The rescan shows what is stored.
    EXPECT_EQ(mainWindow.首选框.Address(), "8.8.8.8");
}

TEST_F(AdvancedApplyTest, ARefusedGatewayChangesNothingThatIsStored) {
    RunAdvancedWindow([&](AdvancedWindow& w) {
        w.添加按钮2.Click();
        TypeAddress(OpenDialog().网关框, "127.0.0.1");
        OpenDialog().添加按钮.Click();
        EXPECT_EQ(w.超级列表框2.RowCount(), 1);
        w.确定按钮.Click();
    });
    mainWindow.修改按钮.Click();
    ASSERT_EQ(desktop.Messages().size(), 1u);
    EXPECT_EQ(desktop.Messages()[0].text,
              "以 127 起头的 IP 地址无效，因为他们保留用作环回地址。请在 1 和 223 "
              "之间指定一些其他有效值。");
    EXPECT_EQ(Multi("DefaultGateway"), "192.168.1.1\r\n");
    EXPECT_EQ(Multi("DefaultGatewayMetric"), "0\r\n");
    EXPECT_EQ(Multi("IPAddress"), "192.168.1.5\r\n");
    EXPECT_EQ(Text("NameServer"), "202.96.128.86,8.8.8.8");
}

}  // namespace
}  // namespace netquill
