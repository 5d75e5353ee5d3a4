#include <windows.h>

#include "core/codepage.h"

namespace netquill {
namespace {

constexpr UINT kCodePage = 936;

}  // namespace

std::string Utf16ToCp936(std::u16string_view text) {
    if (text.empty()) {
        return {};
    }
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(kCodePage, 0, wide, length, nullptr, 0, "?", nullptr);
    std::string result(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(kCodePage, 0, wide, length, result.data(), size, "?", nullptr);
    }
    return result;
}

std::u16string Cp936ToUtf16(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(kCodePage, 0, text.data(), length, nullptr, 0);
    std::u16string result(static_cast<std::size_t>(size > 0 ? size : 0), u'\0');
    if (size > 0) {
        MultiByteToWideChar(kCodePage, 0, text.data(), length,
                            reinterpret_cast<wchar_t*>(result.data()), size);
    }
    return result;
}

}  // namespace netquill
