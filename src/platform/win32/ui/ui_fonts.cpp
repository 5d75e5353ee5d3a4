#include "platform/win32/ui/ui_fonts.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace netquill {
namespace {

// Whether the font itself (not a linked one) has a glyph for every character of `text`.
bool HasGlyphs(HFONT font, std::wstring_view text) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) {
        return false;
    }
    const HGDIOBJ previous = SelectObject(dc, font);
    std::vector<WORD> glyphs(text.size());
    const DWORD converted = GetGlyphIndicesW(dc, text.data(), static_cast<int>(text.size()),
                                             glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return converted == text.size() && std::ranges::find(glyphs, 0xFFFF) == glyphs.end();
}

// Texts the controls show: Chinese captions, and Latin letters and digits of addresses and ids.
constexpr std::wstring_view kChineseSample = L"\u7F51\u5361\u540D\u79F0";  // 网卡名称
constexpr std::wstring_view kLatinSample = L"MAC 0-9 {DNS}";

bool CoversCaptions(HFONT font) {
    return HasGlyphs(font, kChineseSample) && HasGlyphs(font, kLatinSample);
}

int CALLBACK CollectFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD,
                           LPARAM families) noexcept {
    // "@" names are the vertical-writing variants.
    if (font->lfFaceName[0] != L'@') {
        reinterpret_cast<std::vector<std::wstring>*>(families)->push_back(font->lfFaceName);
    }
    return 1;
}

// The families of the GB2312 character set the system has.
std::vector<std::wstring> ChineseFamilies() {
    std::vector<std::wstring> families;
    HDC dc = GetDC(nullptr);
    LOGFONTW query{};
    query.lfCharSet = GB2312_CHARSET;
    EnumFontFamiliesExW(dc, &query, &CollectFamily, reinterpret_cast<LPARAM>(&families), 0);
    ReleaseDC(nullptr, dc);
    return families;
}

// The message font in `family` with the Chinese character set, when it covers the captions.
HFONT ChineseFontCovering(const LOGFONTW& messageFont, const std::wstring& family) {
    LOGFONTW chinese = messageFont;
    chinese.lfCharSet = GB2312_CHARSET;
    lstrcpynW(chinese.lfFaceName, family.c_str(), LF_FACESIZE);
    HFONT candidate = CreateFontIndirectW(&chinese);
    if (candidate != nullptr && !CoversCaptions(candidate)) {
        DeleteObject(candidate);
        return nullptr;
    }
    return candidate;
}

}  // namespace

std::pair<HFONT, HFONT> CreateUiFonts() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return {nullptr, nullptr};
    }
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    if (font == nullptr || CoversCaptions(font)) {
        return {font, nullptr};
    }
    // The usual Chinese UI fonts of Windows first; where none is installed the font mapper
    // still picks a Chinese font for the character set, which mostly spares the slow listing of
    // every family.
    for (const wchar_t* usual : {L"Microsoft YaHei UI", L"Microsoft YaHei", L"SimSun"}) {
        if (HFONT chinese = ChineseFontCovering(metrics.lfMessageFont, usual)) {
            return {chinese, font};
        }
    }
    for (const std::wstring& family : ChineseFamilies()) {
        if (HFONT chinese = ChineseFontCovering(metrics.lfMessageFont, family)) {
            return {chinese, font};
        }
    }
    return {font, nullptr};
}

}  // namespace netquill
