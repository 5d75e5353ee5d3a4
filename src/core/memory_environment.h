// Environment held in memory: for tests and for platforms without a Windows environment.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "core/environment.h"
#include "core/text.h"

namespace netquill {

// Expands %NAME% references with `lookup`, which gives nullptr for an unknown name. A reference
// to an unknown name is copied whole and scanning goes on after its closing "%"; a "%" without a
// closing one is copied with the rest of the text.
template <typename Lookup>
std::string ExpandReferences(std::string_view text, const Lookup& lookup) {
    std::string result;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t open = text.find('%', i);
        if (open == std::string_view::npos) {
            result.append(text.substr(i));
            break;
        }
        result.append(text.substr(i, open - i));
        const std::size_t close = text.find('%', open + 1);
        if (close == std::string_view::npos) {
            result.append(text.substr(open));
            break;
        }
        const std::string_view name = text.substr(open + 1, close - open - 1);
        if (const std::string* value = name.empty() ? nullptr : lookup(name)) {
            result.append(*value);
        } else {
            result.append(text.substr(open, close - open + 1));
        }
        i = close + 1;
    }
    return result;
}

class MemoryEnvironment final : public Environment {
  public:
    void Set(std::string name, std::string value) {
        variables_[std::move(name)] = std::move(value);
    }

    std::string Expand(std::string_view text) const override {
        return ExpandReferences(text, [this](std::string_view name) -> const std::string* {
            const auto found = variables_.find(name);
            return found == variables_.end() ? nullptr : &found->second;
        });
    }

  private:
    struct NameLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const {
            return LessIgnoringCase(a, b);
        }
    };
    std::map<std::string, std::string, NameLess> variables_;
};

}  // namespace netquill
