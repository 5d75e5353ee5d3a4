// Every value of an in-memory registry by its full value path, so that a test can compare what a
// run left behind with what was there before, value by value and byte for byte.
#pragma once

#include <map>
#include <ostream>
#include <string>

#include "registry/memory_registry_store.h"

namespace netquill {

// "<key path>\<value name>" of every value below the hive, spelled as stored.
using RegistryValues = std::map<std::string, RegistryValue>;

RegistryValues AllRegistryValues(const MemoryRegistryStore& store);

// For readable test failures: the type number and the data with non-printable bytes escaped.
void PrintTo(const RegistryValue& value, std::ostream* out);

}  // namespace netquill
