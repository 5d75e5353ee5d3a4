// The text a native window shows.
#pragma once

#include <windows.h>

#include <string>

namespace netquill {

std::wstring WindowText(HWND window);

}  // namespace netquill
