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
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "adapters/adapter_scan.h"
#include "adapters/hardware_address.h"
#include "advanced/validation.h"
#include "apply/computer_name.h"
#include "core/shared_state.h"
#include "devcon/device_console_image.h"
#include "e2e/window_driver.h"
#include "platform/win32/real_adapter_info_source.h"
#include "platform/win32/real_environment.h"
#include "platform/win32/real_registry_store.h"
#include "platform/win32/real_system_files.h"
#include "platform/win32/wide_text.h"
#include "ui/advanced_window.h"
#include "ui/advanced_window_layout.h"
#include "ui/entry_dialog_layout.h"
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

    // Of the main window, or of `shown`, another window of the program.
    void Screenshot(const wchar_t* name, HWND shown = nullptr) {
        const std::wstring folder = Environment(L"NETQUILL_ARTIFACTS");
        if (!folder.empty()) {
            Sleep(500);  // let the last changes paint
            EXPECT_TRUE(SaveScreenshot(shown ? shown : window, folder + L"\\" + name));
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

    SendMessageW(Control("网吧按钮"), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowVisible(Control("网吧修改框")));
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

// Every text the status line shows from now until an apply has finished and the rescan shows the
// adapter's mode again; the program is idle afterwards.
std::vector<std::string> StatusesUntilApplied(HWND statusLine, const PROCESS_INFORMATION& process) {
    std::vector<std::string> statuses{StoredTextOf(statusLine)};
    for (DWORD waited = 0; waited < kTimeoutMs; waited += 10) {
        const std::string status = StoredTextOf(statusLine);
        if (status != statuses.back()) {
            statuses.push_back(status);
        }
        if (status == "手动配置" && std::ranges::count(statuses, "修改完成……") > 0) {
            break;
        }
        Sleep(10);
    }
    WaitForInputIdle(process.hProcess, kTimeoutMs);
    return statuses;
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

// ipset.ini beside netquill.exe, for the tests of café mode: what was there before is set aside
// while the test runs and put back afterwards.
class TemplateFileBeside {
  public:
    TemplateFileBeside() {
        const std::wstring exe = Environment(L"NETQUILL_EXE");
        path_ = exe.substr(0, exe.find_last_of(L'\\') + 1) + L"ipset.ini";
        saved_ = Content();
        DeleteFileW(path_.c_str());
    }
    TemplateFileBeside(const TemplateFileBeside&) = delete;
    TemplateFileBeside& operator=(const TemplateFileBeside&) = delete;
    ~TemplateFileBeside() {
        DeleteFileW(path_.c_str());
        if (saved_) {
            Put(*saved_);
        }
    }

    const std::wstring& Path() const { return path_; }

    // The file's bytes (code page 936), as the program keeps them.
    void Put(const std::string& content) const {
        const HANDLE file =
            CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
        ASSERT_EQ(written, content.size());
    }

    std::optional<std::string> Content() const {
        const auto bytes = RealSystemFiles().ReadWholeFile(FromWide(path_));
        return bytes ? std::optional<std::string>(std::string(bytes->begin(), bytes->end()))
                     : std::nullopt;
    }

  private:
    std::wstring path_;
    std::optional<std::string> saved_;
};

// Registry values a test changes, put back (or removed again) when it ends.
class RegistryValuesKept {
  public:
    RegistryValuesKept(RegistryStore& store, std::vector<std::string> valuePaths)
        : store_(store), paths_(std::move(valuePaths)) {
        for (const std::string& path : paths_) {
            const std::size_t cut = path.find_last_of('\\');
            before_.push_back(store_.QueryValue(path.substr(0, cut), path.substr(cut + 1)));
        }
    }
    RegistryValuesKept(const RegistryValuesKept&) = delete;
    RegistryValuesKept& operator=(const RegistryValuesKept&) = delete;
    ~RegistryValuesKept() {
        for (std::size_t i = 0; i < paths_.size(); ++i) {
            const std::size_t cut = paths_[i].find_last_of('\\');
            const std::string key = paths_[i].substr(0, cut);
            const std::string name = paths_[i].substr(cut + 1);
            if (before_[i]) {
                store_.SetValue(key, name, *before_[i], KeyCreation::kCreateMissing);
            } else {
                store_.DeleteValue(key, name);
            }
        }
    }

  private:
    RegistryStore& store_;
    std::vector<std::string> paths_;
    std::vector<std::optional<RegistryValue>> before_;
};

const std::string kWinlogonKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const std::string kIpxKey = "SYSTEM\\CurrentControlSet\\Services\\NwlnkIpx";
const std::vector<std::string> kComputerNamePlaces = {
    "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName\\ComputerName",
    "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\NV Hostname",
    "SYSTEM\\ControlSet001\\Control\\ComputerName\\ComputerName\\ComputerName",
    "SYSTEM\\ControlSet001\\Services\\Tcpip\\Parameters\\NV Hostname",
};
const char* const kLogonValues[] = {"AutoAdminLogon",     "DefaultUserName",
                                    "DefaultPassword",    "DefaultDomainName",
                                    "AltDefaultUserName", "AltDefaultDomainName"};

std::vector<std::string> CafeTouchedValues() {
    std::vector<std::string> paths = kComputerNamePlaces;
    for (const char* name : kLogonValues) {
        paths.push_back(kWinlogonKey + "\\" + name);
    }
    paths.push_back(kIpxKey + "\\DisplayName");
    paths.push_back(kIpxKey + "\\Parameters\\VirtualNetworkNumber");
    return paths;
}

// Waits for a message box of process `processId` titled `title`, closes it with its OK button
// and returns its text; the empty text when none came.
std::string CloseMessageBox(DWORD processId, const wchar_t* title) {
    for (DWORD waited = 0; waited < kTimeoutMs; waited += 100) {
        HWND box = nullptr;
        while ((box = FindWindowExW(nullptr, box, L"#32770", title)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(box, &owner);
            if (owner == processId && IsWindowVisible(box)) {
                std::string text;
                for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
                     child = GetWindow(child, GW_HWNDNEXT)) {
                    wchar_t className[16] = {};
                    GetClassNameW(child, className, 16);
                    if (lstrcmpiW(className, L"Static") == 0) {
                        text += TextOf(child);
                    }
                }
                PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
                return text;
            }
        }
        Sleep(100);
    }
    return {};
}

class CafeModeTest : public NetquillTest {
  protected:
    HWND FocusOfProgram() const {
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        return GetGUIThreadInfo(process.dwThreadId, &thread) ? thread.hwndFocus : nullptr;
    }

    // The focus moves once the click's handler has returned: wait for it to settle.
    HWND SettledFocus() const {
        WaitForInputIdle(process.hProcess, kTimeoutMs);
        HWND focus = FocusOfProgram();
        for (DWORD waited = 0; waited < 2000; waited += 50) {
            Sleep(50);
            HWND now = FocusOfProgram();
            if (now == focus && waited >= 200) {
                break;
            }
            focus = now;
        }
        return focus;
    }

    bool CafePageShown() const {
        return IsWindowVisible(Control("网吧修改框")) && !IsWindowVisible(Control("本地连接框"));
    }

    // After a message box closes the program goes on by itself: wait for the page it turns to.
    bool LocalConnectionPageComesBack() const {
        for (DWORD waited = 0; waited < kTimeoutMs && CafePageShown(); waited += 50) {
            Sleep(50);
        }
        return !CafePageShown();
    }

    TemplateFileBeside templateFile;
    RegistryValuesKept kept{seeded.store, CafeTouchedValues()};
};

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

    const std::pair<const char*, const char*> fields[] = {
        {"机器", "机器名框2"}, {"地址", "地址框2"}, {"掩码", "掩码框2"}, {"网关", "网关框2"},
        {"用户", "用户框2"},   {"密码", "密码框2"}, {"首选", "首选框2"}, {"备用", "备用框2"},
    };
    const std::string ansiPath = FromWide(templateFile.Path());
    const auto systemRead = [&](const char* key) {
        std::string value(10240, '\0');
        value.resize(GetPrivateProfileStringA("配置", key, "(missing)", value.data(),
                                              static_cast<DWORD>(value.size()), ansiPath.c_str()));
        return value;
    };
    for (const auto& [key, field] : fields) {
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

using Rows = std::vector<std::vector<std::string>>;
using Items = std::vector<std::string>;

// The advanced settings window and its entry dialog, driven from outside as the user drives them.
class AdvancedSettingsTest : public NetquillTest {
  protected:
    // The program's top-level window titled `caption` once it shows; nullptr when none came.
    HWND WaitForWindow(std::string_view caption) const {
        const std::wstring title = ToWide(caption);
        for (DWORD waited = 0; waited < kTimeoutMs; waited += 50) {
            HWND found = nullptr;
            while ((found = FindWindowExW(nullptr, found, nullptr, title.c_str())) != nullptr) {
                DWORD owner = 0;
                GetWindowThreadProcessId(found, &owner);
                if (owner == process.dwProcessId && IsWindowVisible(found)) {
                    return found;
                }
            }
            Sleep(50);
        }
        return nullptr;
    }

    // Waits for `condition`; whether it came true in time.
    template <typename Condition>
    static bool WaitFor(Condition condition) {
        for (DWORD waited = 0; waited < kTimeoutMs; waited += 50) {
            if (condition()) {
                return true;
            }
            Sleep(50);
        }
        return condition();
    }

    static bool Gone(HWND shown) { return !IsWindow(shown) || !IsWindowVisible(shown); }

    // Posted: the click's handler may open a window that runs a loop of its own.
    static void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

    static void SetAddress(HWND field, BYTE a, BYTE b, BYTE c, BYTE d) {
        SendMessageW(field, IPM_SETADDRESS, 0, MAKEIPADDRESS(a, b, c, d));
    }

    HWND Advanced(std::string_view name) const {
        return ControlNamed(advanced, kAdvancedWindowLayout, name);
    }
    HWND Entry(std::string_view name) const {
        return ControlNamed(entry, kEntryDialogLayout, name);
    }

    // Opens the entry dialog with an add button of the advanced window.
    void OpenEntryDialog(std::string_view addButton, std::string_view caption) {
        Click(Advanced(addButton));
        entry = WaitForWindow(caption);
        ASSERT_NE(entry, nullptr) << caption;
        EXPECT_EQ(GetWindow(entry, GW_OWNER), advanced);
        EXPECT_EQ(TextOf(Entry("添加按钮")), "添加");
    }

    Rows AddressRows() const { return ListViewRows(Advanced("超级列表框1"), process.hProcess); }
    Rows GatewayRows() const { return ListViewRows(Advanced("超级列表框2"), process.hProcess); }
    Items DnsServers() const { return ListBoxItems(Advanced("DNS列表框")); }

    HWND advanced = nullptr;
    HWND entry = nullptr;
};

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
