// devcon.exe: disables or enables devices by class and id. The program that carries it runs it
// through the command interpreter to restart the network adapters.
#include <windows.h>

#include <string>
#include <vector>

#include "devcon/device_console.h"
#include "devcon/setupapi_device_system.h"

namespace {

// Writes one line to a standard handle: as UTF-16 to a console, in the console's code page to a
// file or pipe.
void WriteLine(DWORD handleId, std::wstring_view text) {
    const HANDLE handle = GetStdHandle(handleId);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return;
    }
    std::wstring line(text);
    line += L"\r\n";
    DWORD written = 0;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        return;
    }
    UINT codePage = GetConsoleOutputCP();
    codePage = codePage == 0 ? GetACP() : codePage;
    const int size = WideCharToMultiByte(codePage, 0, line.data(), static_cast<int>(line.size()),
                                         nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, line.data(), static_cast<int>(line.size()), bytes.data(), size,
                        nullptr, nullptr);
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace netquill::devcon;
    const std::vector<std::wstring> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const std::unique_ptr<DeviceSystem> system = MakeSetupApiDeviceSystem();
    const ConsoleOutput output{
        [](std::wstring_view text) { WriteLine(STD_OUTPUT_HANDLE, text); },
        [](std::wstring_view text) { WriteLine(STD_ERROR_HANDLE, text); },
    };
    return RunDeviceConsole(arguments, *system, output);
}
