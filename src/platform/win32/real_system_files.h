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
};

}  // namespace netquill
