// Helpers for tests that drive real windows with window messages: texts, IP-address fields,
// controls found by their layout names, screenshots.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/layout.h"

namespace netquill {

// The control of `window` made from the layout row `name` (its id is the row's), or nullptr.
HWND ControlNamed(HWND window, const WindowLayout& layout, std::string_view name);

// WM_GETTEXT, converted to code page 936 (works across processes).
std::string TextOf(HWND window);

// The selected item's text of a combo box, and all its items.
std::vector<std::string> ComboItems(HWND combo);

// The address an IP-address field shows, dotted, or the empty text when it is blank. Reads
// with IPM_GETADDRESS; `process` is the field's process when it is another one (the answer is
// then written into memory of that process and read back), nullptr for this process.
std::string IpAddressOf(HWND field, HANDLE process = nullptr);

// Sends the characters of `text` (code page 936) as WM_CHAR, one after the other.
void TypeText(HWND window, std::string_view text);

// Saves what the screen shows of `window`, frame included, as a 24-bit BMP file.
bool SaveScreenshot(HWND window, const std::wstring& path);

}  // namespace netquill
