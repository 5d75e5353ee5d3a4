#include "core/event_loop.h"

namespace netquill {

void PumpEvents(EventLoop& loop) {
    if (loop.InputWaiting()) {
        loop.DispatchPending();
    }
}

}  // namespace netquill
