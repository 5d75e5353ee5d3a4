// The entry dialog's operations: opening it for one kind of entry, laying it out and filling it,
// its metric controls, and committing the typed entry to the advanced window's lists. The dialog
// is modeless and closes itself when it loses activation; it never touches the editing lists of
// the shared state.
#pragma once

#include "advanced/advanced_session.h"

namespace netquill {

// Opens the dialog for `kind`, to add a row (editing false) or change the selected one, showing
// `entry`. When a dialog is open already, only closes it. Otherwise records kind and editing,
// creates a new dialog (whose creation handler lays it out with the pending entry left from
// before), lets events through, takes `entry` as the pending entry, lets events through, lays
// the dialog out again with it and lets events through. Lays out only the dialog it opened: one
// closed or replaced meanwhile is left alone.
void ShowEntryDialog(AdvancedSession& session, EntryKind kind, bool editing,
                     const EntryPair& entry);

// Lays `dialog` out for the recorded kind (caption, size, button places, visible controls, and
// the confirm button's caption "修改" for an edit), lets events through, then fills it from the
// pending entry and puts the focus in its first field.
void PrepareEntryDialog(AdvancedSession& session, EntryDialog& dialog);

// 自动框 clicked: checked empties and disables the metric box, greys its label and enables the
// confirm button; cleared enables both, blackens the label, updates the confirm button and puts
// the focus in the metric box.
void UpdateAutoMetricState(EntryDialog& dialog);

// 跃点框 changed: the confirm button is usable only with a metric typed.
void UpdateCommitButton(EntryDialog& dialog);

// The confirm button: validates the typed entry and appends it to its list of the advanced
// window, or replaces the selected row there, then closes the dialog. A refused entry changes no
// list. An edit whose row is no longer selected changes nothing.
void CommitEntry(AdvancedSession& session, EntryDialog& dialog);

// Closes the open dialog, if any, and takes it off the screen. Nothing typed is kept.
void CloseEntryDialog(AdvancedSession& session);

}  // namespace netquill
