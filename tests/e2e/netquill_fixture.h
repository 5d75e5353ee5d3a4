// The fixtures of the end-to-end tests of netquill.exe: a registry seeded through the real
// registry API, the program started as a user starts it and driven through its real controls with
// window messages from this process, and what the tests share to watch and restore what it
// changes.
//
// Environment: NETQUILL_EXE, the program's path; NETQUILL_ARTIFACTS, a folder for screenshots
// (BMP; the calling script converts them).
#pragma once

#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "adapters/adapter_scan.h"
#include "adapters/hardware_address.h"
#include "e2e/window_driver.h"
#include "platform/win32/real_adapter_info_source.h"
#include "platform/win32/real_environment.h"
#include "platform/win32/real_registry_store.h"
#include "platform/win32/real_system_files.h"
#include "platform/win32/wide_text.h"
#include "registry/registry_access.h"
#include "ui/advanced_window_layout.h"
#include "ui/entry_dialog_layout.h"
#include "ui/main_window.h"
#include "ui/main_window_layout.h"

namespace netquill {

inline constexpr DWORD kTimeoutMs = 20000;

std::wstring Environment(const wchar_t* name);

std::string Lines(std::initializer_list<const char*> items);

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

// The names of the values a key holds, as stored.
std::vector<std::string> ValueNames(const std::string& keyPath);

// The window text as the system stores it, read without sending the window a message, so it can
// be watched while the program is busy.
std::string StoredTextOf(HWND window);

// Every text the status line shows from now until an apply has finished and the rescan shows the
// adapter's mode again; the program is idle afterwards.
std::vector<std::string> StatusesUntilApplied(HWND statusLine, const PROCESS_INFORMATION& process);

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

// The template file's keys of the café page's text boxes, in the file's order.
inline const std::pair<const char*, const char*> kTemplateBoxes[] = {
    {"机器", "机器名框2"}, {"地址", "地址框2"}, {"掩码", "掩码框2"}, {"网关", "网关框2"},
    {"用户", "用户框2"},   {"密码", "密码框2"}, {"首选", "首选框2"}, {"备用", "备用框2"},
};
inline const std::string kWinlogonKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline const std::string kIpxKey = "SYSTEM\\CurrentControlSet\\Services\\NwlnkIpx";
inline const std::vector<std::string> kComputerNamePlaces = {
    "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName\\ComputerName",
    "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\NV Hostname",
    "SYSTEM\\ControlSet001\\Control\\ComputerName\\ComputerName\\ComputerName",
    "SYSTEM\\ControlSet001\\Services\\Tcpip\\Parameters\\NV Hostname",
};
inline const char* const kLogonValues[] = {"AutoAdminLogon",     "DefaultUserName",
                                           "DefaultPassword",    "DefaultDomainName",
                                           "AltDefaultUserName", "AltDefaultDomainName"};

std::vector<std::string> CafeTouchedValues();

// A message box that process `processId` shows, titled `title` (any title for nullptr), or
// nullptr.
HWND ShownMessageBox(DWORD processId, const wchar_t* title = nullptr);

std::string MessageBoxText(HWND box);

// Waits for a message box of process `processId` titled `title`, closes it with its OK button
// and returns its text; the empty text when none came.
std::string CloseMessageBox(DWORD processId, const wchar_t* title);

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

}  // namespace netquill
