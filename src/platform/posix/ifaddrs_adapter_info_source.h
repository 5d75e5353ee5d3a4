// The network interfaces of Linux: the interface name stands for the description.
#pragma once

#include "core/adapter_info_source.h"

namespace netquill {

class IfaddrsAdapterInfoSource final : public AdapterInfoSource {
  public:
    std::vector<SystemAdapter> ListSystemAdapters() const override;
};

}  // namespace netquill
