#include "trace_check.h"

#include <vector>

#include "core/text.h"

namespace netquill {
namespace {

std::vector<std::string> Trace(BenchProgram& bench, const std::function<void()>& operation) {
    std::vector<std::string> trace;
    bench.store.trace = &trace;
    operation();
    bench.store.trace = nullptr;
    return trace;
}

}  // namespace

std::string CompareRegistryOperations(BenchProgram& bench, const std::function<void()>& program,
                                      const std::function<void()>& baseline) {
    const std::vector<std::string> expected = Trace(bench, program);
    const std::vector<std::string> made = Trace(bench, baseline);
    for (std::size_t i = 0; i < expected.size() || i < made.size(); ++i) {
        const std::string wanted = i < expected.size() ? expected[i] : "nothing";
        const std::string got = i < made.size() ? made[i] : "nothing";
        if (!EqualIgnoringCase(wanted, got)) {
            return "operation " + std::to_string(i + 1) + ": the program made \"" + wanted +
                   "\", the baseline \"" + got + "\"";
        }
    }
    return {};
}

}  // namespace netquill
