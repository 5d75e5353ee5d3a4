#include "platform/win32/real_environment.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace netquill {

std::string RealEnvironment::Expand(std::string_view text) const {
    const std::wstring source = ToWide(text);
    std::wstring expanded(source.size() + 64, L'\0');
    while (true) {
        // The count includes the closing NUL; a larger count asks for a bigger buffer.
        const DWORD needed = ExpandEnvironmentStringsW(source.c_str(), expanded.data(),
                                                       static_cast<DWORD>(expanded.size()));
        if (needed == 0) {
            return std::string(text);
        }
        if (needed <= expanded.size()) {
            expanded.resize(needed - 1);
            return FromWide(expanded);
        }
        expanded.assign(needed, L'\0');
    }
}

}  // namespace netquill
