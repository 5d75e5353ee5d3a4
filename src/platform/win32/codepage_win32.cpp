#include <windows.h>

#include "core/codepage.h"
#include "core/text.h"

namespace netquill {
namespace {

constexpr UINT kCodePage = 936;

// The second byte of a double-byte character of code page 936.
bool IsTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

void AppendConverted(std::string_view piece, std::u16string& result) {
    if (piece.empty()) {
        return;
    }
    const int length = static_cast<int>(piece.size());
    const int size = MultiByteToWideChar(kCodePage, 0, piece.data(), length, nullptr, 0);
    if (size <= 0) {
        return;
    }
    const std::size_t start = result.size();
    result.resize(start + static_cast<std::size_t>(size));
    MultiByteToWideChar(kCodePage, 0, piece.data(), length,
                        reinterpret_cast<wchar_t*>(result.data() + start), size);
}

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
    // The system takes a lead byte and whatever byte follows it as one character, so a broken
    // character would swallow the separator or digit after it. Each piece converted here ends
    // after a lead byte that has no trail byte, which the system then replaces on its own.
    std::u16string result;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsLeadByte(static_cast<unsigned char>(text[i]))) {
            continue;
        }
        if (i + 1 < text.size() && IsTrailByte(static_cast<unsigned char>(text[i + 1]))) {
            ++i;
            continue;
        }
        AppendConverted(text.substr(start, i + 1 - start), result);
        start = i + 1;
    }
    AppendConverted(text.substr(start), result);
    return result;
}

}  // namespace netquill
