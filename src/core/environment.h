// Port to the process environment, used to expand REG_EXPAND_SZ texts.
#pragma once

#include <string>
#include <string_view>

namespace netquill {

class Environment {
  public:
    virtual ~Environment() = default;

    // Replaces every %NAME% reference to a defined variable by its value, as
    // ExpandEnvironmentStrings does: names are case-insensitive, references to unknown variables
    // and a lone "%" stay as they are. Texts are code page 936 bytes.
    virtual std::string Expand(std::string_view text) const = 0;
};

}  // namespace netquill
