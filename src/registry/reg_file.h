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
// first: on any fault `store` is left untouched and `error` tells the line and the cause; on
// success `error` is cleared.
//
// The byte order mark decides how the text is read: FF FE is UTF-16LE, EF BB BF is UTF-8, and a
// file without one is UTF-8 when it starts with the Version 5 header, code page 936 otherwise.
// The header decides how hex(1), hex(2) and hex(7) data are read: UTF-16LE after the Version 5
// header (an odd trailing byte is taken as a unit with a zero high byte, so it is kept rather
// than dropped), code page 936 bytes as they stand after "REGEDIT4".
bool LoadRegFile(std::string_view fileBytes, MemoryRegistryStore& store, RegFileError& error);

// The whole store as a .reg file in the given format, laid out as regedit exports (CR LF line
// ends, hex data wrapped at 80 columns). Loading it into an empty store gives an identical tree,
// with two limits: names cannot hold line breaks, nor end in the first byte of a double-byte
// character; and a Version 5 file can only carry valid code page 936 text, so other characters
// come back replaced: in names and quoted texts by one "?" each, in hex string data as the
// platform converts them.
std::string SaveRegFile(const MemoryRegistryStore& store, RegFileFormat format);

}  // namespace netquill
