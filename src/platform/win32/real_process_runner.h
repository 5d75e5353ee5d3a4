// Process creation of Windows: CreateProcessW with a hidden window.
#pragma once

#include "core/process_runner.h"

namespace netquill {

class RealProcessRunner final : public ProcessRunner {
  public:
    bool Run(std::string_view commandLine, ProcessWait wait) override;
};

}  // namespace netquill
