// Moves the keyboard focus where the program asked for it. The program places the focus in the
// model (a target control and a count of requests); the user moves it on natively without the
// model knowing, so the focus is moved once per request, never pulled back on every sync.
#pragma once

#include <span>

#include "platform/win32/ui/control_peers.h"
#include "ui/layout.h"

namespace netquill {

class FocusFollower {
  public:
    // When `requests` differs from the count last followed, gives the focus to the native control
    // of `target` (one of `controls`); an edit box gets its text selected, so that typing
    // replaces it. Call after the peers were synchronised, so that the control shows.
    void Follow(const WindowPeers& peers, std::span<const BoundControl> controls,
                const Control* target, unsigned requests);

  private:
    unsigned followed_ = 0;
};

}  // namespace netquill
