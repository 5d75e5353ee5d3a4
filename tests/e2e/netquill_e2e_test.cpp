// netquill.exe end to end: the start, the adapter list, refresh, the ways to close, the input
// filters and the modify button, on a registry seeded through the real registry API.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include "apply/computer_name.h"
#include "devcon/device_console_image.h"
#include "e2e/netquill_fixture.h"

namespace netquill {
namespace {

TEST_F(NetquillTest, StartupShowsTheFirstAdapterInAFixedCentredWindow) {
    EXPECT_EQ(ComboItems(Control("网卡选择框")),
              (std::vector<std::string>{seeded.firstDescription, "Realtek PCIe GBE 网卡",
                                        "Broadcom NetXtreme"}));
    EXPECT_EQ(SendMessageW(Control("网卡选择框"), CB_GETCURSEL, 0, 0), 0);
    ExpectShown(
        "{E2E00000-0000-0000-0000-000000000001}", "本地连接", seeded.firstMac, "手动配置",
        {"192.168.16.5", "255.255.255.0", "192.168.16.254", "202.96.128.86", "202.96.134.133"});
    EXPECT_EQ(Text("机器名框"), ReadComputerName(seeded.registry));
    EXPECT_EQ(Text("网络号框"), "未安装IPX协议");
    for (const char* name : {"刷新按钮", "修改按钮", "网吧按钮", "高级按钮", "退出按钮"}) {
        EXPECT_TRUE(IsWindowEnabled(Control(name))) << name;
    }
    // Local-connection page on show, no tab strip.
    EXPECT_TRUE(IsWindowVisible(Control("本地连接框")));
    EXPECT_FALSE(IsWindowVisible(Control("网吧修改框")));
    EXPECT_EQ(SendMessageW(Control("功能选择夹"), TCM_GETITEMCOUNT, 0, 0), 0);
    // Captions from the layout, Chinese whatever the locale.
    EXPECT_EQ(Text("选择标签"), "网卡名称：");
    EXPECT_EQ(Text("地址标签"), "ＩＰ地址：");
    EXPECT_EQ(Text("增位框"), "IP 尾数加 10");

    EXPECT_EQ(TextOf(window), "Netquill");
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);
    EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    RECT bounds{};
    GetWindowRect(window, &bounds);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(bounds.right - bounds.left, MulDiv(400, dpi, 96));
    EXPECT_EQ(bounds.bottom - bounds.top, MulDiv(294, dpi, 96));
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((bounds.left + bounds.right) - (work.left + work.right)), 1);
    EXPECT_LE(std::abs((bounds.top + bounds.bottom) - (work.top + work.bottom)), 1);
    Screenshot(L"netquill-main.bmp");
}

// What Windows reads from the file itself: the icon in both sizes, the manifest's requests and
// the version.
TEST(NetquillFile, CarriesItsIconManifestAndVersion) {
    const std::wstring exe = Environment(L"NETQUILL_EXE");
    HMODULE file = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(file, nullptr);
    for (const int size : {32, 16}) {
        HICON icon = static_cast<HICON>(
            LoadImageW(file, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap{};
        GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    HRSRC found = FindResourceW(file, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // manifest
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(file, found))),
                               SizeofResource(file, found));
    for (const char* request :
         {"requireAdministrator", "Microsoft.Windows.Common-Controls", "6.0.0.0", "<dpiAware"}) {
        EXPECT_NE(manifest.find(request), std::string::npos) << request;
    }
    HRSRC version = FindResourceW(file, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16));
    ASSERT_NE(version, nullptr);
    const auto* data = static_cast<const char*>(LockResource(LoadResource(file, version)));
    const std::string bytes(data, SizeofResource(file, version));
    const std::wstring productName = L"Netquill";
    EXPECT_NE(bytes.find(std::string(reinterpret_cast<const char*>(productName.c_str()),
                                     productName.size() * sizeof(wchar_t))),
              std::string::npos);
    FreeLibrary(file);
}

