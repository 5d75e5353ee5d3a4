// The executable image of devcon.exe, built from this folder and carried by netquill.exe as data.
#pragma once

#include <cstdint>
#include <span>

namespace netquill {

std::span<const std::uint8_t> DeviceConsoleImage();

}  // namespace netquill
