// Properties the fuzz targets check on every input. A broken one aborts, which libFuzzer reports
// as a crash and keeps the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace netquill {

inline void Require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

}  // namespace netquill
