// The .reg reader and writer. Any bytes either load, or are refused with a reason and leave the
// store as it was. A store that loaded saves as REGEDIT4 to a file that loads into the identical
// tree, and as Version 5 to a file that loads and saves again to the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

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
    Require(SaveRegFile(fromVersion5, RegFileFormat::kVersion5) == version5,
            "a Version 5 file saves again to the same bytes");
    return 0;
}
