// The computer name and the automatic logon as the registry holds them.
#pragma once

#include <string>
#include <string_view>

#include "apply/write_outcome.h"
#include "registry/registry_access.h"

namespace netquill {

inline constexpr std::string_view kComputerNamePath =
    "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName\\ComputerName";

// The active computer name, or the empty text when it is missing or not a string.
std::string ReadComputerName(const RegistryAccess& registry);

// Stores `name` exactly as given in the four places the system takes the computer and host name
// from, active set first. An empty name would leave the machine nameless: it is rejected and
// nothing is written. A refused write does not stop the ones after it.
WriteOutcome WriteComputerName(RegistryAccess& registry, std::string_view name);

// Turns the automatic logon on with these texts, stored as given (the password in clear text, as
// the system expects it); the alternate user and domain get the same user and domain. True when
// all six values were stored.
bool WriteAutoLogon(RegistryAccess& registry, std::string_view userName, std::string_view password,
                    std::string_view domain);

}  // namespace netquill
