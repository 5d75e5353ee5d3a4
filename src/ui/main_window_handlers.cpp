#include "ui/main_window_handlers.h"

#include "adapters/adapter_scan.h"
#include "adapters/selected_adapter.h"
#include "apply/apply_pipeline.h"
#include "cafe/cafe_config.h"
#include "cafe/cafe_mode.h"

namespace netquill {

void RefreshAdapters(Program& program) {
    program.mainWindow.SetCommandButtonsDisabled(true);
    PumpEvents(program.loop);
    program.mainWindow.功能选择夹.SetCurrentPage(MainWindow::kLocalConnectionPage);
    ScanAdapters(program);
}

void ExitProgram(Program& program) {
    program.loop.EndProgram(0);
}

void BindMainWindowEvents(Program& program) {
    MainWindow& window = program.mainWindow;
    window.网卡选择框.onSelect = [&program](int) { ShowSelectedAdapter(program); };
    window.刷新按钮.onClick = [&program] { RefreshAdapters(program); };
    window.修改按钮.onClick = [&program] { ModifySelectedAdapter(program); };
    window.退出按钮.onClick = [&program] { ExitProgram(program); };
    window.保存按钮.onClick = [&program] { SaveCafeConfig(program); };
    window.网吧按钮.onClick = [&program] { OpenOrApplyCafeMode(program); };
    window.机器数框.onKeyPress = [&program](int key) { MachineNumberKeyPressed(program, key); };
}

}  // namespace netquill
