#include "adapters/selected_adapter.h"

#include "adapters/adapter_scan.h"
#include "core/text.h"

namespace netquill {
namespace {

// The record at a position from 1, copied: handlers run while we pump may rebuild the table.
std::optional<AdapterRecord> RecordAt(const SharedState& state, int position) {
    if (position < 1 || position > static_cast<int>(state.adapterTable.size())) {
        return std::nullopt;
    }
    return state.adapterTable[static_cast<std::size_t>(position - 1)];
}

template <typename T>
const T* ItemAt(const std::vector<T>& items, std::size_t index) {
    return index < items.size() ? &items[index] : nullptr;
}

}  // namespace

void ShowSelectedAdapter(Program& program) {
    MainWindow& window = program.mainWindow;
    ComboBox& combo = window.网卡选择框;
    if (combo.ItemCount() > 0 && combo.Items().front() == kNoAdapterFound) {
        return;
    }
    if (combo.CurrentIndex() < 0) {
        return;
    }
    window.功能选择夹.SetCurrentPage(MainWindow::kLocalConnectionPage);
    program.state.selectedAdapter = combo.CurrentIndex() + 1;
    PumpEvents(program.loop);

    const std::optional<AdapterRecord> record =
        RecordAt(program.state, program.state.selectedAdapter);
    if (!record) {
        return;
    }
    window.适配器标签.SetCaption(record->instanceId);
    window.本地连接框.SetCaption(record->connectionName);
    window.MAC信息框.SetText(record->macAddress);
    window.提示标签.SetCaption(record->configMode);
    program.state.interfaceMetricText = record->interfaceMetric;
    PumpEvents(program.loop);
    LoadAdapterSettings(program, program.state.selectedAdapter);
}

void LoadAdapterSettings(Program& program, int position) {
    const std::optional<AdapterRecord> record = RecordAt(program.state, position);
    if (!record) {
        return;
    }
    SharedState& state = program.state;
    EventLoop& loop = program.loop;
    state.addressList.clear();
    state.gatewayList.clear();
    state.dnsList.clear();

    const auto addresses = SplitItems(record->ipAddresses, kLineBreak);
    PumpEvents(loop);
    const auto masks = SplitItems(record->subnetMasks, kLineBreak, addresses.size());
    PumpEvents(loop);
    const auto gateways = SplitItems(record->gateways, kLineBreak);
    PumpEvents(loop);
    const auto metrics = SplitItems(record->gatewayMetrics, kLineBreak, gateways.size());
    PumpEvents(loop);
    // Built apart and moved in whole: a load started by a handler meanwhile must not mix in.
    std::vector<std::string> dnsList = SplitItems(record->nameServers, ",");
    PumpEvents(loop);

    std::vector<AddressEntry> addressList;
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        PumpEvents(loop);
        const std::string* mask = ItemAt(masks, i);
        addressList.push_back({addresses[i], mask ? *mask : std::string()});
    }
    PumpEvents(loop);
    std::vector<GatewayEntry> gatewayList;
    for (std::size_t i = 0; i < gateways.size(); ++i) {
        PumpEvents(loop);
        const std::string* metric = ItemAt(metrics, i);
        const bool automatic = metric == nullptr || IntegerValue(*metric) == 0;
        gatewayList.push_back({gateways[i], automatic ? "0" : *metric});
    }
    PumpEvents(loop);

    state.addressList = std::move(addressList);
    state.gatewayList = std::move(gatewayList);
    state.dnsList = std::move(dnsList);

    MainWindow& window = program.mainWindow;
    const AddressEntry* firstAddress = ItemAt(state.addressList, 0);
    window.地址框.SetAddress(firstAddress ? firstAddress->address : "");
    window.掩码框.SetAddress(firstAddress ? firstAddress->mask : "");
    const GatewayEntry* firstGateway = ItemAt(state.gatewayList, 0);
    window.网关框.SetAddress(firstGateway ? firstGateway->gateway : "");
    const std::string* preferred = ItemAt(state.dnsList, 0);
    window.首选框.SetAddress(preferred ? *preferred : "");
    const std::string* alternate = ItemAt(state.dnsList, 1);
    window.备用框.SetAddress(alternate ? *alternate : "");
}

}  // namespace netquill
