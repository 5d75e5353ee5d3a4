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
#include "apply/apply_pipeline.h"
#include "apply/computer_name.h"
#include "cafe/private_profile.h"
#include "core/shared_state.h"
#include "devcon/device_console_image.h"
#include "e2e/raw_access.h"
#include "e2e/window_driver.h"
#include "platform/win32/real_adapter_info_source.h"
#include "platform/win32/real_environment.h"
#include "platform/win32/real_registry_store.h"
#include "platform/win32/real_system_files.h"
#include "platform/win32/wide_text.h"
#include "registry/registry_access.h"
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

// A message box that process `processId` shows, titled `title` (any title for nullptr), or
// nullptr.
HWND ShownMessageBox(DWORD processId, const wchar_t* title = nullptr) {
    HWND box = nullptr;
    while ((box = FindWindowExW(nullptr, box, L"#32770", title)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(box, &owner);
        if (owner == processId && IsWindowVisible(box)) {
            return box;
        }
    }
    return nullptr;
}

std::string MessageBoxText(HWND box) {
    std::string text;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        if (lstrcmpiW(className, L"Static") == 0) {
            text += TextOf(child);
        }
    }
    return text;
}

// Waits for a message box of process `processId` titled `title`, closes it with its OK button
// and returns its text; the empty text when none came.
std::string CloseMessageBox(DWORD processId, const wchar_t* title) {
    for (DWORD waited = 0; waited < kTimeoutMs; waited += 100) {
        if (HWND box = ShownMessageBox(processId, title)) {
            std::string text = MessageBoxText(box);
            PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
            return text;
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

// Bad input: texts that no keyboard makes, pasted into every box a user can put text into, and
// registry values and a template file that no tool of the system writes. The program keeps
// answering, shows in each box what it holds, stores exactly that or refuses it with a message,
// and leaves every value it has no reason to write byte for byte as it was.

struct BadText {
    const char* name;
    std::wstring text;
    // What a part of an IP-address field keeps of it: its leading digits, or nothing.
    std::wstring part;
};

const std::vector<BadText>& BadTexts() {
    static const std::vector<BadText> texts = [] {
        // Digits first, then surrogate pairs, Chinese and Latin: a box of four characters cuts it
        // inside a pair, and the last of its 100,000 units is a lone high surrogate.
        std::wstring huge = L"123";
        while (huge.size() < 100000) {
            huge += L"\xD83D\xDE00网a";
        }
        huge.resize(100000);
        return std::vector<BadText>{
            {"100,000 units", huge, L"123"},
            {"unpaired surrogates", {L'\xD800', L'7', L'\xDC00', L'8'}, L""},
            {"what code page 936 lacks",
             {L'\xD83D', L'\xDE00', L'1', L'\xFFFF', L'\x80', L'\x9F'},
             L""},
            {"a NUL inside", {L'1', L'2', L'\0', L'3', L'4'}, L"12"},
        };
    }();
    return texts;
}

// The number the leading ASCII digits of `text` make, 0 without any; capped, since only small
// ones matter here.
int LeadingNumber(std::wstring_view text) {
    int value = 0;
    for (std::size_t i = 0; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = std::min(value * 10 + (text[i] - L'0'), 1000000);
    }
    return value;
}

// A box that takes text: an edit box, or a part of an IP-address field.
struct TextBox {
    std::string name;
    HWND handle = nullptr;
    const ControlLayout* row = nullptr;
    bool part = false;
};

// Every box of `window` that takes text, from its layout.
std::vector<TextBox> TextBoxes(HWND window, const WindowLayout& layout) {
    std::vector<TextBox> boxes;
    for (const ControlLayout& row : layout.controls) {
        const HWND control = ControlNamed(window, layout, row.name);
        if (row.kind == ControlKind::kEditBox) {
            boxes.push_back({std::string(row.name), control, &row, false});
        } else if (row.kind == ControlKind::kIpAddressField) {
            int number = 0;
            for (HWND part = GetWindow(control, GW_CHILD); part != nullptr;
                 part = GetWindow(part, GW_HWNDNEXT)) {
                boxes.push_back({std::string(row.name) + " part " + std::to_string(++number), part,
                                 &row, true});
            }
        }
    }
    return boxes;
}

bool ReadOnly(HWND box) {
    return (GetWindowLongW(box, GWL_STYLE) & ES_READONLY) != 0;
}

// Sends a message as a user's action sends it, without waiting forever on a program that hangs;
// whether the program handled it in time.
bool SendInTime(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kTimeoutMs, &result) !=
           0;
}

// Pastes the clipboard's text into `box` as a user does: the box's text selected, then Ctrl+V
// (the character those keys make) or Paste from the box's menu; the parts of an address field
// take only the menu's. A read-only box takes no paste: `text` is set, as a tool that drives
// windows may set it. Whether the program handled it in time.
bool PasteInto(const TextBox& box, const std::wstring& text, bool withKeys) {
    if (ReadOnly(box.handle)) {
        return SendInTime(box.handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    constexpr WPARAM kCtrlV = 0x16;
    return SendInTime(box.handle, EM_SETSEL, 0, -1) &&
           (withKeys && !box.part ? SendInTime(box.handle, WM_CHAR, kCtrlV, 1)
                                  : SendInTime(box.handle, WM_PASTE));
}

// After `pasted` went into `box`, which showed `before`: the box shows a text that the program
// holds as it is (code page 936 keeps it), and nothing of the paste is lost but what the box's
// limit or a NUL ends; a part of an address field shows what the field takes of it, and a
// read-only box keeps its own text.
void ExpectShownAsHeld(const TextBox& box, const BadText& pasted, const std::wstring& before) {
    const std::wstring shown = WideTextOf(box.handle);
    const std::string start = FromWide(shown.substr(0, 24));
    EXPECT_TRUE(ToWide(FromWide(shown)) == shown) << start;
    if (box.part) {
        EXPECT_TRUE(shown == pasted.part) << start;
    } else if (ReadOnly(box.handle)) {
        EXPECT_TRUE(shown == before) << start;
    } else {
        std::size_t length = std::min(pasted.text.find(L'\0'), pasted.text.size());
        if (box.row->maxLength > 0) {
            length = std::min(length, static_cast<std::size_t>(box.row->maxLength));
        }
        EXPECT_EQ(shown.size(), length) << start;
    }
}

// A REG_SZ value holding `text` as the program stores it: UTF-16 and one closing NUL.
RawValue StoredText(std::wstring text) {
    text.push_back(L'\0');
    return {REG_SZ, BytesOf(text)};
}

RawValue StoredNumber(DWORD number) {
    return {REG_DWORD,
            {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8),
             static_cast<BYTE>(number >> 16), static_cast<BYTE>(number >> 24)}};
}

ValuePlace PlaceOf(const std::string& key, std::string_view name) {
    return {ToWide(key), ToWide(name)};
}

// A value path of the program's, split at its last backslash.
ValuePlace PlaceAt(const std::string& valuePath) {
    const std::size_t cut = valuePath.find_last_of('\\');
    return PlaceOf(valuePath.substr(0, cut), valuePath.substr(cut + 1));
}

// The value at a value path, as stored.
std::optional<RawValue> RawAt(const std::string& valuePath) {
    const ValuePlace place = PlaceAt(valuePath);
    return ReadRawValue(place.key, place.name);
}

std::vector<std::optional<RawValue>> ReadAll(const std::vector<ValuePlace>& places) {
    std::vector<std::optional<RawValue>> values;
    for (const ValuePlace& place : places) {
        values.push_back(ReadRawValue(place.key, place.name));
    }
    return values;
}

// The template's keys and the boxes of the café page they are saved from.
const std::pair<const char*, const char*> kTemplateBoxes[] = {
    {"机器", "机器名框2"}, {"地址", "地址框2"}, {"掩码", "掩码框2"}, {"网关", "网关框2"},
    {"用户", "用户框2"},   {"密码", "密码框2"}, {"首选", "首选框2"}, {"备用", "备用框2"},
};

const char* const kInterfaceValues[] = {
    "EnableDHCP",           "IPAddress",          "SubnetMask",      "DefaultGateway",
    "DefaultGatewayMetric", "NameServer",         "InterfaceMetric", "DhcpIPAddress",
    "DhcpSubnetMask",       "DhcpDefaultGateway", "DhcpNameServer",
};

class BadInputTest : public AdvancedSettingsTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(templateFile.Put(
            "[配置]\r\n机器=NQ\r\n地址=192.168.16.\r\n掩码=255.255.255.0\r\n"
            "网关=192.168.16.254\r\n用户=player\r\n密码=pw\r\n首选=114.114.114.114\r\n"
            "备用=114.114.115.115\r\n增位=假\r\n"));
        seeded.Seed();
        kept.emplace(TouchedPlaces());
        seeded.registry.WriteRegistryText(kIpxKey + "\\DisplayName", "NWLink IPX");
        ASSERT_NO_FATAL_FAILURE(Start());
    }

    // Every value the tests or the program may change, as seeded.
    std::vector<ValuePlace> TouchedPlaces() const {
        std::vector<ValuePlace> places;
        for (const std::string& path : CafeTouchedValues()) {
            places.push_back(PlaceAt(path));
        }
        for (int i = 0; i < 3; ++i) {
            for (const char* name : kInterfaceValues) {
                places.push_back(PlaceOf(seeded.Interface(i), name));
            }
            places.push_back(PlaceOf(seeded.ClassKey(i), "DriverDesc"));
            places.push_back(PlaceOf(ConnectionKey(i), "Name"));
        }
        return places;
    }

    // What the program reads of the adapters it does not apply to, and never writes.
    std::vector<ValuePlace> UntouchedPlaces(int applied) const {
        std::vector<ValuePlace> places{PlaceOf(kIpxKey, "DisplayName")};
        for (int i = 0; i < 3; ++i) {
            for (const char* name : kInterfaceValues) {
                if (i != applied || std::string_view(name).starts_with("Dhcp")) {
                    places.push_back(PlaceOf(seeded.Interface(i), name));
                }
            }
            places.push_back(PlaceOf(seeded.ClassKey(i), "DriverDesc"));
            places.push_back(PlaceOf(ConnectionKey(i), "Name"));
        }
        return places;
    }

    std::string ConnectionKey(int index) const {
        return seeded.paths.networkKey + seeded.ids[index] + "\\Connection";
    }

    // Pastes `bad` into every box of `shown` that shows and that `chosen` accepts.
    template <typename Chosen>
    void PasteWhere(HWND shown, const WindowLayout& layout, const BadText& bad, Chosen chosen) {
        for (const TextBox& box : TextBoxes(shown, layout)) {
            if (!IsWindowVisible(box.handle) || !chosen(box)) {
                continue;
            }
            SCOPED_TRACE(box.name);
            const std::wstring before = WideTextOf(box.handle);
            pasteWithKeys = !pasteWithKeys;
            ASSERT_TRUE(PasteInto(box, bad.text, pasteWithKeys)) << "the program does not answer";
            ExpectShownAsHeld(box, bad, before);
        }
    }

    // Starts an apply with `start` and waits until the rescan after it has given the window
    // back, closing each message box the program shows meanwhile; their titles and texts.
    template <typename Start>
    std::vector<std::string> ApplyClosingMessages(Start start) {
        start();
        std::vector<std::string> messages;
        bool ended = false;
        for (DWORD waited = 0; waited < 2 * kTimeoutMs; waited += 20) {
            if (HWND box = ShownMessageBox(process.dwProcessId)) {
                messages.push_back(TextOf(box) + ": " + MessageBoxText(box));
                PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
                EXPECT_TRUE(WaitFor([&] { return Gone(box); }));
            }
            const std::string status = StoredTextOf(Control("提示标签"));
            ended = ended || status == kApplied || status == kApplyFailed;
            if (ended && IsWindowEnabled(Control("修改按钮"))) {
                break;
            }
            Sleep(20);
        }
        EXPECT_TRUE(ended) << "no apply ended";
        WaitForInputIdle(process.hProcess, kTimeoutMs);
        return messages;
    }

    bool CafePageShown() const { return IsWindowVisible(Control("网吧修改框")) != FALSE; }

    // Closes the message box titled `title` once it shows, and waits until it has gone: the
    // program's windows take no input before. Its text.
    std::string Refusal(const wchar_t* title) {
        std::string text = CloseMessageBox(process.dwProcessId, title);
        EXPECT_TRUE(WaitFor([&] { return ShownMessageBox(process.dwProcessId) == nullptr; }));
        return text;
    }

    void PasteEverywhere(HWND shown, const WindowLayout& layout, const BadText& bad) {
        PasteWhere(shown, layout, bad, [](const TextBox&) { return true; });
    }

    void PasteOnPage(int page, const BadText& bad) {
        PasteWhere(window, MainWindow::Layout(), bad,
                   [page](const TextBox& box) { return box.row->page == page; });
    }

    void ExpectClosesWithCodeZero() {
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(WaitForExit(), 0);
    }

    TemplateFileBeside templateFile;
    std::optional<RawValuesKept> kept;
    bool pasteWithKeys = false;
};

TEST_F(BadInputTest, MainWindowBoxesHoldWhatTheyShowAndItIsStoredAsShown) {
    using namespace std::string_literals;
    const std::vector<ValuePlace> untouched = UntouchedPlaces(0);
    const auto untouchedBefore = ReadAll(untouched);
    for (const BadText& bad : BadTexts()) {
        SCOPED_TRACE(bad.name);
        seeded.Seed();  // the first adapter as it was before the last round's apply
        ASSERT_TRUE(SendInTime(Control("刷新按钮"), BM_CLICK));
        ASSERT_TRUE(PutOnClipboard(bad.text));
        ASSERT_NO_FATAL_FAILURE(PasteOnPage(MainWindow::kLocalConnectionPage, bad));
        ASSERT_TRUE(SendInTime(Control("网吧按钮"), BM_CLICK));
        ASSERT_TRUE(CafePageShown());
        ASSERT_NO_FATAL_FAILURE(PasteOnPage(MainWindow::kCafePage, bad));

        // Saved: each value of the template is what its box shows.
        PostMessageW(Control("保存按钮"), BM_CLICK, 0, 0);
        EXPECT_EQ(Refusal(L"提示"), "配置信息保存完毕！");
        EXPECT_TRUE(WaitFor([&] { return !CafePageShown(); }));
        const std::string file = templateFile.Content().value_or("");
        for (const auto& [key, box] : kTemplateBoxes) {
            EXPECT_TRUE(ToWide(ReadProfileValue(file, "配置", key, "(missing)", file.size() + 1)) ==
                        WideTextOf(Control(box)))
                << key;
        }

        // Applied: each value is what its box shows, or refused with a message and kept.
        const std::wstring name = WideTextOf(Control("机器名框"));
        const std::wstring ipx = WideTextOf(Control("网络号框"));
        const std::wstring user = WideTextOf(Control("用户框2"));
        const std::wstring password = WideTextOf(Control("密码框2"));
        const std::string ipxPath = kIpxKey + "\\Parameters\\VirtualNetworkNumber";
        const auto ipxBefore = RawAt(ipxPath);
        const std::vector<std::string> messages =
            ApplyClosingMessages([&] { PostMessageW(Control("修改按钮"), BM_CLICK, 0, 0); });
        for (const std::string& place : kComputerNamePlaces) {
            EXPECT_TRUE(RawAt(place) == StoredText(name)) << place;
        }
        const std::pair<const char*, std::wstring> logon[] = {
            {"AutoAdminLogon", L"1"},      {"DefaultUserName", user},
            {"DefaultPassword", password}, {"DefaultDomainName", name},
            {"AltDefaultUserName", user},  {"AltDefaultDomainName", name},
        };
        for (const auto& [value, text] : logon) {
            EXPECT_TRUE(RawAt(kWinlogonKey + "\\" + value) == StoredText(text)) << value;
        }
        const bool ipxNumber =
            !ipx.empty() && ipx.size() <= 8 &&
            ipx.find_first_not_of(L"0123456789abcdefABCDEF") == std::wstring::npos;
        if (ipxNumber) {
            EXPECT_TRUE(messages.empty()) << testing::PrintToString(messages);
            EXPECT_TRUE(RawAt(ipxPath) == StoredNumber(std::wcstoul(ipx.c_str(), nullptr, 16)));
        } else {
            ASSERT_EQ(messages.size(), 1u) << testing::PrintToString(messages);
            EXPECT_NE(messages.front().find("IPX"), std::string::npos) << messages.front();
            EXPECT_TRUE(RawAt(ipxPath) == ipxBefore);
        }
        // Every part of every address field took the same digits: with none, the fields are
        // blank and the first entry of each list goes.
        const std::string part = FromWide(bad.part);
        const std::string address = part.empty() ? "" : part + "." + part + "." + part + "." + part;
        const std::string key = seeded.Interface(0);
        const auto multi = [](const std::string& items) {
            return std::optional<RegistryValue>({kRegMultiSz, items + '\0'});
        };
        EXPECT_EQ(seeded.store.QueryValue(key, "IPAddress"),
                  multi(address.empty() ? "192.168.16.6\0"s : address + '\0' + "192.168.16.6\0"s));
        EXPECT_EQ(
            seeded.store.QueryValue(key, "SubnetMask"),
            multi(address.empty() ? "255.255.255.0\0"s : address + '\0' + "255.255.255.0\0"s));
        EXPECT_EQ(seeded.store.QueryValue(key, "DefaultGateway"),
                  address.empty() ? std::nullopt : multi(address + '\0'));
        EXPECT_EQ(seeded.store.QueryValue(key, "NameServer"),
                  (RegistryValue{kRegSz, (address.empty() ? "" : address + "," + address) + '\0'}));
        EXPECT_TRUE(ReadAll(untouched) == untouchedBefore);
    }
    ExpectClosesWithCodeZero();
}

TEST_F(BadInputTest, AdvancedWindowAndEntryDialogHoldWhatTheyShow) {
    struct EntryKind {
        const char* addButton;
        const char* caption;
        int page;
    };
    const EntryKind kinds[] = {
        {"添加按钮1", "TCP/IP 地址", AdvancedWindow::kIpSettingsPage},
        {"添加按钮2", "TCP/IP 网关地址", AdvancedWindow::kIpSettingsPage},
        {"添加按钮3", "TCP/IP DNS 服务器", AdvancedWindow::kDnsPage},
    };
    const std::vector<ValuePlace> untouched = UntouchedPlaces(2);
    const auto untouchedBefore = ReadAll(untouched);
    Pick(2);
    Rows addresses;
    Rows gateways;
    Items servers;
    int metric = 0;  // automatic
    for (const BadText& bad : BadTexts()) {
        SCOPED_TRACE(bad.name);
        ASSERT_TRUE(PutOnClipboard(bad.text));
        Click(Control("高级按钮"));
        advanced = WaitForWindow("高级 TCP/IP 设置");
        ASSERT_NE(advanced, nullptr);
        const HWND pages = Advanced("功能选择夹");
        for (std::size_t k = 0; k < std::size(kinds); ++k) {
            const EntryKind& kind = kinds[k];
            SCOPED_TRACE(kind.caption);
            if (SendMessageW(pages, TCM_GETCURSEL, 0, 0) != kind.page) {
                ClickTab(pages, kind.page, process.hProcess);
                EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(Advanced(kind.addButton)); }));
            }
            const Rows addressesBefore = AddressRows();
            const Rows gatewaysBefore = GatewayRows();
            const Items serversBefore = DnsServers();
            ASSERT_NO_FATAL_FAILURE(OpenEntryDialog(kind.addButton, kind.caption));
            const HWND automatic = Entry("自动框");
            if (IsWindowVisible(automatic) &&
                SendMessageW(automatic, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                Click(automatic);
                EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(Entry("跃点框")) != FALSE; }));
            }
            ASSERT_NO_FATAL_FAILURE(PasteEverywhere(entry, kEntryDialogLayout, bad));
            // What the dialog's fields show; those of other kinds stay blank and hidden.
            const auto shown = [&](const char* field) {
                return IpAddressOf(Entry(field), process.hProcess);
            };
            Rows addressesAfter = addressesBefore;
            Rows gatewaysAfter = gatewaysBefore;
            Items serversAfter = serversBefore;
            if (!bad.part.empty()) {
                if (k == 0) {
                    addressesAfter.push_back({shown("地址框"), shown("掩码框")});
                } else if (k == 1) {
                    gatewaysAfter.push_back({shown("网关框"), TextOf(Entry("跃点框"))});
                } else {
                    serversAfter.push_back(shown("DNS框"));
                }
            }
            Click(Entry("添加按钮"));
            if (bad.part.empty()) {
                EXPECT_EQ(Refusal(L"错误"), kAddressBlank);
            }
            EXPECT_TRUE(WaitFor([&] { return Gone(entry); }));
            EXPECT_TRUE(WaitFor([&] {
                return AddressRows() == addressesAfter && GatewayRows() == gatewaysAfter &&
                       DnsServers() == serversAfter;
            }));
        }

        // The interface metric typed last: leaving the page would check it. OK takes it, or
        // refuses one that is no number 1 to 9999 with its message; automatic then.
        ClickTab(pages, AdvancedWindow::kIpSettingsPage, process.hProcess);
        const HWND metricBox = Advanced("跃点框");
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(metricBox) != FALSE; }));
        if (!IsWindowEnabled(metricBox)) {
            Click(Advanced("跃点选择框"));
            EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(metricBox) != FALSE; }));
        }
        ASSERT_NO_FATAL_FAILURE(PasteEverywhere(advanced, kAdvancedWindowLayout, bad));
        metric = LeadingNumber(WideTextOf(metricBox));
        addresses = AddressRows();
        gateways = GatewayRows();
        servers = DnsServers();
        Click(Advanced("确定按钮"));
        if (metric == 0) {
            EXPECT_EQ(Refusal(L"Microsoft TCP/IP"), kBadMetricText);
            Click(Advanced("跃点选择框"));
            EXPECT_TRUE(WaitFor([&] { return !IsWindowEnabled(metricBox); }));
            Click(Advanced("确定按钮"));
        }
        EXPECT_TRUE(WaitFor([&] { return Gone(advanced); }));
        EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(window) != FALSE; }));
    }

    // 修改 stores the lists as the advanced window showed them when OK took them.
    EXPECT_TRUE(
        ApplyClosingMessages([&] { PostMessageW(Control("修改按钮"), BM_CLICK, 0, 0); }).empty());
    const auto joined = [](const Rows& rows, std::size_t column) {
        std::string items;
        for (const auto& row : rows) {
            items += (column == 1 && row[1] == "自动" ? "0" : row[column]) + '\0';
        }
        return std::optional<RegistryValue>({kRegMultiSz, items + '\0'});
    };
    const std::string key = seeded.Interface(2);
    EXPECT_EQ(seeded.store.QueryValue(key, "IPAddress"), joined(addresses, 0));
    EXPECT_EQ(seeded.store.QueryValue(key, "SubnetMask"), joined(addresses, 1));
    EXPECT_EQ(seeded.store.QueryValue(key, "DefaultGateway"), joined(gateways, 0));
    EXPECT_EQ(seeded.store.QueryValue(key, "DefaultGatewayMetric"), joined(gateways, 1));
    std::string nameServers;
    for (const std::string& server : servers) {
        nameServers += (nameServers.empty() ? "" : ",") + server;
    }
    EXPECT_EQ(seeded.store.QueryValue(key, "NameServer"),
              (RegistryValue{kRegSz, nameServers + '\0'}));
    const auto stored = RawAt(InterfaceMetricPath(seeded.ids[2]));
    if (metric == 0) {
        EXPECT_FALSE(stored.has_value());
    } else {
        EXPECT_TRUE(stored == StoredNumber(static_cast<DWORD>(metric)));
    }
    EXPECT_TRUE(ReadAll(untouched) == untouchedBefore);
    ExpectClosesWithCodeZero();
}

