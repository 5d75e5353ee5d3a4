// netquill.exe end to end: started as a user starts it, on a registry seeded here through the
// real registry API, driven through its real controls with window messages from this process.
//
// Environment: NETQUILL_EXE, the program's path; NETQUILL_ARTIFACTS, a folder for screenshots
// (BMP; the calling script converts them).
#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "adapters/adapter_scan.h"
#include "adapters/hardware_address.h"
#include "apply/computer_name.h"
#include "core/shared_state.h"
#include "devcon/device_console_image.h"
#include "e2e/window_driver.h"
#include "platform/win32/real_adapter_info_source.h"
#include "platform/win32/real_environment.h"
#include "platform/win32/real_file_reader.h"
#include "platform/win32/real_registry_store.h"
#include "platform/win32/wide_text.h"
#include "ui/main_window_layout.h"

namespace netquill {
namespace {

constexpr DWORD kTimeoutMs = 20000;

std::wstring Environment(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(value, length) : std::wstring();
}

std::string Lines(std::initializer_list<const char*> items) {
    std::string text;
    for (const char* item : items) {
        text += std::string(item) + "\r\n";
    }
    return text;
}

struct DemoAdapter {
    std::string description;
    std::string id;
    std::string connectionName;
};

// The adapters the registry is seeded with: the class layout the program scans.
class SeededRegistry {
  public:
    SeededRegistry() {
        const std::vector<AdapterInfoEntry> system = QueryAdapterInfo(RealAdapterInfoSource{});
        // The first adapter is named after a real one, so that its hardware address shows.
        if (!system.empty()) {
            firstDescription = system.front().systemDescription;
            firstMac = system.front().hardwareAddress;
        }
    }

    // Three adapters: manual with two addresses, DHCP, manual; the slot after them is empty.
    void Seed() {
        AddAdapter(0, {firstDescription, "{E2E00000-0000-0000-0000-000000000001}", "本地连接"});
        WriteManual(0, Lines({"192.168.16.5", "192.168.16.6"}),
                    Lines({"255.255.255.0", "255.255.255.0"}), Lines({"192.168.16.254"}),
                    "202.96.128.86,202.96.134.133");
        AddAdapter(
            1, {"Realtek PCIe GBE 网卡", "{E2E00000-0000-0000-0000-000000000002}", "本地连接 2"});
        const std::string dhcp = Interface(1);
        registry.WriteRegistryNumber(dhcp + "\\EnableDHCP", std::int64_t{1});
        registry.WriteRegistryText(dhcp + "\\DhcpIPAddress", "10.0.2.15");
        registry.WriteRegistryText(dhcp + "\\DhcpSubnetMask", "255.255.255.0");
        registry.WriteMultiString(dhcp, "DhcpDefaultGateway", Lines({"10.0.2.2"}));
        registry.WriteRegistryText(dhcp + "\\DhcpNameServer", "10.0.2.3");
        AddAdapter(2, {"Broadcom NetXtreme", "{E2E00000-0000-0000-0000-000000000003}", "办公网"});
        WriteManual(2, Lines({"172.16.8.20"}), Lines({"255.255.0.0"}), Lines({"172.16.0.1"}),
                    "172.16.0.2");
        store.DeleteValue(ClassKey(3) + "\\Linkage", "UpperBind");
    }

    void AddAdapter(int index, const DemoAdapter& adapter) {
        const std::string key = ClassKey(index);
        registry.WriteRegistryText(key + "\\DriverDesc", adapter.description);
        registry.WriteRegistryText(key + "\\NetCfgInstanceId", adapter.id);
        registry.WriteRegistryText(key + "\\MatchingDeviceId", "pci\\ven_8086&dev_100e");
        registry.WriteRegistryText(key + "\\Ndi\\Interfaces\\LowerRange", "ethernet");
        registry.WriteRegistryText(key + "\\Linkage\\UpperBind", "Tcpip");
        const std::string connection = paths.networkKey + adapter.id + "\\Connection";
        registry.WriteRegistryText(connection + "\\Name", adapter.connectionName);
        registry.WriteRegistryText(connection + "\\PnpInstanceID", "PCI\\E2E_" + adapter.id);
        registry.WriteRegistryText(
            "SYSTEM\\CurrentControlSet\\Enum\\PCI\\E2E_" + adapter.id + "\\Control\\ActiveService",
            "E1000");
        ids[index] = adapter.id;
    }

    void WriteManual(int index, const std::string& addresses, const std::string& masks,
                     const std::string& gateways, const std::string& nameServers) {
        const std::string key = Interface(index);
        registry.WriteRegistryNumber(key + "\\EnableDHCP", std::int64_t{0});
        // The multi-string writer needs the key: the number above created it.
        registry.WriteMultiString(key, "IPAddress", addresses);
        registry.WriteMultiString(key, "SubnetMask", masks);
        registry.WriteMultiString(key, "DefaultGateway", gateways);
        registry.WriteMultiString(key, "DefaultGatewayMetric", Lines({"0"}));
        registry.WriteRegistryText(key + "\\NameServer", nameServers);
    }

    std::string ClassKey(int index) const { return paths.classKey + AdapterSubkeyName(index); }
    std::string Interface(int index) const { return paths.interfacesKey + ids[index]; }

    RealRegistryStore store;
    RealEnvironment environment;
    RegistryAccess registry{store, environment};
    RegistryBasePaths paths = StandardRegistryBasePaths();
    std::string firstDescription = "Intel(R) PRO/1000 MT";
    std::string firstMac;
    std::string ids[4];
};

class NetquillTest : public ::testing::Test {
  protected:
    void SetUp() override {
        seeded.Seed();
        ASSERT_NO_FATAL_FAILURE(Start());
    }

