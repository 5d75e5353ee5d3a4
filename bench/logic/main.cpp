// Runs the logic benchmarks and ends with the ratio table. Without options of its own choosing,
// every benchmark is repeated five times in random interleaving, so that a case and its baseline
// see the same machine conditions, and the medians are compared.
#include <benchmark/benchmark.h>

#include <iostream>
#include <string>
#include <vector>

#include "ratio_table.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv, argv + argc);
    bool repetitionsGiven = false;
    for (const std::string& argument : arguments) {
        repetitionsGiven = repetitionsGiven || argument.starts_with("--benchmark_repetitions");
    }
    if (!repetitionsGiven) {
        arguments.insert(arguments.begin() + 1, {"--benchmark_repetitions=5",
                                                 "--benchmark_enable_random_interleaving=true",
                                                 "--benchmark_report_aggregates_only=true"});
    }
    std::vector<char*> pointers;
    for (std::string& argument : arguments) {
        pointers.push_back(argument.data());
    }
    int count = static_cast<int>(pointers.size());
    benchmark::Initialize(&count, pointers.data());
    if (benchmark::ReportUnrecognizedArguments(count, pointers.data())) {
        return 2;
    }
    netquill::RatioCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();

    const std::vector<netquill::RatioCase> cases = {
        {"adapter scan, 1 adapter", "AdapterScan/1", "AdapterScanBaseline/1", {}},
        {"adapter scan, 8 adapters", "AdapterScan/8", "AdapterScanBaseline/8", {}},
        {"adapter scan, 64 adapters", "AdapterScan/64", "AdapterScanBaseline/64", 1.5},
        {"apply pipeline, 1 adapter", "ApplyPipeline/1", "ApplyPipelineBaseline/1", 2.0},
        {"apply pipeline, 8 adapters", "ApplyPipeline/8", "ApplyPipelineBaseline/8", 2.0},
    };
    return collector.PrintTable(cases, std::cout) ? 0 : 1;
}
