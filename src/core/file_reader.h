// Port to reading one whole file, the counterpart of SystemFiles::WriteWholeFile. Paths are code
// page 936 texts in Windows form.
//
// Error contract: nothing throws. A file that is missing, is a directory, or cannot be read in
// full gives nothing; a caller that must tell "missing" from "unreadable" asks
// SystemFiles::Exists.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace netquill {

class FileReader {
  public:
    virtual ~FileReader() = default;

    virtual std::optional<std::vector<std::uint8_t>> ReadWholeFile(std::string_view path) const = 0;
};

}  // namespace netquill
