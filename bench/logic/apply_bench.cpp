// The apply pipeline (settling wait on a stepping clock, the device console tool not started)
// against the bare registry operations it needs: its writes and the reads of the rescan that
// ends every run.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "adapters/adapter_scan.h"
#include "apply/apply_pipeline.h"
#include "bench_machine.h"
#include "registry/multi_string.h"
#include "registry_floor.h"
#include "trace_check.h"

namespace netquill {
namespace {

constexpr std::string_view kUser = "cafe";
constexpr std::string_view kPassword = "secret";

RegistryValue Text(std::string_view text) {
    return {kRegSz, std::string(text) + '\0'};
}

RegistryValue Lines(std::string_view line) {
    return {kRegMultiSz, LinesToMultiStringData(std::string(line) + "\r\n")};
}

RegistryValue Dword(std::uint32_t number) {
    std::string data;
    for (int shift = 0; shift < 32; shift += 8) {
        data.push_back(static_cast<char>((number >> shift) & 0xFF));
    }
    return {kRegDword, data};
}

ApplyValues ValuesOf(const BenchAddresses& values) {
    ApplyValues stored;
    stored.instanceId = BenchInstanceId(0);
    stored.enableDhcp = Dword(0);
    stored.addresses = Lines(values.address);
    stored.masks = Lines(values.mask);
    stored.gateways = Lines(values.gateway);
    stored.gatewayMetrics = Lines("0");
    stored.interfaceMetric = Dword(20);
    stored.nameServers = Text(values.preferredDns + "," + values.alternateDns);
    stored.ipxNumber = Dword(0x1A2B3C4D);
    stored.computerName = Text(values.computerName);
    const std::string_view logon[] = {
        "1", kUser, kPassword, values.computerName, kUser, values.computerName};
    for (std::size_t i = 0; i < std::size(logon); ++i) {
        stored.autoLogon[i] = Text(logon[i]);
    }
    return stored;
}

// The machine after start-up: scanned, the first adapter on show, the café template loaded so
// that the automatic logon is written too.
void StartUp(BenchProgram& bench, int adapters) {
    InstallBenchMachine(bench, adapters);
    ScanAdapters(bench.program);
    bench.state.cafeConfigLoaded = true;
    bench.window.用户框2.SetText(std::string(kUser));
    bench.window.密码框2.SetText(std::string(kPassword));
}

void ApplyPipeline(benchmark::State& run) {
    const int adapters = static_cast<int>(run.range(0));
    BenchProgram bench;
    StartUp(bench, adapters);
    for (auto _ : run) {
        ApplySettings(bench.program);
    }
    const bool stored =
        bench.messages.shown == 0 && bench.window.提示标签.Caption() != kApplyFailed;
    if (!stored || static_cast<int>(bench.state.adapterTable.size()) != adapters ||
        bench.processes.runs == 0) {
        run.SkipWithError("the pipeline did not store everything, restart and rescan");
    }
}

void ApplyPipelineBaseline(benchmark::State& run) {
    const int adapters = static_cast<int>(run.range(0));
    BenchProgram bench;
    StartUp(bench, adapters);
    const ApplyValues values = ValuesOf(BenchAddresses{});
    const RegistryBasePaths& paths = bench.state.registryBasePaths;
    int found = 0;
    const auto baseline = [&] {
        ApplyWrites(bench.store, paths, values);
        found = ScanReads(bench.store, paths);
    };
    const std::string difference = CompareRegistryOperations(
        bench, [&] { ApplySettings(bench.program); }, baseline);
    if (!difference.empty()) {
        run.SkipWithError(difference.c_str());
        return;
    }
    BenchProgram applied;
    StartUp(applied, adapters);
    ApplySettings(applied.program);
    if (!(applied.store.memory == bench.store.memory)) {
        run.SkipWithError("the baseline stored other values than the pipeline");
        return;
    }
    for (auto _ : run) {
        baseline();
    }
    if (found != adapters) {
        run.SkipWithError("the baseline's rescan did not find every adapter");
    }
}

BENCHMARK(ApplyPipeline)->Arg(1)->Arg(8);
BENCHMARK(ApplyPipelineBaseline)->Arg(1)->Arg(8);

}  // namespace
}  // namespace netquill
