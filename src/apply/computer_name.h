// The computer name as the registry holds it.
#pragma once

#include <string>

#include "registry/registry_access.h"

namespace netquill {

inline constexpr std::string_view kComputerNamePath =
    "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName\\ComputerName";

// The active computer name, or the empty text when it is missing or not a string.
std::string ReadComputerName(const RegistryAccess& registry);

}  // namespace netquill