TEST_F(NetquillTest, ChoosingAnotherAdapterShowsIt) {
    Pick(1);
    ExpectShown("{E2E00000-0000-0000-0000-000000000002}", "本地连接 2", "", "通过DHCP指派",
                {"10.0.2.15", "255.255.255.0", "10.0.2.2", "10.0.2.3", ""});
    Pick(2);
    ExpectShown("{E2E00000-0000-0000-0000-000000000003}", "办公网", "", "手动配置",
                {"172.16.8.20", "255.255.0.0", "172.16.0.1", "172.16.0.2", ""});
    Pick(0);
    EXPECT_EQ(Text("本地连接框"), "本地连接");
    EXPECT_EQ(Address("地址框"), "192.168.16.5");
}

TEST_F(NetquillTest, RefreshRescansTheRegistry) {
    Pick(2);
    seeded.registry.WriteMultiString(seeded.Interface(0), "IPAddress", Lines({"192.168.16.77"}));
    seeded.AddAdapter(3, {"新网卡", "{E2E00000-0000-0000-0000-000000000004}", "新连接"});

    SendMessageW(Control("刷新按钮"), BM_CLICK, 0, 0);

    EXPECT_EQ(ComboItems(Control("网卡选择框")).size(), 4u);
    EXPECT_EQ(ComboItems(Control("网卡选择框")).back(), "新网卡");
    EXPECT_EQ(SendMessageW(Control("网卡选择框"), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(Text("本地连接框"), "本地连接");
    EXPECT_EQ(Address("地址框"), "192.168.16.77");
    EXPECT_TRUE(IsWindowEnabled(Control("刷新按钮")));
    EXPECT_TRUE(IsWindowVisible(Control("本地连接框")));
}

TEST_F(NetquillTest, EveryWayOfClosingEndsTheProgramWithCodeZero) {
    struct Way {
        const char* name;
        const char* control;  // nullptr: the window itself
        UINT message;
        WPARAM wParam;
    };
    const Way ways[] = {
        {"Esc in an edit box", "机器名框", WM_KEYDOWN, VK_ESCAPE},
        {"Esc on the adapter list", "网卡选择框", WM_KEYDOWN, VK_ESCAPE},
        {"exit button", "退出按钮", BM_CLICK, 0},
        {"close box", nullptr, WM_CLOSE, 0},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        if (process.hProcess == nullptr) {
            ASSERT_NO_FATAL_FAILURE(Start());
        }
        PostMessageW(way.control ? Control(way.control) : window, way.message, way.wParam, 1);
        EXPECT_EQ(WaitForExit(), 0);
        TearDown();
        process = {};
        window = nullptr;
    }
}

TEST_F(NetquillTest, MachineNumberTakesDigitsAndMinusOnly) {
    HWND box = Control("机器数框");
    SetWindowTextW(box, L"");
    TypeText(box, "1a2-bＣ3");
    EXPECT_EQ(TextOf(box), "12-3");
}

TEST_F(NetquillTest, CafePageShowsItsCaptionsAndMasksThePassword) {
    HWND password = Control("密码框2");
    TypeText(password, "abc");
    EXPECT_EQ(SendMessageW(password, EM_GETPASSWORDCHAR, 0, 0), L'*');
    EXPECT_NE(GetWindowLongW(password, GWL_STYLE) & ES_PASSWORD, 0);
    EXPECT_EQ(Text("网吧修改框"), "网吧修改");
    EXPECT_EQ(Text("保存按钮"), "保存配置");

    SendMessageW(Control("网吧按钮"), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowVisible(Control("网吧修改框")));
    Screenshot(L"netquill-cafe.bmp");
}

TEST_F(NetquillTest, ModifyStoresTheEditedSettingsAndRescans) {
    // Started afresh without the device console tool in the system directory: it is placed
    // whole, byte for byte the image the program carries.
    wchar_t system[MAX_PATH];
    const UINT systemLength = GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring tool = std::wstring(system, systemLength) + L"\\devcon.exe";
    TearDown();
    process = {};
    window = nullptr;
    DeleteFileW(tool.c_str());
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::span<const std::uint8_t> image = DeviceConsoleImage();
    EXPECT_EQ(RealSystemFiles().ReadWholeFile(FromWide(tool)),
              std::vector<std::uint8_t>(image.begin(), image.end()));

    const std::string namePlaces[] = {
        "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName\\ComputerName",
        "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\NV Hostname",
        "SYSTEM\\ControlSet001\\Control\\ComputerName\\ComputerName\\ComputerName",
        "SYSTEM\\ControlSet001\\Services\\Tcpip\\Parameters\\NV Hostname",
    };
    std::vector<std::string> namesBefore;
    for (const std::string& place : namePlaces) {
        namesBefore.push_back(seeded.registry.ReadRegistryText(place));
    }

    // The user edits the first adapter: a new first address and mask, a new gateway, one DNS
    // server, a computer name.
    SendMessageW(Control("地址框"), IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 16, 50));
    SendMessageW(Control("掩码框"), IPM_SETADDRESS, 0, MAKEIPADDRESS(255, 255, 0, 0));
    SendMessageW(Control("网关框"), IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 16, 1));
    SendMessageW(Control("首选框"), IPM_SETADDRESS, 0, MAKEIPADDRESS(8, 8, 8, 8));
    SendMessageW(Control("备用框"), IPM_CLEARADDRESS, 0, 0);
    SetWindowTextW(Control("机器名框"), L"NQ-E2E-01");

    PostMessageW(Control("修改按钮"), BM_CLICK, 0, 0);
    const std::vector<std::string> statuses = StatusesUntilApplied(Control("提示标签"), process);
    RecordProperty("statuses", testing::PrintToString(statuses));

    // The status line shows the work while the adapters restart, then the outcome.
    const auto done = std::ranges::find(statuses, "修改完成……");
    ASSERT_NE(done, statuses.end()) << testing::PrintToString(statuses);
    EXPECT_EQ(std::ranges::count(statuses.begin(), done, "正在修改……"), 1)
        << testing::PrintToString(statuses);
    EXPECT_EQ(std::ranges::count(statuses.begin(), done, "手动配置"), 1)
        << testing::PrintToString(statuses);  // the one before the click
    EXPECT_EQ(statuses.back(), "手动配置") << testing::PrintToString(statuses);
    EXPECT_EQ(std::ranges::count(statuses, "修改失败……"), 0);

    // The registry holds exactly the new values.
    const std::string key = seeded.Interface(0);
    EXPECT_EQ(ValueNames(key),
              (std::vector<std::string>{"DefaultGateway", "DefaultGatewayMetric", "EnableDHCP",
                                        "IPAddress", "NameServer", "SubnetMask"}));
    using namespace std::string_literals;
    const std::pair<const char*, RegistryValue> expected[] = {
        {"EnableDHCP", {kRegDword, "\0\0\0\0"s}},
        {"IPAddress", {kRegMultiSz, "192.168.16.50\0"s + "192.168.16.6\0\0"s}},
        {"SubnetMask", {kRegMultiSz, "255.255.0.0\0"s + "255.255.255.0\0\0"s}},
        {"DefaultGateway", {kRegMultiSz, "192.168.16.1\0\0"s}},
        {"DefaultGatewayMetric", {kRegMultiSz, "0\0\0"s}},
        {"NameServer", {kRegSz, "8.8.8.8\0"s}},
    };
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(seeded.store.QueryValue(key, name), value) << name;
    }
    for (const std::string& place : namePlaces) {
        EXPECT_EQ(seeded.registry.ReadRegistryText(place), "NQ-E2E-01") << place;
    }

    // The rescan shows what is stored.
    EXPECT_EQ(Address("地址框"), "192.168.16.50");
    EXPECT_EQ(Address("掩码框"), "255.255.0.0");
    EXPECT_EQ(Address("网关框"), "192.168.16.1");
    EXPECT_EQ(Address("首选框"), "8.8.8.8");
    EXPECT_EQ(Address("备用框"), "");
    EXPECT_EQ(Text("机器名框"), "NQ-E2E-01");
    EXPECT_TRUE(IsWindowEnabled(Control("修改按钮")));
    Screenshot(L"netquill-modified.bmp");

    for (std::size_t i = 0; i < std::size(namePlaces); ++i) {
        seeded.registry.WriteRegistryText(namePlaces[i], namesBefore[i]);
    }
}

}  // namespace
}  // namespace netquill