// The registry and the template file as no tool of the system leaves them, for the adapter the
// café mode applies to, the computer name, IPX and the automatic logon.
class BadRegistryAndTemplateTest : public BadInputTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(templateFile.Put(BadTemplate()));
        seeded.Seed();
        kept.emplace(TouchedPlaces());
        for (const auto& [path, value] : BadValues()) {
            const ValuePlace place = PlaceAt(path);
            ASSERT_TRUE(WriteRawValue(place.key, place.name, value)) << path;
        }
        ASSERT_NO_FATAL_FAILURE(Start());
    }

    static std::string BadTemplate() {
        std::string user;
        while (user.size() < 200000) {
            user += "玩家";
        }
        std::string junk;
        while (junk.size() < 300000) {
            junk += "\x81\xFF\x80=";
        }
        return "[配置]\r\n"
               "机器=NQ\x81\r\n"  // a lead byte without its trail byte
               "地址=192.168.16.\r\n掩码=255.255.255.0\r\n网关=192.168.16.254\r\n用户=" +
               user + "\r\n密码=pw\xFF\x80" + std::string("\0tail", 5) +
               "\r\n首选=114.114.114.114\r\n备用=\xFE\r\n增位=假\r\n; " + junk + "\r\n";
    }

    static std::wstring LongAddress() { return std::wstring(100000, L'9'); }

    // Value paths and what is stored there: wrong types, odd byte counts, no closing NUL,
    // unpaired surrogates, 100,000 characters.
    std::vector<std::pair<std::string, RawValue>> BadValues() const {
        using namespace std::string_literals;
        const auto text = [](DWORD type, const std::wstring& units) {
            return RawValue{type, BytesOf(units)};
        };
        const auto odd = [](RawValue value) {
            value.bytes.push_back(0x41);
            return value;
        };
        const std::string applied = seeded.Interface(0) + "\\";
        std::wstring longName(100000, L'N');
        longName[50000] = L'\xD800';
        return {
            {applied + "EnableDHCP", text(REG_SZ, L"0\0"s)},
            {applied + "IPAddress",
             text(REG_MULTI_SZ, L"192.168.16.5\0"s + LongAddress() + L"\0\0"s)},
            {applied + "SubnetMask", odd(text(REG_MULTI_SZ, L"255.255.255.0\0"s + L"255.255.0.0"))},
            {applied + "DefaultGateway", text(REG_SZ, L"192.168.16.254\0"s)},
            {applied + "DefaultGatewayMetric", {REG_DWORD, {5, 0, 0, 0}}},
            {applied + "NameServer", text(REG_SZ, L"202.96.128.86,\xD800\0"s)},
            {applied + "DhcpIPAddress", text(REG_SZ, LongAddress())},
            {seeded.Interface(1) + "\\DhcpNameServer", odd(text(REG_SZ, L"10.0.2.3,\xDC00"))},
            {seeded.Interface(1) + "\\DhcpDefaultGateway", {REG_BINARY, {0x81, 0, 0xFF}}},
            {seeded.Interface(2) + "\\NameServer", text(REG_MULTI_SZ, L"172.16.0.2\0\0"s)},
            {seeded.ClassKey(2) + "\\DriverDesc", text(REG_SZ, L"Broadcom \xD800 NetXtreme\0"s)},
            {ConnectionKey(2) + "\\Name", text(REG_SZ, L"办公网")},
            {kIpxKey + "\\DisplayName", text(REG_SZ, longName)},
            {kIpxKey + "\\Parameters\\VirtualNetworkNumber", text(REG_SZ, L"1A\0"s)},
            {kComputerNamePlaces[0], odd(text(REG_SZ, longName))},
            {kComputerNamePlaces[2], {REG_BINARY, {0x81, 0x81}}},
            {kWinlogonKey + "\\DefaultUserName", text(REG_SZ, L"player\xDC00\0"s)},
            {kWinlogonKey + "\\DefaultPassword", {REG_BINARY, {0xFF}}},
            {kWinlogonKey + "\\AutoAdminLogon", {REG_DWORD, {1, 0, 0, 0}}},
        };
    }
};

