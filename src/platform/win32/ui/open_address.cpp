#include "platform/win32/ui/open_address.h"

#include <windows.h>

#include <string>

#include "platform/win32/wide_text.h"

namespace netquill {
namespace {

using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, const wchar_t*, const wchar_t*,
                                                const wchar_t*, const wchar_t*, int);

// The shell library is large and only a click on the hyperlink needs it, so it is loaded then
// rather than at start-up; from the system directory only, never from beside the program.
ShellExecuteFunction ShellExecuteFromSystem() {
    const HMODULE shell = LoadLibraryExW(L"shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (shell == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<ShellExecuteFunction>(
        reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteW")));
}

}  // namespace

void OpenAddress(std::string_view address) {
    std::wstring target = ToWide(address);
    const bool relative = target.find(L':') == std::wstring::npos && !target.starts_with(L"\\");
    if (relative) {
        wchar_t module[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
        std::wstring directory(module, length);
        directory.resize(directory.find_last_of(L'\\') + 1);
        target = directory + target;
    }
    static const ShellExecuteFunction shellExecute = ShellExecuteFromSystem();
    if (shellExecute != nullptr) {
        shellExecute(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
}

}  // namespace netquill
