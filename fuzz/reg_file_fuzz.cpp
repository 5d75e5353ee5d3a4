// The .reg reader and writer. Any bytes either load, or are refused with a reason and leave the
// store as it was. A store that loaded saves as REGEDIT4 to a file that loads into the identical
// tree, and as Version 5 to a file that loads into the identical tree when every text is code
// page 936 (else into one whose texts carry replacement characters, which then saves and loads
// unchanged).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/codepage.h"
#include "fuzz_check.h"
#include "registry/reg_file.h"

namespace netquill {
namespace {

// What a store holds before the file is applied, so that a refused file has something to spoil.
const MemoryRegistryStore& Prefilled() {
    static const MemoryRegistryStore store = [] {
        MemoryRegistryStore filled;
        filled.SetValue("SYSTEM\\Setup", "Name", {kRegSz, std::string("old\0", 4)},
                        KeyCreation::kCreateMissing);
        filled.SetValue("SYSTEM\\Setup\\Sub", "", {kRegDword, std::string("\x01\0\0\0", 4)},
                        KeyCreation::kCreateMissing);
        return filled;
    }();
    return store;
}

bool CarriedByUtf16(std::string_view text) {
    return Utf16ToCp936(Cp936ToUtf16(text)) == text;
}

bool IsStringType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// Whether every name and all string data below `key` survive the way through UTF-16.
bool TreeCarriedByUtf16(const MemoryKey& key) {
    for (const auto& [name, value] : key.values) {
        if (!CarriedByUtf16(name) || (IsStringType(value.type) && !CarriedByUtf16(value.data))) {
            return false;
        }
    }
    for (const auto& [name, subkey] : key.subkeys) {
        if (!CarriedByUtf16(subkey.name) || !TreeCarriedByUtf16(subkey)) {
            return false;
        }
    }
    return true;
}

}  // namespace
}  // namespace netquill

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace netquill;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    MemoryRegistryStore store = Prefilled();
    RegFileError error;
    if (!LoadRegFile(bytes, store, error)) {
        Require(store == Prefilled(), "a refused file leaves the store untouched");
        Require(!error.message.empty(), "a refused file is refused with a reason");
        return 0;
    }
    Require(error.message.empty() && error.line == 0, "a loaded file leaves no error");

    MemoryRegistryStore loaded;
    Require(LoadRegFile(bytes, loaded, error), "a file that loaded once loads again");

    const std::string regedit4 = SaveRegFile(loaded, RegFileFormat::kRegedit4);
    MemoryRegistryStore fromRegedit4;
    Require(LoadRegFile(regedit4, fromRegedit4, error), "a saved REGEDIT4 file loads");
    Require(fromRegedit4 == loaded, "a REGEDIT4 file carries the whole tree");

    const std::string version5 = SaveRegFile(loaded, RegFileFormat::kVersion5);
    MemoryRegistryStore fromVersion5;
    Require(LoadRegFile(version5, fromVersion5, error), "a saved Version 5 file loads");
    if (TreeCarriedByUtf16(loaded.Root())) {
        Require(fromVersion5 == loaded, "a Version 5 file carries a code page 936 tree whole");
    }
    MemoryRegistryStore again;
    Require(LoadRegFile(SaveRegFile(fromVersion5, RegFileFormat::kVersion5), again, error) &&
                again == fromVersion5,
            "a tree loaded from a Version 5 file comes back whole through another");
    return 0;
}
