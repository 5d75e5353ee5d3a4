#include "e2e/netquill_fixture.h"

#include <algorithm>

namespace netquill {

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

std::string StoredTextOf(HWND window) {
    wchar_t text[256];
    const int length = InternalGetWindowText(window, text, 256);
    return FromWide(std::wstring_view(text, static_cast<std::size_t>(length)));
}

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

std::vector<std::string> CafeTouchedValues() {
    std::vector<std::string> paths = kComputerNamePlaces;
    for (const char* name : kLogonValues) {
        paths.push_back(kWinlogonKey + "\\" + name);
    }
    paths.push_back(kIpxKey + "\\DisplayName");
    paths.push_back(kIpxKey + "\\Parameters\\VirtualNetworkNumber");
    return paths;
}

HWND ShownMessageBox(DWORD processId, const wchar_t* title) {
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

}  // namespace netquill
