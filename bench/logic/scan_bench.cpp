// The adapter scan against the bare registry reads it needs, at 1, 8 and 64 running adapters.
#include <benchmark/benchmark.h>

#include "adapters/adapter_scan.h"
#include "bench_machine.h"
#include "registry_floor.h"
#include "trace_check.h"

namespace netquill {
namespace {

void AdapterScan(benchmark::State& run) {
    const int adapters = static_cast<int>(run.range(0));
    BenchProgram bench;
    InstallBenchMachine(bench, adapters);
    for (auto _ : run) {
        ScanAdapters(bench.program);
    }
    if (static_cast<int>(bench.state.adapterTable.size()) != adapters ||
        bench.window.MAC信息框.Text().empty()) {
        run.SkipWithError("the scan did not find every adapter with its hardware address");
    }
}

void AdapterScanBaseline(benchmark::State& run) {
    const int adapters = static_cast<int>(run.range(0));
    BenchProgram bench;
    InstallBenchMachine(bench, adapters);
    const RegistryBasePaths& paths = bench.state.registryBasePaths;
    const std::string difference = CompareRegistryOperations(
        bench, [&] { ScanAdapters(bench.program); }, [&] { ScanReads(bench.store, paths); });
    if (!difference.empty()) {
        run.SkipWithError(difference.c_str());
        return;
    }
    int found = 0;
    for (auto _ : run) {
        found = ScanReads(bench.store, paths);
    }
    if (found != adapters) {
        run.SkipWithError("the baseline did not find every adapter");
    }
}

BENCHMARK(AdapterScan)->Arg(1)->Arg(8)->Arg(64);
BENCHMARK(AdapterScanBaseline)->Arg(1)->Arg(8)->Arg(64);

}  // namespace
}  // namespace netquill
