// netquill.exe end to end in internet-café mode: the template beside the program, the machine
// number, Enter, and saving the template as the system's own reader reads it.
#include <gtest/gtest.h>

#include <algorithm>

#include "e2e/netquill_fixture.h"

namespace netquill {
namespace {

class CafeModeWithTemplateTest : public CafeModeTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(templateFile.Put(
            "[配置]\r\n机器=NQ\r\n地址=192.168.16.\r\n掩码=255.255.255.0\r\n"
            "网关=192.168.16.254\r\n用户=player\r\n密码=pw\r\n首选=114.114.114.114\r\n"
            "备用=114.114.115.115\r\n增位=假\r\n"));
        seeded.registry.WriteRegistryText(kIpxKey + "\\DisplayName", "NWLink IPX");
        NetquillTest::SetUp();
    }
};

TEST_F(CafeModeWithTemplateTest, NumberAndEnterApplyTheTemplate) {
    EXPECT_EQ(Text("机器名框2"), "NQ");
    SendMessageW(Control("网吧按钮"), BM_CLICK, 0, 0);
    EXPECT_TRUE(CafePageShown());
    HWND focus = SettledFocus();
    ASSERT_EQ(focus, Control("机器数框"));

    // Typed where the focus is, as the keyboard would.
    TypeText(focus, "25");
    Screenshot(L"netquill-cafe-number.bmp");
    PostMessageW(focus, WM_CHAR, L'\r', 1);
    const std::vector<std::string> statuses = StatusesUntilApplied(Control("提示标签"), process);
    ASSERT_EQ(std::ranges::count(statuses, "修改完成……"), 1) << testing::PrintToString(statuses);

    for (const std::string& place : kComputerNamePlaces) {
        EXPECT_EQ(seeded.registry.ReadRegistryText(place), "NQ25") << place;
    }
    using namespace std::string_literals;
    const std::string key = seeded.Interface(0);
    const std::pair<const char*, RegistryValue> expected[] = {
        {"EnableDHCP", {kRegDword, "\0\0\0\0"s}},
        // The first address is the café's; the second one stays.
        {"IPAddress", {kRegMultiSz, "192.168.16.25\0"s + "192.168.16.6\0\0"s}},
        {"SubnetMask", {kRegMultiSz, "255.255.255.0\0"s + "255.255.255.0\0\0"s}},
        {"DefaultGateway", {kRegMultiSz, "192.168.16.254\0\0"s}},
        {"NameServer", {kRegSz, "114.114.114.114,114.114.115.115\0"s}},
    };
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(seeded.store.QueryValue(key, name), value) << name;
    }
    // 25 goes to the IPX number as hexadecimal digits.
    EXPECT_EQ(seeded.store.QueryValue(kIpxKey + "\\Parameters", "VirtualNetworkNumber"),
              (RegistryValue{kRegDword, "\x25\0\0\0"s}));
    const std::pair<const char*, const char*> logon[] = {
        {"AutoAdminLogon", "1"},          {"DefaultUserName", "player"},
        {"DefaultPassword", "pw"},        {"DefaultDomainName", "NQ25"},
        {"AltDefaultUserName", "player"}, {"AltDefaultDomainName", "NQ25"},
    };
    for (const auto& [name, text] : logon) {
        EXPECT_EQ(seeded.store.QueryValue(kWinlogonKey, name),
                  (RegistryValue{kRegSz, std::string(text) + '\0'}))
            << name;
    }

    // The rescan shows the local-connection page with what is stored; the number stays typed.
    EXPECT_FALSE(CafePageShown());
    EXPECT_EQ(Address("地址框"), "192.168.16.25");
    EXPECT_EQ(Text("机器名框"), "NQ25");
    EXPECT_EQ(Text("网络号框"), "25");
    EXPECT_EQ(Text("机器数框"), "25");
    EXPECT_TRUE(IsWindowEnabled(Control("网吧按钮")));
    Screenshot(L"netquill-cafe-applied.bmp");

    // The next machine's number gives no address (250 + 10): refused, said why, nothing written.
    SendMessageW(Control("网吧按钮"), BM_CLICK, 0, 0);
    SendMessageW(Control("增位框"), BM_CLICK, 0, 0);
    SetWindowTextW(Control("机器数框"), L"250");
    PostMessageW(Control("机器数框"), WM_CHAR, L'\r', 1);
    const std::string refusal = CloseMessageBox(process.dwProcessId, L"网吧修改");
    EXPECT_NE(refusal.find("260"), std::string::npos) << refusal;
    for (DWORD waited = 0; waited < kTimeoutMs && !IsWindowEnabled(Control("网吧按钮"));
         waited += 50) {
        Sleep(50);
    }
    EXPECT_TRUE(IsWindowEnabled(Control("修改按钮")));
    EXPECT_TRUE(CafePageShown());
    EXPECT_EQ(seeded.registry.ReadRegistryText(kComputerNamePlaces[0]), "NQ25");
    EXPECT_EQ(seeded.store.QueryValue(key, "IPAddress"), expected[1].second);
    EXPECT_EQ(Text("提示标签"), "手动配置");
}

