// Following a hyperlink for real: the address names a batch file that leaves a mark, so the test
// sees that the system's handler was found and started with the right file.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/win32/ui/open_address.h"
#include "platform/win32/wide_text.h"

namespace netquill {
namespace {

std::wstring OwnDirectory() {
    wchar_t path[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
    std::wstring directory(path, length);
    return directory.substr(0, directory.find_last_of(L'\\'));
}

bool WriteText(const std::wstring& path, const std::string& text) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool complete =
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
        written == text.size();
    CloseHandle(file);
    return complete;
}

bool AppearsWithin(const std::wstring& path, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start > milliseconds) {
            return false;
        }
        Sleep(50);
    }
    return true;
}

TEST(OpenAddress, StartsTheHandlerForRelativeAndAbsoluteAddresses) {
    const std::wstring id = std::to_wstring(GetCurrentProcessId());
    const std::wstring script = L"netquill-link-" + id + L".bat";
    const std::wstring scriptPath = OwnDirectory() + L"\\" + script;
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring mark = std::wstring(temp) + L"netquill-link-" + id + L".txt";
    ASSERT_TRUE(WriteText(scriptPath, "@echo opened> \"" + FromWide(mark) + "\"\r\n"));

    struct Case {
        const char* name;
        std::wstring address;
    };
    // Relative addresses are taken from the program's directory, not the current one.
    SetCurrentDirectoryW(temp);
    const Case cases[] = {{"relative", script}, {"absolute", scriptPath}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileW(mark.c_str());
        OpenAddress(FromWide(c.address));
        EXPECT_TRUE(AppearsWithin(mark, 20000));
    }
    // The script may still hold the mark open for a moment.
    for (int attempt = 0; attempt < 50 && !DeleteFileW(mark.c_str()); ++attempt) {
        Sleep(100);
    }
    DeleteFileW(scriptPath.c_str());
}

}  // namespace
}  // namespace netquill
