#include "e2e/window_driver.h"

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "platform/win32/wide_text.h"

namespace netquill {

namespace {

// The items of a combo box or a list box, through that control's three item messages.
std::vector<std::string> ItemTexts(HWND control, UINT countMessage, UINT lengthMessage,
                                   UINT textMessage) {
    std::vector<std::string> items;
    const auto count = SendMessageW(control, countMessage, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = SendMessageW(control, lengthMessage, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(control, textMessage, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length));
        items.push_back(FromWide(text));
    }
    return items;
}

}  // namespace

HWND ControlNamed(HWND window, const WindowLayout& layout, std::string_view name) {
    const int id = ControlIdOf(layout, name);
    return id < 0 ? nullptr : GetDlgItem(window, id);
}

std::string TextOf(HWND window) {
    return FromWide(WideTextOf(window));
}

std::wstring WideTextOf(HWND window) {
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied =
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::vector<std::string> ComboItems(HWND combo) {
    return ItemTexts(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
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

namespace {

// Memory for a message's pointers in the process that owns the window, freed with it.
class ProcessMemory {
  public:
    ProcessMemory(HANDLE process, std::size_t size)
        : process_(process ? process : GetCurrentProcess()),
          address_(
              VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    ProcessMemory(const ProcessMemory&) = delete;
    ProcessMemory& operator=(const ProcessMemory&) = delete;
    ~ProcessMemory() {
        if (address_ != nullptr) {
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        }
    }

    bool Valid() const { return address_ != nullptr; }
    LPARAM Address(std::size_t offset = 0) const {
        return reinterpret_cast<LPARAM>(static_cast<char*>(address_) + offset);
    }
    void Write(const void* data, std::size_t size, std::size_t offset = 0) const {
        WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr);
    }
    void Read(void* data, std::size_t size, std::size_t offset = 0) const {
        ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr);
    }

  private:
    HANDLE process_;
    void* address_;
};

constexpr std::size_t kTextChars = 256;

}  // namespace

std::vector<std::vector<std::string>> ListViewRows(HWND list, HANDLE process) {
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const auto columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    const auto rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    // The item, then the text buffer it points to.
    ProcessMemory memory(process, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
    std::vector<std::vector<std::string>> cells;
    for (int row = 0; row < rows && memory.Valid(); ++row) {
        std::vector<std::string> texts;
        for (int column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.cchTextMax = kTextChars;
            item.pszText = reinterpret_cast<wchar_t*>(memory.Address(sizeof item));
            memory.Write(&item, sizeof item);
            const auto length = static_cast<std::size_t>(
                SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), memory.Address()));
            std::wstring text(std::min(length, kTextChars), L'\0');
            memory.Read(text.data(), text.size() * sizeof(wchar_t), sizeof item);
            texts.push_back(FromWide(text));
        }
        cells.push_back(std::move(texts));
    }
    return cells;
}

std::vector<std::pair<std::string, int>> ListViewColumns(HWND list, HANDLE process) {
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const auto count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    ProcessMemory memory(process, sizeof(LVCOLUMNW) + kTextChars * sizeof(wchar_t));
    std::vector<std::pair<std::string, int>> columns;
    for (int i = 0; i < count && memory.Valid(); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cchTextMax = kTextChars;
        column.pszText = reinterpret_cast<wchar_t*>(memory.Address(sizeof column));
        memory.Write(&column, sizeof column);
        SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(i), memory.Address());
        memory.Read(&column, sizeof column);
        std::wstring title(kTextChars, L'\0');
        memory.Read(title.data(), title.size() * sizeof(wchar_t), sizeof column);
        title.resize(title.find(L'\0'));
        columns.emplace_back(FromWide(title), column.cx);
    }
    return columns;
}

void SelectListViewRow(HWND list, int row, HANDLE process) {
    ProcessMemory memory(process, sizeof(LVITEMW));
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    memory.Write(&item, sizeof item);
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), memory.Address());
    if (row >= 0) {
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        memory.Write(&item, sizeof item);
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), memory.Address());
    }
}

int ListViewSelection(HWND list) {
    return static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ClickTab(HWND tabs, int index, HANDLE process) {
    ProcessMemory memory(process, sizeof(RECT));
    RECT title{};
    if (!memory.Valid() ||
        SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), memory.Address()) == 0) {
        return;
    }
    memory.Read(&title, sizeof title);
    const LPARAM centre =
        MAKELPARAM((title.left + title.right) / 2, (title.top + title.bottom) / 2);
    PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    PostMessageW(tabs, WM_LBUTTONUP, 0, centre);
}

std::vector<std::string> ListBoxItems(HWND list) {
    return ItemTexts(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
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
