// File system held in memory: a stand-in for the system directory where there is no Windows, and
// the file system of tests. Names compare without regard to ASCII letter case, as on Windows.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/system_files.h"

namespace netquill {

class MemorySystemFiles final : public SystemFiles {
  public:
    // Both directories exist from the start. `systemDirectory` is reported as given, so a
    // trailing backslash can be tried; an empty one stands for a system that reports none.
    MemorySystemFiles(std::string systemDirectory, std::string programDirectory);

    std::string SystemDirectory() const override { return systemDirectory_; }
    std::string ProgramDirectory() const override { return programDirectory_; }
    bool Exists(std::string_view path) const override;
    // Fails for a path whose directory does not exist (the current directory always does) and
    // for a path that names a directory.
    bool WriteWholeFile(std::string_view path, std::span<const std::uint8_t> bytes) override;

    // Creates a directory; its parents need not exist.
    void AddDirectory(std::string_view path);

    // The bytes of a file, or nothing for a directory or a missing entry.
    std::optional<std::vector<std::uint8_t>> ReadWholeFile(std::string_view path) const override;

    // The names of the entries directly inside `directory`, in name order.
    std::vector<std::string> List(std::string_view directory) const;

    // Fault switch: while false every write fails and changes nothing, as in a directory the
    // program may not write to.
    void SetWritable(bool writable) { writable_ = writable; }

  private:
    struct NameLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    // A directory has no contents.
    using Entry = std::optional<std::vector<std::uint8_t>>;

    std::string systemDirectory_;
    std::string programDirectory_;
    std::map<std::string, Entry, NameLess> entries_;
    bool writable_ = true;
};

}  // namespace netquill
