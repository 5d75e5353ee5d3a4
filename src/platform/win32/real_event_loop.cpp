#include "platform/win32/real_event_loop.h"

#include <utility>

namespace netquill {

void RealEventLoop::SetBeforeDispatch(std::function<void()> beforeDispatch) {
    beforeDispatch_ = std::move(beforeDispatch);
}

void RealEventLoop::SetOnPump(std::function<void()> onPump) {
    onPump_ = std::move(onPump);
}

void RealEventLoop::SetMessageFilter(std::function<bool(MSG&)> filter) {
    filter_ = std::move(filter);
}

void RealEventLoop::SetCleanup(std::function<void()> cleanup) {
    cleanup_ = std::move(cleanup);
}

bool RealEventLoop::InputWaiting() {
    if (onPump_) {
        onPump_();
    }
    return GetInputState() != FALSE;
}

void RealEventLoop::Handle(MSG& message) {
    if (filter_ && filter_(message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void RealEventLoop::DispatchPending() {
    if (beforeDispatch_) {
        beforeDispatch_();
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            EndProgram(static_cast<int>(message.wParam));
        }
        Handle(message);
    }
}

int RealEventLoop::Run() {
    MSG message;
    while (true) {
        if (beforeDispatch_) {
            beforeDispatch_();
        }
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            return static_cast<int>(message.wParam);
        }
        if (got == -1) {
            return 1;
        }
        Handle(message);
    }
}

void RealEventLoop::DispatchNextWaiting() {
    if (beforeDispatch_) {
        beforeDispatch_();
    }
    MSG message;
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        EndProgram(got == 0 ? static_cast<int>(message.wParam) : 1);
    }
    Handle(message);
}

void RealEventLoop::EndProcess(int exitCode) {
    // Taken out first, so that a clean-up that ends the program again goes straight out.
    if (std::function<void()> cleanup = std::exchange(cleanup_, nullptr)) {
        cleanup();
    }
    ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace netquill
