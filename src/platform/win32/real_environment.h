// The process environment of Windows.
#pragma once

#include "core/environment.h"

namespace netquill {

class RealEnvironment final : public Environment {
  public:
    std::string Expand(std::string_view text) const override;
};

}  // namespace netquill
