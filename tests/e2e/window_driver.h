// Helpers for tests that drive real windows with window messages: texts, IP-address fields,
// controls found by their layout names, screenshots.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/layout.h"

namespace netquill {

// The control of `window` made from the layout row `name` (its id is the row's), or nullptr.
HWND ControlNamed(HWND window, const WindowLayout& layout, std::string_view name);

// WM_GETTEXT, converted to code page 936 (works across processes).
std::string TextOf(HWND window);

// WM_GETTEXT as the window holds it, in UTF-16.
std::wstring WideTextOf(HWND window);

// The selected item's text of a combo box, and all its items.
std::vector<std::string> ComboItems(HWND combo);

// The address an IP-address field shows, dotted, or the empty text when it is blank. Reads
// with IPM_GETADDRESS; `process` is the field's process when it is another one (the answer is
// then written into memory of that process and read back), nullptr for this process.
std::string IpAddressOf(HWND field, HANDLE process = nullptr);

// The cells of a report list view, row by row. Reads with LVM_GETITEMTEXT; `process` as for
// IpAddressOf.
std::vector<std::vector<std::string>> ListViewRows(HWND list, HANDLE process = nullptr);

// The column titles of a list view's header and their widths in pixels.
std::vector<std::pair<std::string, int>> ListViewColumns(HWND list, HANDLE process = nullptr);

// Selects `row` of a list view (-1: none) as a click does: the control tells its window.
void SelectListViewRow(HWND list, int row, HANDLE process = nullptr);

// The position of a list view's selected row, or -1.
int ListViewSelection(HWND list);

// Clicks the title of page `index` of a tab control as the mouse does: button messages posted at
// the title's centre. `process` as for IpAddressOf.
void ClickTab(HWND tabs, int index, HANDLE process = nullptr);

// The items of a list box, in their order.
std::vector<std::string> ListBoxItems(HWND list);

// Sends the characters of `text` (code page 936) as WM_CHAR, one after the other.
void TypeText(HWND window, std::string_view text);

// Saves what the screen shows of `window`, frame included, as a 24-bit BMP file.
bool SaveScreenshot(HWND window, const std::wstring& path);

}  // namespace netquill
