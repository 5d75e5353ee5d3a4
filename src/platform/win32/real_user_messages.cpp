#include "platform/win32/real_user_messages.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace netquill {
namespace {

UINT IconStyle(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::kExclamation:
            return MB_ICONEXCLAMATION;
        case MessageIcon::kError:
            return MB_ICONERROR;
        case MessageIcon::kInformation:
            break;
    }
    return MB_ICONINFORMATION;
}

}  // namespace

void RealUserMessages::ShowMessage(std::string_view title, std::string_view text,
                                   MessageIcon icon) {
    if (beforeShow_) {
        beforeShow_();
    }
    // Task-modal: without an owner, this still disables every top-level window of the thread.
    MessageBoxW(nullptr, ToWide(text).c_str(), ToWide(title).c_str(),
                MB_OK | MB_TASKMODAL | IconStyle(icon));
}

}  // namespace netquill
