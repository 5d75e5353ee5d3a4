// Port to the few file-system services the program needs: where the system and the program live,
// whether an entry exists, and reading or writing one whole file. Paths are code page 936 texts in
// Windows form (backslashes; a path without a directory names a file of the current directory).
//
// Error contract: nothing throws. A directory that cannot be determined is the empty text; a
// failed write returns false and leaves the file as it was: never a half-written file. A file
// that is missing, is a directory, or cannot be read in full reads as nothing; a caller that must
// tell "missing" from "unreadable" asks Exists.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace netquill {

class SystemFiles {
  public:
    virtual ~SystemFiles() = default;

    // The system directory as the system reports it; it may or may not end in a backslash.
    virtual std::string SystemDirectory() const = 0;

    // The directory that holds the program's own file, without a trailing backslash.
    virtual std::string ProgramDirectory() const = 0;

    // True when a file or a directory of that name exists.
    virtual bool Exists(std::string_view path) const = 0;

    // Creates or replaces the file `path` so that it holds exactly `bytes`. The bytes go to a
    // temporary file beside it first, which then takes the file's place.
    virtual bool WriteWholeFile(std::string_view path, std::span<const std::uint8_t> bytes) = 0;

    virtual std::optional<std::vector<std::uint8_t>> ReadWholeFile(std::string_view path) const = 0;
};

}  // namespace netquill
