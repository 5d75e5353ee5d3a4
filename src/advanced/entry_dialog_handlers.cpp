#include "advanced/entry_dialog_handlers.h"

#include <memory>
#include <string>
#include <utility>

#include "advanced/list_buttons.h"
#include "advanced/metric_text.h"
#include "advanced/validation.h"
#include "ui/entry_dialog_layout.h"

namespace netquill {
namespace {

bool IsOpenDialog(const AdvancedSession& session, const EntryDialog& dialog) {
    return session.entryDialog == &dialog;
}

void CloseIfOpen(AdvancedSession& session, const EntryDialog& dialog) {
    if (IsOpenDialog(session, dialog)) {
        CloseEntryDialog(session);
    }
}

void BindEntryDialogEvents(AdvancedSession& session, EntryDialog& dialog) {
    EventLoop& loop = session.program.loop;
    dialog.自动框.onClick = [&dialog] { UpdateAutoMetricState(dialog); };
    dialog.跃点框.onTextChanged = [&dialog] { UpdateCommitButton(dialog); };
    dialog.添加按钮.onClick = [&session, &dialog] { CommitEntry(session, dialog); };
    dialog.取消按钮.onClick = [&session, &dialog, &loop] {
        PumpEvents(loop);
        CloseIfOpen(session, dialog);
    };
    dialog.onCloseRequested = [&session, &dialog] { CloseIfOpen(session, dialog); };
    // Losing activation ends the dialog, so no edit stays open while the user works elsewhere.
    dialog.onDeactivated = [&session, &dialog, &loop] {
        PumpEvents(loop);
        session.host.Activate(session.window);
        PumpEvents(loop);
        CloseIfOpen(session, dialog);
    };
}

void LayOut(EntryDialog& dialog, EntryKind kind, bool editing) {
    if (editing) {
        dialog.添加按钮.SetCaption(std::string(kEntryDialogEditCaption));
    }
    const EntryDialogModeLayout& mode = EntryDialogModeLayoutFor(kind);
    dialog.SetCaption(std::string(mode.caption));
    dialog.Resize(mode.width, mode.height);
    dialog.MoveControl(dialog.添加按钮, mode.commitButton.x, mode.commitButton.y);
    dialog.MoveControl(dialog.取消按钮, mode.cancelButton.x, mode.cancelButton.y);
    for (const std::string_view name : mode.shown) {
        if (Control* control = dialog.ControlNamed(name)) {
            control->SetVisible(true);
        }
    }
}

void Fill(EntryDialog& dialog, EntryKind kind, const EntryPair& entry) {
    switch (kind) {
        case EntryKind::kAddress:
            dialog.地址框.SetAddress(entry.first);
            dialog.掩码框.SetAddress(entry.second);
            dialog.SetFocus(dialog.地址框);
            break;
        case EntryKind::kGateway:
            dialog.网关框.SetAddress(entry.first);
            if (MeansAutomaticMetric(entry.second)) {
                dialog.自动框.SetChecked(true);
            } else {
                dialog.自动框.SetChecked(false);
                dialog.跃点框.SetText(entry.second);
            }
            UpdateAutoMetricState(dialog);
            dialog.SetFocus(dialog.网关框);
            break;
        default:
            dialog.DNS框.SetAddress(entry.first);
            dialog.SetFocus(dialog.DNS框);
            break;
    }
}

}  // namespace

void ShowEntryDialog(AdvancedSession& session, EntryKind kind, bool editing,
                     const EntryPair& entry) {
    if (session.entryDialog) {
        CloseEntryDialog(session);
        return;
    }
    AdvancedWindowState& state = session.program.state.advanced;
    state.entryDialogMode = kind;
    state.entryDialogEditing = editing;

    EntryDialog& dialog = *session.dialogs.emplace_back(std::make_unique<EntryDialog>());
    BindEntryDialogEvents(session, dialog);
    session.entryDialog = &dialog;
    session.host.ShowModeless(dialog);
    PrepareEntryDialog(session, dialog);  // the creation handler

    EventLoop& loop = session.program.loop;
    PumpEvents(loop);
    state.pendingEntry = entry;
    PumpEvents(loop);
    if (IsOpenDialog(session, dialog)) {
        PrepareEntryDialog(session, dialog);
    }
    PumpEvents(loop);
}

void PrepareEntryDialog(AdvancedSession& session, EntryDialog& dialog) {
    const AdvancedWindowState& state = session.program.state.advanced;
    const EntryKind mode = state.entryDialogMode;
    LayOut(dialog, mode, state.entryDialogEditing);
    PumpEvents(session.program.loop);
    Fill(dialog, mode, state.pendingEntry);
}

void UpdateAutoMetricState(EntryDialog& dialog) {
    const bool automatic = dialog.自动框.Checked();
    ShowMetricInput(dialog.跃点标签, dialog.跃点框, !automatic);
    if (automatic) {
        dialog.添加按钮.SetEnabled(true);
    } else {
        UpdateCommitButton(dialog);
        dialog.SetFocus(dialog.跃点框);
    }
}

void UpdateCommitButton(EntryDialog& dialog) {
    dialog.添加按钮.SetEnabled(!dialog.跃点框.Text().empty());
}

void CommitEntry(AdvancedSession& session, EntryDialog& dialog) {
    // Taken now: a message box lets events through, and an opening meanwhile records its own.
    const EntryKind mode = session.program.state.advanced.entryDialogMode;
    const bool editing = session.program.state.advanced.entryDialogEditing;
    UserMessages& messages = session.program.messages;
    EventLoop& loop = session.program.loop;
    AdvancedWindow& window = session.window;
    switch (mode) {
        case EntryKind::kAddress: {
            const std::string address = dialog.地址框.Address();
            const std::string mask = dialog.掩码框.Address();
            if (!ValidateAddressFields(messages, address, mask)) {
                return;
            }
            ListView& list = window.超级列表框1;
            if (editing) {
                const int row = list.SelectedRow();
                list.SetCell(row, 0, address);
                list.SetCell(row, 1, mask);
            } else {
                list.AddRow({address, mask});
            }
            PumpEvents(loop);
            UpdateListButtons(window);
            break;
        }
        case EntryKind::kGateway: {
            const std::string gateway = dialog.网关框.Address();
            if (!ValidateAddressFields(messages, gateway)) {
                return;
            }
            std::string metric =
                dialog.自动框.Checked() ? std::string(kAutomaticMetric) : dialog.跃点框.Text();
            ListView& list = window.超级列表框2;
            if (editing) {
                const int row = list.SelectedRow();
                list.SetCell(row, 0, gateway);
                list.SetCell(row, 1, std::move(metric));
            } else {
                list.AddRow({gateway, std::move(metric)});
            }
            PumpEvents(loop);
            UpdateListButtons(window);
            break;
        }
        default: {
            const std::string server = dialog.DNS框.Address();
            if (!ValidateAddressFields(messages, server)) {
                return;
            }
            ListBox& list = window.DNS列表框;
            if (editing) {
                list.SetItemText(list.CurrentIndex(), server);
            } else {
                list.AddItem(server);
            }
            PumpEvents(loop);
            UpdateMoveButtons(window);
            UpdateListButtons(window);
            break;
        }
    }
    PumpEvents(loop);
    CloseIfOpen(session, dialog);
}

void CloseEntryDialog(AdvancedSession& session) {
    if (EntryDialog* const dialog = std::exchange(session.entryDialog, nullptr)) {
        dialog->Close();
        session.host.Remove(*dialog);
    }
}

}  // namespace netquill
