#include "apply/apply_pipeline.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "adapters/adapter_scan.h"
#include "apply/adapter_restart.h"
#include "apply/computer_name.h"
#include "apply/delay.h"
#include "apply/ipx_number.h"
#include "core/text.h"

namespace netquill {
namespace {

constexpr int kSettleMilliseconds = 3500;

// How the message box names what could not be stored.
constexpr std::string_view kProblemsIntro = "以下设置未能保存：";
constexpr std::string_view kAddressModeItem = "地址获取方式 (EnableDHCP)";
constexpr std::string_view kAddressItem = "IP 地址 (IPAddress)";
constexpr std::string_view kMaskItem = "子网掩码 (SubnetMask)";
constexpr std::string_view kGatewayItem = "默认网关 (DefaultGateway)";
constexpr std::string_view kGatewayMetricItem = "网关跃点数 (DefaultGatewayMetric)";
constexpr std::string_view kInterfaceMetricItem = "接口跃点数 (InterfaceMetric)";
constexpr std::string_view kNameServerItem = "DNS 服务器 (NameServer)";
constexpr std::string_view kIpxItem = "IPX 网络号 (VirtualNetworkNumber)";
constexpr std::string_view kIpxRejectedItem = "IPX 网络号：须为 1 到 8 位十六进制数字";
constexpr std::string_view kComputerNameItem = "计算机名 (ComputerName, NV Hostname)";
constexpr std::string_view kComputerNameRejectedItem = "计算机名：不能为空";
constexpr std::string_view kAutoLogonItem = "自动登录 (Winlogon)";
constexpr std::string_view kNotRestarted =
    "网卡未能重新启用：无法放置或运行 devcon.exe。已保存的设置要在网卡重新启用或计算机重新启动后"
    "才生效。";

// The settings one run writes, taken from the shared state in one go.
struct Snapshot {
    AdapterRecord adapter;
    std::vector<AddressEntry> addresses;
    std::vector<GatewayEntry> gateways;
    std::vector<std::string> dnsServers;
    std::string interfaceMetric;
};

std::optional<AdapterRecord> AdapterOnShow(const Program& program) {
    const ComboBox& combo = program.mainWindow.网卡选择框;
    if (combo.ItemCount() == 0 || combo.Items().front() == kNoAdapterFound) {
        return std::nullopt;
    }
    const SharedState& state = program.state;
    if (state.selectedAdapter < 1 ||
        state.selectedAdapter > static_cast<int>(state.adapterTable.size())) {
        return std::nullopt;
    }
    return state.adapterTable[static_cast<std::size_t>(state.selectedAdapter - 1)];
}

template <typename Entry>
std::string JoinLines(const std::vector<Entry>& entries, std::string Entry::*field) {
    std::string text;
    for (const Entry& entry : entries) {
        text.append(entry.*field).append(kLineBreak);
    }
    return text;
}

std::string JoinDnsServers(const std::vector<std::string>& servers) {
    std::string text;
    for (std::size_t i = 0; i < servers.size(); ++i) {
        text.append(i == 0 ? "" : ",").append(servers[i]);
    }
    return text;
}

void SyncDnsServers(std::vector<std::string>& dns, const std::string& preferred,
                    const std::string& alternate) {
    if (!alternate.empty()) {
        if (dns.size() < 2) {
            dns.resize(2);
        }
        dns[0] = preferred;
        dns[1] = alternate;
    } else if (!preferred.empty()) {
        if (dns.empty()) {
            dns.push_back(preferred);
            return;
        }
        dns[0] = preferred;
        if (dns.size() >= 2) {
            dns.erase(dns.begin() + 1);
        }
    } else {
        dns.erase(dns.begin(),
                  dns.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(dns.size(), 2)));
    }
}

class Problems {
  public:
    void Note(bool stored, std::string_view item) {
        if (!stored) {
            items_.emplace_back(item);
        }
    }
    // The adapters still run with their old settings, whatever was stored.
    void NoteNotRestarted() { notRestarted_ = true; }
    bool Any() const { return !items_.empty() || notRestarted_; }
    std::string Text() const {
        std::string text;
        if (!items_.empty()) {
            text = kProblemsIntro;
            for (const std::string& item : items_) {
                text.append("\n").append(item);
            }
        }
        if (notRestarted_) {
            text.append(text.empty() ? "" : "\n\n").append(kNotRestarted);
        }
        return text;
    }

