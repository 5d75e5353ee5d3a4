#include "platform/win32/ui/native_window_host.h"

#include <algorithm>
#include <utility>

#include "platform/win32/wide_text.h"

namespace netquill {
namespace {

// Where `bound` sits now relative to the client area: its current box moved by the current boxes
// of the controls that hold it.
Rect CurrentClientBox(const DialogWindow& window, const BoundControl& bound) {
    Rect box = window.BoxOf(*bound.control);
    const std::span<const BoundControl> controls = window.Controls();
    std::string_view parent = bound.layout->parent;
    for (std::size_t depth = 0; !parent.empty() && depth < controls.size(); ++depth) {
        const auto found = std::ranges::find(controls, parent,
                                             [](const BoundControl& b) { return b.layout->name; });
        if (found == controls.end()) {
            break;
        }
        const Rect parentBox = window.BoxOf(*found->control);
        box.x += parentBox.x;
        box.y += parentBox.y;
        parent = found->layout->parent;
    }
    return box;
}

}  // namespace

NativeWindowHost::NativeWindowHost(RealEventLoop& loop, HWND mainWindow)
    : loop_(loop), mainWindow_(mainWindow) {}

// The latest first: a window goes before the windows it was shown above.
NativeWindowHost::~NativeWindowHost() {
    while (!hosted_.empty()) {
        hosted_.pop_back();
    }
}

void NativeWindowHost::RunModal(DialogWindow& window, const std::function<void()>& created) {
    const HWND below = Topmost();
    ++modalLevel_;
    const int level = modalLevel_;
    if (Hosted* const hosted = Create(window, true)) {
        EnableWindow(below, FALSE);
        created();
        if (window.IsOpen()) {
            Show(*hosted);
        }
        while (window.IsOpen()) {
            DestroyRemoved(level);
            loop_.DispatchNextWaiting();
        }
        // Enabled before this window goes, so that the activation returns to it.
        EnableWindow(below, TRUE);
        hosted->removed = true;
        ShowWindow(hosted->native->Handle(), SW_HIDE);
    }
    DestroyRemoved(level);
    --modalLevel_;
}

void NativeWindowHost::ShowModeless(DialogWindow& window) {
    if (Hosted* const hosted = Create(window, false)) {
        Show(*hosted);
    }
}

void NativeWindowHost::Remove(DialogWindow& window) {
    if (Hosted* const hosted = Find(window)) {
        hosted->removed = true;
        ShowWindow(hosted->native->Handle(), SW_HIDE);
    }
}

void NativeWindowHost::Activate(DialogWindow& window) {
    pendingActivation_ = nullptr;
    const Hosted* const hosted = Find(window);
    if (hosted == nullptr) {
        return;
    }
    const HWND handle = hosted->native->Handle();
    if (!IsWindowEnabled(handle)) {
        pendingActivation_ = &window;
    } else if (GetActiveWindow() != handle && IsWindowVisible(handle)) {
        SetActiveWindow(handle);
    }
}

HWND NativeWindowHost::HandleOf(const DialogWindow& window) const {
    const Hosted* const hosted = Find(window);
    return hosted ? hosted->native->Handle() : nullptr;
}

NativeWindowHost::Hosted* NativeWindowHost::Create(DialogWindow& window, bool modal) {
    NativeWindowOptions options;
    options.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    options.exStyle = WS_EX_DLGMODALFRAME;
    options.owner = Topmost();
    auto native = std::make_unique<NativeWindow>(window.Layout(), window.Controls(), options);
    if (native->Handle() == nullptr) {
        window.Close();
        return nullptr;
    }
    native->onClose = [&window] { window.ClickCloseBox(); };
    native->onDeactivated = [&window] { window.LoseActivation(); };

    auto hosted = std::make_unique<Hosted>();
    hosted->model = &window;
    hosted->native = std::move(native);
    hosted->modal = modal;
    hosted->level = modalLevel_;
    hosted->shownCaption = window.Layout().caption;
    hosted->shownWidth = window.Layout().box.width;
    hosted->shownHeight = window.Layout().box.height;
    for (const BoundControl& bound : window.Controls()) {
        hosted->shownBoxes.push_back(ClientBox(window.Layout(), *bound.layout));
    }
    hosted_.push_back(std::move(hosted));
    return hosted_.back().get();
}

NativeWindowHost::Hosted* NativeWindowHost::Find(const DialogWindow& window) const {
    const auto found = std::ranges::find_if(hosted_, [&window](const auto& hosted) {
        return hosted->model == &window && !hosted->removed;
    });
    return found == hosted_.end() ? nullptr : found->get();
}

HWND NativeWindowHost::Topmost() const {
    for (auto it = hosted_.rbegin(); it != hosted_.rend(); ++it) {
        if ((*it)->modal && !(*it)->removed) {
            return (*it)->native->Handle();
        }
    }
    return mainWindow_;
}

// Without an immediate repaint: a window shown by ShowModeless is laid out by its creation
// handler right after, and its first paint shows that.
void NativeWindowHost::Show(Hosted& hosted) {
    SyncWindow(hosted);
    const HWND handle = hosted.native->Handle();
    ShowWindow(handle, SW_SHOW);
    if (HWND first = GetNextDlgTabItem(handle, nullptr, FALSE)) {
        SetFocus(first);
    }
    const DialogWindow& window = *hosted.model;
    hosted.focus.Follow(hosted.native->Peers(), window.Controls(), window.Focused(),
                        window.FocusRequests());
}

void NativeWindowHost::Sync() {
    if (syncing_) {
        syncAgain_ = true;
        return;
    }
    syncing_ = true;
    do {
        syncAgain_ = false;
        // By position: a handler that runs meanwhile may show another window.
        for (std::size_t i = 0; i < hosted_.size(); ++i) {
            if (!hosted_[i]->removed) {
                SyncWindow(*hosted_[i]);
            }
        }
    } while (syncAgain_);
    syncing_ = false;
    if (pendingActivation_ != nullptr) {
        const Hosted* const hosted = Find(*pendingActivation_);
        if (hosted == nullptr) {
            pendingActivation_ = nullptr;
        } else if (IsWindowEnabled(hosted->native->Handle())) {
            Activate(*hosted->model);
        }
    }
}

void NativeWindowHost::SyncWindow(Hosted& hosted) {
    const DialogWindow& window = *hosted.model;
    NativeWindow& native = *hosted.native;
    WindowPeers& peers = native.Peers();
    peers.Sync();
    if (window.Caption() != hosted.shownCaption) {
        hosted.shownCaption = window.Caption();
        SetWindowTextW(native.Handle(), ToWide(hosted.shownCaption).c_str());
    }
    if (window.Width() != hosted.shownWidth || window.Height() != hosted.shownHeight) {
        hosted.shownWidth = window.Width();
        hosted.shownHeight = window.Height();
        // The top-left corner stays where it is.
        SetWindowPos(native.Handle(), nullptr, 0, 0, peers.Scale(hosted.shownWidth),
                     peers.Scale(hosted.shownHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const std::span<const BoundControl> controls = window.Controls();
    for (std::size_t i = 0; i < controls.size() && i < hosted.shownBoxes.size(); ++i) {
        const Rect box = CurrentClientBox(window, controls[i]);
        if (box == hosted.shownBoxes[i]) {
            continue;
        }
        hosted.shownBoxes[i] = box;
        if (const ControlPeer* peer = peers.PeerNamed(controls[i].layout->name)) {
            SetWindowPos(peer->Handle(), nullptr, peers.Scale(box.x), peers.Scale(box.y), 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (IsWindowVisible(native.Handle())) {
        hosted.focus.Follow(peers, controls, window.Focused(), window.FocusRequests());
    }
}

bool NativeWindowHost::PreTranslate(MSG& message) {
    for (std::size_t i = 0; i < hosted_.size(); ++i) {
        if (!hosted_[i]->removed && hosted_[i]->native->PreTranslate(message)) {
            return true;
        }
    }
    return false;
}

void NativeWindowHost::DestroyRemoved(int level) {
    // Taken out first: destroying a window sends it messages, and their handlers must find the
    // host's list whole.
    std::vector<std::unique_ptr<Hosted>> doomed;
    for (auto it = hosted_.begin(); it != hosted_.end();) {
        if ((*it)->removed && (*it)->level >= level) {
            doomed.push_back(std::move(*it));
            it = hosted_.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace netquill
