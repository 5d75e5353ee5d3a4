// The file system of Windows, through the W functions.
#pragma once

#include "core/system_files.h"

namespace netquill {

class RealSystemFiles final : public SystemFiles {
  public:
    std::string SystemDirectory() const override;
    std::string ProgramDirectory() const override;
    bool Exists(std::string_view path) const override;
    bool WriteWholeFile(std::string_view path, std::span<const std::uint8_t> bytes) override;

    // Files above 64 MiB count as unreadable: nothing the program reads comes near that size,
    // and holding one whole in memory would only starve the program.
    static constexpr std::uint64_t kLargestFile = 64u << 20;
    std::optional<std::vector<std::uint8_t>> ReadWholeFile(std::string_view path) const override;
};

}  // namespace netquill
