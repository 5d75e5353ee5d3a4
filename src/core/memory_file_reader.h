// Reads the files of a MemorySystemFiles, so that what the program writes through one port it
// reads back through the other.
#pragma once

#include "core/file_reader.h"
#include "core/memory_system_files.h"

namespace netquill {

class MemoryFileReader final : public FileReader {
  public:
    explicit MemoryFileReader(const MemorySystemFiles& files) : files_(files) {}

    std::optional<std::vector<std::uint8_t>> ReadWholeFile(std::string_view path) const override {
        return files_.FileContents(path);
    }

  private:
    const MemorySystemFiles& files_;
};

}  // namespace netquill
