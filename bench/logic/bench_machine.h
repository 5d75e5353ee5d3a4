// The machine the logic benchmarks run on: an in-memory registry laid out as the system keeps
// its network adapters, with `adapterCount` running Ethernet adapters in manual configuration,
// the IPX protocol installed, a computer name, and the system's adapter list to match.
#pragma once

#include <string>

#include "bench_program.h"

namespace netquill {

// The values every benchmark adapter holds, as the main window shows them.
struct BenchAddresses {
    std::string address = "192.168.16.5";
    std::string mask = "255.255.255.0";
    std::string gateway = "192.168.16.254";
    std::string preferredDns = "202.96.128.86";
    std::string alternateDns = "202.96.134.133";
    std::string interfaceMetric = "20";
    std::string computerName = "CAFE-PC-01";
    std::string ipxNumber = "1A2B3C4D";
};

std::string BenchInstanceId(int index);

void InstallBenchMachine(BenchProgram& bench, int adapterCount);

}  // namespace netquill
