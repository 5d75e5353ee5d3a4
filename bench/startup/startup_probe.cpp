// Measures how long programs take from process creation until their window is up and ready, and
// their peak memory by then. Each round starts every program once, in turn, so that all of them
// see the same conditions; the first round only warms up (files read, fonts cached) and is not
// counted.
//
// Ready means: a visible top-level window of the process exists, and every combo box in it holds
// an item. The boxes are asked by a sent message, which a program answers only when it handles
// messages again: netquill.exe does so in its message loop, after the start-up scan has filled
// its adapter box. A program without combo boxes is ready once its window shows.
//
// Usage: startup_probe ROUNDS PROGRAM [PROGRAM ...]
// Output, one line per counted start: "run INDEX MILLISECONDS PEAK_WORKING_SET PEAK_PRIVATE",
// memory in bytes, INDEX counting the programs from 0. Exit status 0 when every start got ready.
// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr DWORD kGiveUpMilliseconds = 60000;
constexpr UINT kReplyMilliseconds = 10000;

struct Search {
    DWORD processId = 0;
    bool ready = false;
};

BOOL CALLBACK CheckComboBox(HWND child, LPARAM parameter) noexcept {
    bool& allFilled = *reinterpret_cast<bool*>(parameter);
    wchar_t className[32];
    if (GetClassNameW(child, className, 32) == 0 || _wcsicmp(className, L"ComboBox") != 0) {
        return TRUE;
    }
    // The reply comes once the program handles messages again, that is after its start-up.
    DWORD_PTR count = 0;
    if (SendMessageTimeoutW(child, CB_GETCOUNT, 0, 0, SMTO_NORMAL, kReplyMilliseconds, &count) ==
            0 ||
        count == 0 || count == static_cast<DWORD_PTR>(CB_ERR)) {
        allFilled = false;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CheckTopLevelWindow(HWND window, LPARAM parameter) noexcept {
    Search& search = *reinterpret_cast<Search*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search.processId || !IsWindowVisible(window)) {
        return TRUE;
    }
    bool allFilled = true;
    EnumChildWindows(window, CheckComboBox, reinterpret_cast<LPARAM>(&allFilled));
    search.ready = allFilled;
    return search.ready ? FALSE : TRUE;
}

struct Start {
    double milliseconds = 0;
    SIZE_T peakWorkingSet = 0;
    SIZE_T peakPrivate = 0;
};

bool MeasureStart(const std::wstring& program, Start& start) {
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, begin, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", program.c_str(), GetLastError());
        return false;
    }
    Search search{process.dwProcessId, false};
    bool ended = false;
    while (!search.ready) {
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) {
            ended = true;
            break;
        }
        EnumWindows(CheckTopLevelWindow, reinterpret_cast<LPARAM>(&search));
        QueryPerformanceCounter(&now);
        if ((now.QuadPart - begin.QuadPart) * 1000 / frequency.QuadPart > kGiveUpMilliseconds) {
            break;
        }
    }
    QueryPerformanceCounter(&now);
    start.milliseconds =
        static_cast<double>(now.QuadPart - begin.QuadPart) * 1000.0 / frequency.QuadPart;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory)) {
        start.peakWorkingSet = memory.PeakWorkingSetSize;
        start.peakPrivate = memory.PeakPagefileUsage;
    }
    if (!ended) {
        TerminateProcess(process.hProcess, 0);
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!search.ready) {
        std::fwprintf(stderr, L"%ls %ls before its window was ready\n", program.c_str(),
                      ended ? L"ended" : L"gave up");
    }
    return search.ready;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: startup_probe ROUNDS PROGRAM [PROGRAM ...]\n");
        return 2;
    }
    const int rounds = _wtoi(argv[1]);
    const std::vector<std::wstring> programs(argv + 2, argv + argc);
    for (int round = 0; round <= rounds; ++round) {
        for (std::size_t index = 0; index < programs.size(); ++index) {
            Start start;
            if (!MeasureStart(programs[index], start)) {
                return 1;
            }
            if (round > 0) {
                std::printf("run %zu %.1f %zu %zu\n", index, start.milliseconds,
                            static_cast<std::size_t>(start.peakWorkingSet),
                            static_cast<std::size_t>(start.peakPrivate));
                std::fflush(stdout);
            }
        }
    }
    return 0;
}
