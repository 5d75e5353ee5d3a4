// The Windows .reg text format, so that a registry exported on a real machine can be loaded into
// the in-memory store and a store can be saved for inspection or for `reg import`.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "registry/memory_registry_store.h"

namespace netquill {

enum class RegFileFormat {
    kRegedit4,  // "REGEDIT4", code page 936 text, string data in code page 936
    kVersion5,  // "Windows Registry Editor Version 5.00", UTF-16LE with BOM, string data UTF-16LE
};

struct RegFileError {
    std::size_t line = 0;  // 1-based line of the fault, 0 when it concerns the whole file
    std::string message;   // English, for people and logs
};

// Applies a .reg file to `store`, as an import would: keys are created, "[-key]" removes a key,
// "name"=- removes a value. Only HKEY_LOCAL_MACHINE keys are accepted. The whole file is checked
// first: on any fault `store` is left untouched and `error` tells the line and the cause.
bool LoadRegFile(std::string_view fileBytes, MemoryRegistryStore& store, RegFileError& error);

// The whole store as a .reg file in the given format; loading it into an empty store gives an
// identical tree.
std::string SaveRegFile(const MemoryRegistryStore& store, RegFileFormat format);

}  // namespace netquill