TEST_F(BadRegistryAndTemplateTest, CafeModeStoresWhatTheBoxesShowAndLeavesTheRestAsItWas) {
    using namespace std::string_literals;
    const std::vector<ValuePlace> untouched = UntouchedPlaces(0);
    const auto untouchedBefore = ReadAll(untouched);
    EXPECT_EQ(ComboItems(Control("网卡选择框")),
              (std::vector<std::string>{seeded.firstDescription, "Realtek PCIe GBE 网卡",
                                        "Broadcom ? NetXtreme"}));

    const BadText& huge = BadTexts().front();
    ASSERT_TRUE(SendInTime(Control("网吧按钮"), BM_CLICK));
    ASSERT_TRUE(PutOnClipboard(huge.text));
    ASSERT_NO_FATAL_FAILURE(PasteWhere(window, MainWindow::Layout(), huge,
                                       [](const TextBox& box) { return box.name == "机器数框"; }));
    const std::wstring prefix = WideTextOf(Control("机器名框2"));
    const std::wstring number = WideTextOf(Control("机器数框"));
    const std::wstring user = WideTextOf(Control("用户框2"));
    const std::wstring password = WideTextOf(Control("密码框2"));
    const std::vector<std::string> messages =
        ApplyClosingMessages([&] { PostMessageW(Control("机器数框"), WM_CHAR, L'\r', 1); });
    EXPECT_TRUE(messages.empty()) << testing::PrintToString(messages);

    // The name is the prefix and the number as the boxes show them, however the template's
    // bytes were broken.
    for (const std::string& place : kComputerNamePlaces) {
        EXPECT_TRUE(RawAt(place) == StoredText(prefix + number)) << place;
    }
    const std::pair<const char*, std::wstring> logon[] = {
        {"AutoAdminLogon", L"1"},      {"DefaultUserName", user},
        {"DefaultPassword", password}, {"DefaultDomainName", prefix + number},
        {"AltDefaultUserName", user},  {"AltDefaultDomainName", prefix + number},
    };
    for (const auto& [value, text] : logon) {
        EXPECT_TRUE(RawAt(kWinlogonKey + "\\" + value) == StoredText(text)) << value;
    }
    const int last = LeadingNumber(number);
    const std::string key = seeded.Interface(0);
    const std::pair<const char*, RegistryValue> expected[] = {
        {"EnableDHCP", {kRegDword, "\0\0\0\0"s}},
        {"IPAddress",
         {kRegMultiSz, TextOf(Control("地址框2")) + std::to_string(last) + '\0' +
                           FromWide(LongAddress()) + "\0\0"s}},
        {"SubnetMask", {kRegMultiSz, "255.255.255.0\0"s + "255.255.0.0\0\0"s}},
        {"DefaultGateway", {kRegMultiSz, "192.168.16.254\0\0"s}},
        {"DefaultGatewayMetric", {kRegMultiSz, "0\0\0"s}},
        {"NameServer", {kRegSz, "114.114.114.114\0"s}},
    };
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(seeded.store.QueryValue(key, name), value) << name;
    }
    EXPECT_EQ(seeded.store.QueryValue(kIpxKey + "\\Parameters", "VirtualNetworkNumber"),
              (RegistryValue{kRegDword, {static_cast<char>(0x23), 1, 0, 0}}));
    EXPECT_TRUE(ReadAll(untouched) == untouchedBefore);
    EXPECT_TRUE(templateFile.Content() == BadTemplate());
    ExpectClosesWithCodeZero();
}
}  // namespace
}  // namespace netquill