    void TearDown() override {
        if (process.hProcess != nullptr) {
            // Closed as a user closes it; killed only when that does not end it.
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT && window != nullptr) {
                PostMessageW(window, WM_CLOSE, 0, 0);
            }
            if (WaitForSingleObject(process.hProcess, kTimeoutMs) == WAIT_TIMEOUT) {
                TerminateProcess(process.hProcess, 99);
                WaitForSingleObject(process.hProcess, kTimeoutMs);
            }
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
    }

    void Start() {
        const std::wstring exe = Environment(L"NETQUILL_EXE");
        ASSERT_FALSE(exe.empty()) << "NETQUILL_EXE is not set";
        std::wstring commandLine = L"\"" + exe + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        // Wine now and then fails a start right after a process of the same program ended.
        bool started = false;
        for (int attempt = 0; attempt < 3 && !started; ++attempt) {
            started = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                     nullptr, nullptr, &startup, &process) != FALSE;
            if (!started) {
                Sleep(500);
            }
        }
        ASSERT_TRUE(started) << "CreateProcess failed: " << GetLastError();
        // Idle means the start-up, scan included, has finished and the loop waits for input.
        WaitForInputIdle(process.hProcess, kTimeoutMs);
        for (DWORD waited = 0; waited < kTimeoutMs && window == nullptr; waited += 100) {
            window = FindProgramWindow();
            if (window == nullptr) {
                Sleep(100);
            }
        }
        ASSERT_NE(window, nullptr) << "no window titled Netquill";
        // The start-up is over when the scan has shown an adapter.
        for (DWORD waited = 0; waited < kTimeoutMs && TextOf(Control("提示标签")).empty();
             waited += 100) {
            Sleep(100);
        }
    }

    HWND FindProgramWindow() const {
        HWND found = nullptr;
        while ((found = FindWindowExW(nullptr, found, nullptr, L"Netquill")) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            if (owner == process.dwProcessId) {
                return found;
            }
        }
        return nullptr;
    }

    HWND Control(std::string_view name) const {
        return ControlNamed(window, MainWindow::Layout(), name);
    }
    std::string Text(std::string_view name) const { return TextOf(Control(name)); }
    std::string Address(std::string_view name) const {
        return IpAddressOf(Control(name), process.hProcess);
    }

    // Picks a combo box item as the user's pick reports it.
    void Pick(int index) {
        HWND combo = Control("网卡选择框");
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(window, WM_COMMAND,
                     MAKEWPARAM(ControlIdOf(MainWindow::Layout(), "网卡选择框"), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
    }

    // Waits for the program to end; its exit code, or -1 when it did not end in time.
    int WaitForExit() {
        if (WaitForSingleObject(process.hProcess, kTimeoutMs) != WAIT_OBJECT_0) {
            return -1;
        }
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        return static_cast<int>(code);
    }

    void Screenshot(const wchar_t* name) {
        const std::wstring folder = Environment(L"NETQUILL_ARTIFACTS");
        if (!folder.empty()) {
            Sleep(500);  // let the last changes paint
            EXPECT_TRUE(SaveScreenshot(window, folder + L"\\" + name));
        }
    }

    void ExpectShown(const char* instanceId, const char* connection, const std::string& mac,
                     const char* mode, const std::vector<std::string>& addresses) {
        EXPECT_EQ(Text("适配器标签"), instanceId);
        EXPECT_EQ(Text("本地连接框"), connection);
        EXPECT_EQ(Text("MAC信息框"), mac);
        EXPECT_EQ(Text("提示标签"), mode);
        const char* fields[] = {"地址框", "掩码框", "网关框", "首选框", "备用框"};
        for (std::size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(Address(fields[i]), addresses[i]) << fields[i];
        }
    }

    SeededRegistry seeded;
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
};

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

    // The café button that switches pages is not wired yet: show the café page's controls for
    // the screenshot only, as switching would.
    for (const ControlLayout& row : MainWindow::Layout().controls) {
        if (row.page >= 0) {
            ShowWindow(Control(row.name), row.page == 1 ? SW_SHOWNA : SW_HIDE);
        }
    }
    Screenshot(L"netquill-cafe.bmp");
}

// The names of the values a key holds, as stored.
std::vector<std::string> ValueNames(const std::string& keyPath) {
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, ToWide(keyPath).c_str(), 0, KEY_READ, &key) != 0) {
        return names;
    }
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != 0) {
            break;
        }
        names.push_back(FromWide(std::wstring_view(name, length)));
    }
    RegCloseKey(key);
    std::ranges::sort(names);
    return names;
}

// The window text as the system stores it, read without sending the window a message, so it can
// be watched while the program is busy.
std::string StoredTextOf(HWND window) {
    wchar_t text[256];
    const int length = InternalGetWindowText(window, text, 256);
    return FromWide(std::wstring_view(text, static_cast<std::size_t>(length)));
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
    EXPECT_EQ(RealFileReader().ReadWholeFile(FromWide(tool)),
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
    std::vector<std::string> statuses{StoredTextOf(Control("提示标签"))};
    for (DWORD waited = 0; waited < kTimeoutMs; waited += 10) {
        const std::string status = StoredTextOf(Control("提示标签"));
        if (status != statuses.back()) {
            statuses.push_back(status);
        }
        if (status == "手动配置" && std::ranges::count(statuses, "修改完成……") > 0) {
            break;
        }
        Sleep(10);
    }
    WaitForInputIdle(process.hProcess, kTimeoutMs);
    RecordProperty("statuses", testing::PrintToString(statuses));

    // "正在修改……" reaches the screen only when input waits while it is set.
    const auto done = std::ranges::find(statuses, "修改完成……");
    ASSERT_NE(done, statuses.end()) << testing::PrintToString(statuses);
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
