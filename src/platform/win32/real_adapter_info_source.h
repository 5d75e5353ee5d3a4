// The adapter list of IP Helper's GetAdaptersInfo.
#pragma once

#include "core/adapter_info_source.h"

namespace netquill {

class RealAdapterInfoSource final : public AdapterInfoSource {
  public:
    std::vector<SystemAdapter> ListSystemAdapters() const override;
};

}  // namespace netquill
