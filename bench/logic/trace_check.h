// Checks that a baseline makes exactly the registry operations of the code it stands beside.
#pragma once

#include <functional>
#include <string>

#include "bench_program.h"

namespace netquill {

// Traces `program` and then `baseline` on the same machine; the empty text when both made the
// same operations in the same order (names compared as the registry compares them), else the
// first difference.
std::string CompareRegistryOperations(BenchProgram& bench, const std::function<void()>& program,
                                      const std::function<void()>& baseline);

}  // namespace netquill
