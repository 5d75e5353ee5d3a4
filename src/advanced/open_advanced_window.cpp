#include "advanced/open_advanced_window.h"

#include "advanced/advanced_window_handlers.h"
#include "advanced/entry_dialog_handlers.h"
#include "apply/apply_pipeline.h"

namespace netquill {

void OpenAdvancedWindow(Program& program, WindowHost& host) {
    SyncListsFromMainWindow(program);
    AdvancedWindow window;
    AdvancedSession session{.program = program, .host = host, .window = window};
    BindAdvancedWindowEvents(session);
    host.RunModal(window, [&session] { FillAdvancedWindow(session); });
    // The host may end the window without our close handlers (a native window that could not be
    // made); no entry dialog may outlive it.
    CloseEntryDialog(session);
}

void BindAdvancedButton(Program& program, WindowHost& host) {
    program.mainWindow.高级按钮.onClick = [&program, &host] { OpenAdvancedWindow(program, host); };
}

}  // namespace netquill