class CafeModeWithoutTemplateTest : public CafeModeTest {};

TEST_F(CafeModeWithoutTemplateTest, OnlyTurnsPagesAndSavingWritesWhatTheSystemReads) {
    const std::string nameBefore = seeded.registry.ReadRegistryText(kComputerNamePlaces[0]);
    const auto addressesBefore = seeded.store.QueryValue(seeded.Interface(0), "IPAddress");
    SendMessageW(Control("网吧按钮"), BM_CLICK, 0, 0);
    EXPECT_TRUE(CafePageShown());
    EXPECT_NE(SettledFocus(), Control("机器数框"));
    EXPECT_EQ(Text("机器名框2"), "User");  // the built-in template
    TypeText(Control("机器数框"), "25");

    SendMessageW(Control("网吧按钮"), BM_CLICK, 0, 0);
    WaitForInputIdle(process.hProcess, kTimeoutMs);
    EXPECT_FALSE(CafePageShown());
    EXPECT_EQ(seeded.store.QueryValue(seeded.Interface(0), "IPAddress"), addressesBefore);
    EXPECT_EQ(seeded.registry.ReadRegistryText(kComputerNamePlaces[0]), nameBefore);
    EXPECT_EQ(Text("提示标签"), "手动配置");

    // Saving: the fields as they stand, read back by the system's own reader.
    SendMessageW(Control("网吧按钮"), BM_CLICK, 0, 0);
    SetWindowTextW(Control("机器名框2"), ToWide("网吧").c_str());
    SetWindowTextW(Control("用户框2"), L"");
    SendMessageW(Control("增位框"), BM_CLICK, 0, 0);
    PostMessageW(Control("保存按钮"), BM_CLICK, 0, 0);
    EXPECT_EQ(CloseMessageBox(process.dwProcessId, L"提示"), "配置信息保存完毕！");
    EXPECT_TRUE(LocalConnectionPageComesBack());

    const std::string ansiPath = FromWide(templateFile.Path());
    const auto systemRead = [&](const char* key) {
        std::string value(10240, '\0');
        value.resize(GetPrivateProfileStringA("配置", key, "(missing)", value.data(),
                                              static_cast<DWORD>(value.size()), ansiPath.c_str()));
        return value;
    };
    for (const auto& [key, field] : kTemplateBoxes) {
        EXPECT_EQ(systemRead(key), Text(field)) << key;
    }
    EXPECT_EQ(Text("机器名框2"), "网吧");
    EXPECT_EQ(systemRead("用户"), "");
    EXPECT_EQ(systemRead("增位"), "真");
    // The nine keys in their order, each on a line of its own.
    const std::string file = templateFile.Content().value_or("");
    std::size_t at = file.find("[配置]\r\n");
    EXPECT_EQ(at, 0u) << file;
    for (const char* key :
         {"机器=", "地址=", "掩码=", "网关=", "用户=", "密码=", "首选=", "备用=", "增位="}) {
        const std::size_t next = file.find(std::string("\r\n") + key, at);
        EXPECT_NE(next, std::string::npos) << key << "\n" << file;
        at = next == std::string::npos ? at : next + 1;
    }

    // Saved, yet not loaded at start: the café button still applies nothing.
    SendMessageW(Control("网吧按钮"), BM_CLICK, 0, 0);
    EXPECT_TRUE(CafePageShown());
    SendMessageW(Control("网吧按钮"), BM_CLICK, 0, 0);
    WaitForInputIdle(process.hProcess, kTimeoutMs);
    EXPECT_FALSE(CafePageShown());
    EXPECT_EQ(seeded.store.QueryValue(seeded.Interface(0), "IPAddress"), addressesBefore);
}

}  // namespace
}  // namespace netquill
