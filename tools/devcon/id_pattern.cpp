#include "devcon/id_pattern.h"

#include <vector>

namespace netquill::devcon {
namespace {

wchar_t Fold(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool EqualFolded(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Fold(a[i]) != Fold(b[i])) {
            return false;
        }
    }
    return true;
}

// Position of the first occurrence of `piece` in `text` at or after `from`, or npos.
std::size_t FindFolded(std::wstring_view text, std::wstring_view piece, std::size_t from) {
    for (std::size_t i = from; i + piece.size() <= text.size(); ++i) {
        if (EqualFolded(text.substr(i, piece.size()), piece)) {
            return i;
        }
    }
    return std::wstring_view::npos;
}

std::vector<std::wstring_view> SplitAtStars(std::wstring_view pattern) {
    std::vector<std::wstring_view> pieces;
    std::size_t start = 0;
    while (true) {
        const std::size_t star = pattern.find(L'*', start);
        pieces.push_back(pattern.substr(start, star - start));
        if (star == std::wstring_view::npos) {
            return pieces;
        }
        start = star + 1;
    }
}

}  // namespace

IdPattern ParseIdPattern(std::wstring_view argument) {
    IdPattern pattern;
    if (argument.starts_with(L'@')) {
        pattern.target = PatternTarget::kInstanceId;
        argument.remove_prefix(1);
    }
    if (argument.starts_with(L'\'')) {
        pattern.literal = true;
        argument.remove_prefix(1);
    }
    pattern.text = argument;
    return pattern;
}

bool MatchesText(const IdPattern& pattern, std::wstring_view text) {
    if (pattern.literal || pattern.text.find(L'*') == std::wstring::npos) {
        return EqualFolded(pattern.text, text);
    }
    const std::vector<std::wstring_view> pieces = SplitAtStars(pattern.text);
    const std::wstring_view prefix = pieces.front();
    const std::wstring_view suffix = pieces.back();
    if (prefix.size() + suffix.size() > text.size() ||
        !EqualFolded(text.substr(0, prefix.size()), prefix) ||
        !EqualFolded(text.substr(text.size() - suffix.size()), suffix)) {
        return false;
    }
    // The middle pieces must fit between the prefix and the suffix, in order.
    const std::wstring_view middle =
        text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
    std::size_t position = 0;
    for (std::size_t i = 1; i + 1 < pieces.size(); ++i) {
        const std::size_t found = FindFolded(middle, pieces[i], position);
        if (found == std::wstring_view::npos) {
            return false;
        }
        position = found + pieces[i].size();
    }
    return true;
}

}  // namespace netquill::devcon
