#include "cafe/private_profile.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/text.h"

namespace netquill {
namespace {

// One line of the file: its text [begin, end) and the position after its line break.
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
};

std::vector<Line> SplitLines(std::string_view content) {
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < content.size()) {
        // CR and LF are never trail bytes, so a byte search finds only real line breaks.
        const std::size_t end = std::min(content.find_first_of("\r\n", begin), content.size());
        std::size_t next = end;
        if (next < content.size()) {
            next += content.compare(next, 2, "\r\n") == 0 ? 2 : 1;
        }
        lines.push_back({begin, end, next});
        begin = next;
    }
    return lines;
}

std::string_view LineText(std::string_view content, const Line& line) {
    return content.substr(line.begin, line.end - line.begin);
}

// The section name when `line` starts a section.
std::optional<std::string_view> SectionName(std::string_view line) {
    const std::string_view text = TrimBlanks(line);
    if (text.empty() || text.front() != '[') {
        return std::nullopt;
    }
    const std::string_view rest = text.substr(1);
    const std::size_t close = FindLastCharacter(rest, ']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return TrimBlanks(rest.substr(0, close));
}

struct KeyLine {
    std::string_view name;
    std::string_view value;
};

// The key and value when `line` (inside a section) is a key line.
std::optional<KeyLine> ParseKeyLine(std::string_view line) {
    const std::size_t equals = FindCharacter(line, '=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyLine{TrimBlanks(line.substr(0, equals)), TrimBlanks(line.substr(equals + 1))};
}

// A section as line positions: its header line and one past its last line.
struct SectionSpan {
    std::size_t header = 0;
    std::size_t end = 0;
};

// The first section named `section`, or nothing.
std::optional<SectionSpan> FindSection(std::string_view content, const std::vector<Line>& lines,
                                       std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(LineText(content, lines[i]));
        if (!name || !EqualIgnoringCase(*name, section)) {
            continue;
        }
        std::size_t end = i + 1;
        while (end < lines.size() && !SectionName(LineText(content, lines[end]))) {
            ++end;
        }
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::string_view WithoutTrailingBlanks(std::string_view text) {
    const std::string_view trimmed = TrimBlanks(text);
    if (trimmed.empty()) {
        return {};
    }
    return text.substr(0, static_cast<std::size_t>(trimmed.data() - text.data()) + trimmed.size());
}

// At most bufferSize - 1 bytes, ending on a character boundary.
std::string CutToBuffer(std::string_view text, std::size_t bufferSize) {
    const std::size_t limit = bufferSize == 0 ? 0 : bufferSize - 1;
    if (text.size() <= limit) {
        return std::string(text);
    }
    std::size_t cut = 0;
    while (cut < limit) {
        const bool doubleByte =
            IsLeadByte(static_cast<unsigned char>(text[cut])) && cut + 1 < text.size();
        const std::size_t width = doubleByte ? 2 : 1;
        if (cut + width > limit) {
            break;
        }
        cut += width;
    }
    return std::string(text.substr(0, cut));
}

std::string KeyLineText(std::string_view name, std::string_view value) {
    std::string text(name);
    text += '=';
    text += value;
    text += kLineBreak;
    return text;
}

}  // namespace

std::string ReadProfileValue(std::string_view content, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             std::size_t bufferSize) {
    const std::vector<Line> lines = SplitLines(content);
    if (const auto span = FindSection(content, lines, section)) {
        for (std::size_t i = span->header + 1; i < span->end; ++i) {
            const auto keyLine = ParseKeyLine(LineText(content, lines[i]));
            if (keyLine && EqualIgnoringCase(keyLine->name, key)) {
                const std::string_view value = Unquoted(keyLine->value);
                // A NUL in a damaged file ends the value, as it ends a window's text: what
                // follows it could not be shown, yet would be stored.
                return CutToBuffer(value.substr(0, value.find('\0')), bufferSize);
            }
        }
    }
    return CutToBuffer(WithoutTrailingBlanks(defaultValue), bufferSize);
}

std::string WriteProfileValue(std::string_view content, std::string_view section,
                              std::string_view key, std::string_view value) {
    value =
        value.substr(0, std::min(value.find_first_of(std::string_view("\r\n\0", 3)), value.size()));
    const std::vector<Line> lines = SplitLines(content);
    std::string result(content);

    const auto span = FindSection(content, lines, section);
    if (!span) {
        if (!result.empty() && result.back() != '\n' && result.back() != '\r') {
            result += kLineBreak;
        }
        result += '[';
        result += section;
        result += ']';
        result += kLineBreak;
        result += KeyLineText(key, value);
        return result;
    }

    std::size_t lastFilled = span->header;
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        const std::string_view text = LineText(content, lines[i]);
        const auto keyLine = ParseKeyLine(text);
        if (keyLine && EqualIgnoringCase(keyLine->name, key)) {
            result.replace(lines[i].begin, lines[i].next - lines[i].begin,
                           KeyLineText(keyLine->name, value));
            return result;
        }
        if (!TrimBlanks(text).empty()) {
            lastFilled = i;
        }
    }
    const Line& after = lines[lastFilled];
    std::string inserted = KeyLineText(key, value);
    if (after.next == after.end) {
        // The last line of the file has no line break of its own.
        inserted.insert(0, kLineBreak);
    }
    result.insert(after.next, inserted);
    return result;
}

}  // namespace netquill
