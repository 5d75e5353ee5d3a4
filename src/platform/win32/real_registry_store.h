// The registry of Windows, HKEY_LOCAL_MACHINE, through the W functions. String data (REG_SZ,
// REG_EXPAND_SZ, REG_MULTI_SZ) is converted between code page 936 and UTF-16 here, so the
// program behaves the same whatever the machine's ANSI code page. Each call opens and closes
// its key.
#pragma once

#include "core/registry_store.h"

namespace netquill {

class RealRegistryStore final : public RegistryStore {
  public:
    std::optional<RegistryValue> QueryValue(std::string_view keyPath,
                                            std::string_view valueName) const override;
    bool SetValue(std::string_view keyPath, std::string_view valueName, const RegistryValue& value,
                  KeyCreation creation) override;
    bool DeleteValue(std::string_view keyPath, std::string_view valueName) override;
};

}  // namespace netquill
