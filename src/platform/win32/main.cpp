// netquill.exe: creates the ports, the shared state and the main window in one place, runs the
// window's start-up and then the message loop until the program ends.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <optional>

#include "advanced/open_advanced_window.h"
#include "devcon/device_console_image.h"
#include "platform/win32/real_adapter_info_source.h"
#include "platform/win32/real_clock.h"
#include "platform/win32/real_environment.h"
#include "platform/win32/real_event_loop.h"
#include "platform/win32/real_process_runner.h"
#include "platform/win32/real_registry_store.h"
#include "platform/win32/real_system_files.h"
#include "platform/win32/real_user_messages.h"
#include "platform/win32/resources/resource_ids.h"
#include "platform/win32/ui/focus_follower.h"
#include "platform/win32/ui/native_window.h"
#include "platform/win32/ui/native_window_host.h"
#include "ui/main_window_handlers.h"
#include "ui/startup.h"

namespace netquill {
namespace {

HICON LoadProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(NETQUILL_ICON), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR));
}

int RunProgram(HINSTANCE instance, int showCommand) {
    // The shared state and the ports exist, empty, before the window opens, and live until the
    // process ends.
    RealRegistryStore registryStore;
    RealEnvironment environment;
    RegistryAccess registry{registryStore, environment};
    RealAdapterInfoSource adapterInfo;
    RealEventLoop loop;
    RealProcessRunner processes;
    RealSystemFiles files;
    RealClock clock;
    RealUserMessages messages;
    SharedState state;
    MainWindow window;
    Program program{state,     window, registry, adapterInfo, loop,
                    processes, files,  clock,    messages,    DeviceConsoleImage()};
    BindMainWindowEvents(program);

    NativeWindowOptions options;
    options.largeIcon = LoadProgramIcon(instance, SM_CXICON, SM_CYICON);
    options.smallIcon = LoadProgramIcon(instance, SM_CXSMICON, SM_CYSMICON);
    std::optional<NativeWindow> native;
    native.emplace(MainWindow::Layout(), window.Controls(), options);
    if (native->Handle() == nullptr) {
        return 1;
    }
    // Closing the window by any means is the exit button's operation: it ends the process at
    // once, also from inside a long operation.
    native->onClose = [&program] { ExitProgram(program); };
    // The advanced settings window and its entry dialog open over the main window.
    NativeWindowHost host{loop, native->Handle()};
    BindAdvancedButton(program, host);
    loop.SetCleanup([&native] { native.reset(); });
    FocusFollower focus;
    loop.SetBeforeDispatch([&native, &window, &focus, &host] {
        if (native) {
            native->Peers().Sync();
            focus.Follow(native->Peers(), window.Controls(), window.FocusTarget(),
                         window.FocusRequests());
        }
        host.Sync();
    });
    loop.SetOnPump([&native, &host] {
        if (native) {
            native->Peers().Sync();
            RedrawWindow(native->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
        host.Sync();
    });
    messages.SetBeforeShow([&native, &host] {
        if (native) {
            native->Peers().Sync();
        }
        host.Sync();
    });
    loop.SetMessageFilter([&native, &host](MSG& message) {
        return (native && native->PreTranslate(message)) || host.PreTranslate(message);
    });

    native->Show(showCommand);
    RunStartup(program, StandardStartupSteps());
    native->Peers().Sync();
    return loop.Run();
}

}  // namespace
}  // namespace netquill

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_INTERNET_CLASSES |
                                                     ICC_TAB_CLASSES | ICC_LINK_CLASS |
                                                     ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    return netquill::RunProgram(instance, showCommand);
}
