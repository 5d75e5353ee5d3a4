// The advanced window's operations: filling it from the editing state, its list buttons, moving
// DNS servers, the interface metric, the add / edit / remove family with the remembered
// entries, and OK, which alone writes the window back into the editing state and the main
// window's five address fields. Nothing here writes the registry.
#pragma once

#include "advanced/advanced_session.h"

namespace netquill {

// Connects the window's events to the operations below.
void BindAdvancedWindowEvents(AdvancedSession& session);

// The creation handler: forgets the removed entries, fills the three lists and the interface
// metric from the editing state and updates the list buttons, letting events through after
// every step.
void FillAdvancedWindow(AdvancedSession& session);

enum class MoveDirection { kUp, kDown };

// Exchanges the selected DNS server's text with its neighbour's and moves the selection along.
// Nothing without a selection or at the end of the list in that direction.
void MoveDnsServer(AdvancedWindow& window, MoveDirection direction);

// 跃点选择框 clicked: checked empties and disables the metric box and greys its label; cleared
// enables both, blackens the label and puts the focus in the box.
void UpdateInterfaceMetricState(AdvancedWindow& window);

// The add, edit and remove buttons of the list that holds entries of `kind`. Add offers the
// list's remembered entry; edit forgets it and offers the selected row; remove remembers the
// selected row and deletes it. Edit and remove without a selection say so and do nothing.
void AddEntry(AdvancedSession& session, EntryKind kind);
void EditEntry(AdvancedSession& session, EntryKind kind);
void RemoveEntry(AdvancedSession& session, EntryKind kind);

// OK: when the window passes CheckAdvancedSettings, stores it and closes it; otherwise the
// window stays open and unchanged.
void ConfirmAdvancedSettings(AdvancedSession& session);

// Writes the interface metric, the three lists and then the main window's fields from the
// window, letting events through after each step. DnsList keeps every server, also those the
// main window has no field for.
void StoreAdvancedSettings(AdvancedSession& session);

// 地址框 and 掩码框 of the main window show the first address entry, 网关框 the first gateway,
// 首选框 and 备用框 the first two DNS servers; a field without its entry becomes blank.
void RefreshMainWindowFields(Program& program);

// Cancel, the close box and Escape: closes the window, and an open entry dialog with it; nothing
// is stored.
void CloseAdvancedWindow(AdvancedSession& session);

}  // namespace netquill
