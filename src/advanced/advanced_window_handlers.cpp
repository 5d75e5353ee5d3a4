#include "advanced/advanced_window_handlers.h"

#include <string>
#include <utility>

#include "advanced/entry_dialog_handlers.h"
#include "advanced/list_buttons.h"
#include "advanced/metric_text.h"
#include "advanced/validation.h"

namespace netquill {
namespace {

bool CheckWindow(AdvancedSession& session) {
    AdvancedWindow& window = session.window;
    return CheckAdvancedSettings(session.program.messages, window, window.超级列表框1.RowCount(),
                                 window.跃点选择框.Checked(), window.跃点框.Text());
}

// The three lists differ only in their control and their remembered entry.
EntryPair& Remembered(AdvancedWindowState& state, EntryKind kind) {
    switch (kind) {
        case EntryKind::kAddress:
            return state.lastRemovedAddress;
        case EntryKind::kGateway:
            return state.lastRemovedGateway;
        default:
            return state.lastRemovedDnsServer;
    }
}

ListView* RowList(AdvancedWindow& window, EntryKind kind) {
    switch (kind) {
        case EntryKind::kAddress:
            return &window.超级列表框1;
        case EntryKind::kGateway:
            return &window.超级列表框2;
        default:
            return nullptr;  // the DNS list box
    }
}

// Position of the selected row or item, -1 when there is none.
int SelectedPosition(AdvancedWindow& window, EntryKind kind) {
    const ListView* list = RowList(window, kind);
    return list ? list->SelectedRow() : window.DNS列表框.CurrentIndex();
}

EntryPair EntryAt(AdvancedWindow& window, EntryKind kind, int position) {
    if (const ListView* list = RowList(window, kind)) {
        return {std::string(list->Cell(position, 0)), std::string(list->Cell(position, 1))};
    }
    return {window.DNS列表框.Items()[static_cast<std::size_t>(position)], {}};
}

void DeleteAt(AdvancedWindow& window, EntryKind kind, int position) {
    if (ListView* list = RowList(window, kind)) {
        list->RemoveRow(position);
    } else {
        window.DNS列表框.RemoveItem(position);
    }
}

}  // namespace

void BindAdvancedWindowEvents(AdvancedSession& session) {
    AdvancedWindow& window = session.window;
    struct Family {
        EntryKind kind;
        Button& add;
        Button& edit;
        Button& remove;
    };
    const Family families[] = {
        {EntryKind::kAddress, window.添加按钮1, window.编辑按钮1, window.删除按钮1},
        {EntryKind::kGateway, window.添加按钮2, window.编辑按钮2, window.删除按钮2},
        {EntryKind::kDnsServer, window.添加按钮3, window.编辑按钮3, window.删除按钮3},
    };
    for (const Family& family : families) {
        const EntryKind kind = family.kind;
        family.add.onClick = [&session, kind] { AddEntry(session, kind); };
        family.edit.onClick = [&session, kind] { EditEntry(session, kind); };
        family.remove.onClick = [&session, kind] { RemoveEntry(session, kind); };
    }
    // The DNS page is reached only with an address and a usable metric; a refusal has already
    // turned back to the IP settings page.
    window.功能选择夹.onPageChanged = [&session](int page) {
        if (page == AdvancedWindow::kDnsPage && CheckWindow(session)) {
            UpdateMoveButtons(session.window);
        }
    };
    window.DNS列表框.onSelect = [&window](int) { UpdateMoveButtons(window); };
    window.向上按钮.onClick = [&window] {
        MoveDnsServer(window, MoveDirection::kUp);
        UpdateMoveButtons(window);
    };
    window.向下按钮.onClick = [&window] {
        MoveDnsServer(window, MoveDirection::kDown);
        UpdateMoveButtons(window);
    };
    window.跃点选择框.onClick = [&window] { UpdateInterfaceMetricState(window); };
    window.确定按钮.onClick = [&session] { ConfirmAdvancedSettings(session); };
    window.取消按钮.onClick = [&session] { CloseAdvancedWindow(session); };
    window.onCloseRequested = [&session] { CloseAdvancedWindow(session); };
}

void FillAdvancedWindow(AdvancedSession& session) {
    AdvancedWindow& window = session.window;
    SharedState& state = session.program.state;
    EventLoop& loop = session.program.loop;

    state.advanced.lastRemovedAddress = {};
    state.advanced.lastRemovedGateway = {};
    state.advanced.lastRemovedDnsServer = {};
    PumpEvents(loop);

    window.超级列表框1.ClearRows();
    for (const AddressEntry& entry : state.addressList) {
        window.超级列表框1.AddRow({entry.address, entry.mask});
    }
    PumpEvents(loop);
    window.超级列表框2.ClearRows();
    for (const GatewayEntry& entry : state.gatewayList) {
        window.超级列表框2.AddRow({entry.gateway, ShownGatewayMetric(entry.metric)});
    }
    PumpEvents(loop);
    window.DNS列表框.ClearItems();
    for (const std::string& server : state.dnsList) {
        window.DNS列表框.AddItem(server);
    }
    PumpEvents(loop);
    PumpEvents(loop);

    if (!state.interfaceMetricText.empty()) {
        window.跃点选择框.SetChecked(false);
        window.跃点框.SetText(state.interfaceMetricText);
    } else {
        window.跃点选择框.SetChecked(true);
        UpdateInterfaceMetricState(window);
    }
    PumpEvents(loop);

    UpdateListButtons(window);
    PumpEvents(loop);
}

void MoveDnsServer(AdvancedWindow& window, MoveDirection direction) {
    ListBox& list = window.DNS列表框;
    const int selected = list.CurrentIndex();
    const int target = direction == MoveDirection::kUp ? selected - 1 : selected + 1;
    if (selected < 0 || target < 0 || target >= list.ItemCount()) {
        return;
    }
    std::string moved = list.Items()[static_cast<std::size_t>(selected)];
    list.SetItemText(selected, list.Items()[static_cast<std::size_t>(target)]);
    list.SetItemText(target, std::move(moved));
    list.SetCurrentIndex(target);
}

void UpdateInterfaceMetricState(AdvancedWindow& window) {
    const bool automatic = window.跃点选择框.Checked();
    ShowMetricInput(window.跃点标签, window.跃点框, !automatic);
    if (!automatic) {
        window.SetFocus(window.跃点框);
    }
}

void AddEntry(AdvancedSession& session, EntryKind kind) {
    ShowEntryDialog(session, kind, false, Remembered(session.program.state.advanced, kind));
}

void EditEntry(AdvancedSession& session, EntryKind kind) {
    const int selected = SelectedPosition(session.window, kind);
    if (selected < 0) {
        ShowSettingsMessage(session.program.messages, session.window,
                            SettingsMessage::kNothingSelected);
        return;
    }
    Remembered(session.program.state.advanced, kind) = {};
    ShowEntryDialog(session, kind, true, EntryAt(session.window, kind, selected));
}

void RemoveEntry(AdvancedSession& session, EntryKind kind) {
    AdvancedWindow& window = session.window;
    const int selected = SelectedPosition(window, kind);
    if (selected < 0) {
        ShowSettingsMessage(session.program.messages, window, SettingsMessage::kNothingSelected);
        return;
    }
    Remembered(session.program.state.advanced, kind) = EntryAt(window, kind, selected);
    DeleteAt(window, kind, selected);
    UpdateListButtons(window);
    if (!RowList(window, kind)) {
        UpdateMoveButtons(window);
    }
    PumpEvents(session.program.loop);
}

void ConfirmAdvancedSettings(AdvancedSession& session) {
    if (!CheckWindow(session)) {
        return;
    }
    StoreAdvancedSettings(session);
    PumpEvents(session.program.loop);
    CloseAdvancedWindow(session);
}

void StoreAdvancedSettings(AdvancedSession& session) {
    const AdvancedWindow& window = session.window;
    SharedState& state = session.program.state;
    EventLoop& loop = session.program.loop;

    // Checking automatic metric empties the box, so an automatic metric stores the empty text.
    state.interfaceMetricText = window.跃点框.Text();
    PumpEvents(loop);

    state.addressList.clear();
    for (int row = 0; row < window.超级列表框1.RowCount(); ++row) {
        state.addressList.push_back({std::string(window.超级列表框1.Cell(row, 0)),
                                     std::string(window.超级列表框1.Cell(row, 1))});
    }
    PumpEvents(loop);

    state.gatewayList.clear();
    for (int row = 0; row < window.超级列表框2.RowCount(); ++row) {
        state.gatewayList.push_back({std::string(window.超级列表框2.Cell(row, 0)),
                                     StoredGatewayMetric(window.超级列表框2.Cell(row, 1))});
    }
    PumpEvents(loop);

    state.dnsList = window.DNS列表框.Items();
    PumpEvents(loop);

    RefreshMainWindowFields(session.program);
    PumpEvents(loop);
}

void RefreshMainWindowFields(Program& program) {
    const SharedState& state = program.state;
    MainWindow& main = program.mainWindow;
    const AddressEntry noAddress;
    const AddressEntry& address = state.addressList.empty() ? noAddress : state.addressList[0];
    main.地址框.SetAddress(address.address);
    main.掩码框.SetAddress(address.mask);
    main.网关框.SetAddress(state.gatewayList.empty() ? "" : state.gatewayList[0].gateway);
    main.首选框.SetAddress(state.dnsList.empty() ? "" : state.dnsList[0]);
    main.备用框.SetAddress(state.dnsList.size() > 1 ? state.dnsList[1] : "");
}

void CloseAdvancedWindow(AdvancedSession& session) {
    CloseEntryDialog(session);
    session.window.Close();
}

}  // namespace netquill
