#include "e2e/window_driver.h"

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <cstdio>
#include <vector>

#include "platform/win32/wide_text.h"

namespace netquill {

HWND ControlNamed(HWND window, const WindowLayout& layout, std::string_view name) {
    const int id = ControlIdOf(layout, name);
    return id < 0 ? nullptr : GetDlgItem(window, id);
}

std::string TextOf(HWND window) {
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied =
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return FromWide(text);
}

std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length));
        items.push_back(FromWide(text));
    }
    return items;
}

std::string IpAddressOf(HWND field, HANDLE process) {
    if (SendMessageW(field, IPM_ISBLANK, 0, 0) != 0) {
        return {};
    }
    DWORD address = 0;
    if (process == nullptr) {
        SendMessageW(field, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
    } else {
        // The message carries a pointer: it must point into the field's own process.
        void* remote = VirtualAllocEx(process, nullptr, sizeof address, MEM_COMMIT | MEM_RESERVE,
                                      PAGE_READWRITE);
        if (remote == nullptr) {
            return "?";
        }
        SendMessageW(field, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remote, &address, sizeof address, nullptr);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    char text[16];
    std::snprintf(text, sizeof text, "%lu.%lu.%lu.%lu", FIRST_IPADDRESS(address),
                  SECOND_IPADDRESS(address), THIRD_IPADDRESS(address), FOURTH_IPADDRESS(address));
    return text;
}

void TypeText(HWND window, std::string_view text) {
    for (const wchar_t character : ToWide(text)) {
        SendMessageW(window, WM_CHAR, character, 1);
    }
}

bool SaveScreenshot(HWND window, const std::wstring& path) {
    RECT bounds{};
    if (!GetWindowRect(window, &bounds)) {
        return false;
    }
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as a BMP file stores it
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    header.biSizeImage = stride * static_cast<DWORD>(height);

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    bool saved = false;
    if (bitmap != nullptr) {
        const HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
        GdiFlush();
        SelectObject(memory, previous);

        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;  // "BM"
        file.bfOffBits = sizeof file + sizeof header;
        file.bfSize = file.bfOffBits + header.biSizeImage;
        if (FILE* out = _wfopen(path.c_str(), L"wb")) {
            saved = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                    std::fwrite(&header, sizeof header, 1, out) == 1 &&
                    std::fwrite(bits, header.biSizeImage, 1, out) == 1;
            saved = std::fclose(out) == 0 && saved;
        }
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

}  // namespace netquill
