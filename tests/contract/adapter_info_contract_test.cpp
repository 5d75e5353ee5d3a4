// The system adapter list, checked against what Linux itself reports in /sys/class/net: natively
// through getifaddrs, and under Wine through GetAdaptersInfo (which names adapters after the
// Linux interfaces and sees /sys on drive Z:). Skipped where no such interface is listed.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>

#include "adapters/hardware_address.h"

#ifdef _WIN32
#include "platform/win32/real_adapter_info_source.h"
using SystemAdapterSource = netquill::RealAdapterInfoSource;
constexpr const char* kSysNet = "Z:\\sys\\class\\net\\";
#else
#include "platform/posix/ifaddrs_adapter_info_source.h"
using SystemAdapterSource = netquill::IfaddrsAdapterInfoSource;
constexpr const char* kSysNet = "/sys/class/net/";
#endif

namespace netquill {
namespace {

// "02:fc:00:00:00:01" as the program writes it: "02-FC-00-00-00-01".
std::string LinuxAddressInProgramForm(const std::string& interfaceName) {
    std::ifstream file(std::string(kSysNet) + interfaceName + (kSysNet[0] == 'Z' ? "\\" : "/") +
                       "address");
    std::string address;
    std::getline(file, address);
    for (char& c : address) {
        c = c == ':' ? '-' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return address;
}

TEST(SystemAdapterList, AddressesMatchTheKernelsAndLoopbackIsLeftOut) {
    const SystemAdapterSource source;
    std::size_t compared = 0;
    for (const AdapterInfoEntry& entry : QueryAdapterInfo(source)) {
        SCOPED_TRACE(entry.systemDescription);
        EXPECT_NE(entry.systemDescription, "lo");
        const std::string linuxAddress = LinuxAddressInProgramForm(entry.systemDescription);
        if (linuxAddress.size() == entry.hardwareAddress.size()) {
            EXPECT_EQ(entry.hardwareAddress, linuxAddress);
            ++compared;
        }
    }
    if (compared == 0) {
        GTEST_SKIP() << "no listed adapter is a Linux interface of this machine";
    }
}

}  // namespace
}  // namespace netquill