  private:
    std::vector<std::string> items_;
    bool notRestarted_ = false;
};

void NoteOutcome(Problems& problems, WriteOutcome outcome, std::string_view failedItem,
                 std::string_view rejectedItem) {
    problems.Note(outcome != WriteOutcome::kFailed, failedItem);
    problems.Note(outcome != WriteOutcome::kRejected, rejectedItem);
}

// The TCP/IP values of the adapter's interface key, in the order the system expects them:
// EnableDHCP first, since it also creates a missing key for the multi-strings after it.
void WriteInterfaceSettings(Program& program, const Snapshot& settings, Problems& problems) {
    EventLoop& loop = program.loop;
    RegistryAccess& registry = program.registry;
    const std::string addressText = JoinLines(settings.addresses, &AddressEntry::address);
    const std::string maskText = JoinLines(settings.addresses, &AddressEntry::mask);
    PumpEvents(loop);
    const std::string gatewayText = JoinLines(settings.gateways, &GatewayEntry::gateway);
    const std::string metricText = JoinLines(settings.gateways, &GatewayEntry::metric);
    PumpEvents(loop);
    const std::string dnsText = JoinDnsServers(settings.dnsServers);
    PumpEvents(loop);
    PumpEvents(loop);

    const std::string key =
        program.state.registryBasePaths.interfacesKey + settings.adapter.instanceId;
    if (addressText.empty()) {
        problems.Note(registry.WriteRegistryNumber(key + "\\EnableDHCP", std::int64_t{1}),
                      kAddressModeItem);
    } else {
        problems.Note(registry.WriteRegistryNumber(key + "\\EnableDHCP", std::int64_t{0}),
                      kAddressModeItem);
        problems.Note(registry.WriteMultiString(key, "IPAddress", addressText), kAddressItem);
        problems.Note(registry.WriteMultiString(key, "SubnetMask", maskText), kMaskItem);
    }
    if (gatewayText.empty()) {
        problems.Note(registry.DeleteRegistryValue(key + "\\DefaultGateway"), kGatewayItem);
        problems.Note(registry.DeleteRegistryValue(key + "\\DefaultGatewayMetric"),
                      kGatewayMetricItem);
    } else {
        problems.Note(registry.WriteMultiString(key, "DefaultGateway", gatewayText), kGatewayItem);
        problems.Note(registry.WriteMultiString(key, "DefaultGatewayMetric", metricText),
                      kGatewayMetricItem);
    }
    problems.Note(
        registry.WriteInterfaceMetric(settings.adapter.instanceId, settings.interfaceMetric),
        kInterfaceMetricItem);
    problems.Note(registry.WriteRegistryText(key + "\\NameServer", dnsText), kNameServerItem);
}

}  // namespace

void ModifySelectedAdapter(Program& program) {
    MainWindow& window = program.mainWindow;
    const std::string previousStatus = window.提示标签.Caption();
    window.SetCommandButtonsDisabled(true);
    window.功能选择夹.SetCurrentPage(MainWindow::kLocalConnectionPage);
    window.提示标签.SetCaption(std::string(kApplying));
    PumpEvents(program.loop);
    if (!AdapterOnShow(program)) {
        // Nothing to apply and no rescan to follow: give the window back usable.
        window.提示标签.SetCaption(previousStatus);
        window.SetCommandButtonsDisabled(false);
        return;
    }
    ApplySettings(program);
}

void ApplySettings(Program& program) {
    MainWindow& window = program.mainWindow;
    EventLoop& loop = program.loop;
    SyncListsFromMainWindow(program);
    const std::optional<AdapterRecord> adapter = AdapterOnShow(program);
    if (!adapter) {
        ScanAdapters(program);
        return;
    }
    const Snapshot settings{*adapter, program.state.addressList, program.state.gatewayList,
                            program.state.dnsList, program.state.interfaceMetricText};
    PumpEvents(loop);

    Problems problems;
    WriteInterfaceSettings(program, settings, problems);
    NoteOutcome(problems, WriteIpxNetworkNumber(program.registry, window.网络号框), kIpxItem,
                kIpxRejectedItem);
    PumpEvents(loop);
    NoteOutcome(problems, WriteComputerName(program.registry, window.机器名框.Text()),
                kComputerNameItem, kComputerNameRejectedItem);
    PumpEvents(loop);
    if (program.state.cafeConfigLoaded) {
        problems.Note(WriteAutoLogon(program.registry, window.用户框2.Text(), window.密码框2.Text(),
                                     window.机器名框.Text()),
                      kAutoLogonItem);
    }
    PumpEvents(loop);
    if (!RestartAdapters(program, settings.adapter.matchingDeviceId)) {
        problems.NoteNotRestarted();
    }

    if (problems.Any()) {
        window.提示标签.SetCaption(std::string(kApplyFailed));
        program.messages.ShowMessage(kApplyFailedTitle, problems.Text(), MessageIcon::kError);
    } else {
        window.提示标签.SetCaption(std::string(kApplied));
    }
    DelayWithEvents(program, kSettleMilliseconds);
    ScanAdapters(program);
}

void SyncListsFromMainWindow(Program& program) {
    MainWindow& window = program.mainWindow;
    SharedState& state = program.state;
    SyncDnsServers(state.dnsList, window.首选框.Address(), window.备用框.Address());

    const std::string gateway = window.网关框.Address();
    if (gateway.empty()) {
        if (!state.gatewayList.empty()) {
            state.gatewayList.erase(state.gatewayList.begin());
        }
    } else if (state.gatewayList.empty()) {
        state.gatewayList.push_back({gateway, "0"});
        PumpEvents(program.loop);
    } else {
        GatewayEntry& first = state.gatewayList.front();
        first.gateway = gateway;
        if (IntegerValue(first.metric) == 0) {
            // Not `= "0"`: GCC 12 at -O3 reports a false overlap (-Wrestrict) for that.
            first.metric.assign(1, '0');
        }
    }

    const std::string address = window.地址框.Address();
    if (address.empty()) {
        if (!state.addressList.empty()) {
            state.addressList.erase(state.addressList.begin());
        }
    } else if (state.addressList.empty()) {
        state.addressList.push_back({address, window.掩码框.Address()});
        PumpEvents(program.loop);
    } else {
        state.addressList.front() = {address, window.掩码框.Address()};
    }
}

}  // namespace netquill
