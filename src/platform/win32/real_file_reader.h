// Reading whole files with the Windows file API.
#pragma once

#include "core/file_reader.h"

namespace netquill {

class RealFileReader final : public FileReader {
  public:
    // Files above 64 MiB count as unreadable: nothing the program reads comes near that size,
    // and holding one whole in memory would only starve the program.
    static constexpr std::uint64_t kLargestFile = 64u << 20;

    std::optional<std::vector<std::uint8_t>> ReadWholeFile(std::string_view path) const override;
};

}  // namespace netquill
