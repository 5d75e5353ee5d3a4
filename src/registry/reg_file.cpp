#include "registry/reg_file.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "core/codepage.h"
#include "core/text.h"

namespace netquill {
namespace {

constexpr std::string_view kHive = "HKEY_LOCAL_MACHINE";
constexpr std::string_view kRegedit4Header = "REGEDIT4";
constexpr std::string_view kVersion5Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view kUtf16Bom = "\xFF\xFE";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
// Hex data lines are wrapped so that they stay within this many columns, as regedit does.
constexpr std::size_t kWrapColumn = 80;

// ---- Text encodings ------------------------------------------------------------------------

// An odd trailing byte is taken as a unit whose high byte is zero, so the byte is kept (as the
// character of that number) rather than silently dropped.
std::u16string Utf16FromLittleEndian(std::string_view bytes) {
    std::u16string text;
    text.reserve((bytes.size() + 1) / 2);
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const auto low = static_cast<unsigned char>(bytes[i]);
        const auto high = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
        text.push_back(static_cast<char16_t>(low | (high << 8)));
    }
    return text;
}

std::string LittleEndianBytes(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

// Length of the UTF-8 sequence starting at `i` and its code point, or nothing when it is not
// a well-formed sequence (overlong forms, surrogates and values past U+10FFFF included).
std::optional<std::pair<std::size_t, char32_t>> DecodeUtf8Sequence(std::string_view bytes,
                                                                   std::size_t i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = 0;
    char32_t codePoint = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        return std::pair{std::size_t{1}, char32_t{lead}};
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, codePoint = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, codePoint = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, codePoint = lead & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (i + length > bytes.size()) {
        return std::nullopt;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[i + k]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return std::nullopt;
    }
    return std::pair{length, codePoint};
}

// Each byte that does not belong to a well-formed sequence becomes U+FFFD.
std::u16string Utf16FromUtf8(std::string_view bytes) {
    std::u16string text;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto sequence = DecodeUtf8Sequence(bytes, i);
        if (!sequence) {
            text.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        const char32_t codePoint = sequence->second;
        if (codePoint >= 0x10000) {
            text.push_back(static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF)));
        } else {
            text.push_back(static_cast<char16_t>(codePoint));
        }
        i += sequence->first;
    }
    return text;
}

// The file as code page 936 text. The byte order mark decides the encoding; a file without one
// is UTF-8 when it starts with the Version 5 header and code page 936 otherwise.
bool DecodeFile(std::string_view bytes, std::string& text, RegFileError& error) {
    if (bytes.starts_with(kUtf16Bom)) {
        bytes.remove_prefix(kUtf16Bom.size());
        if (bytes.size() % 2 != 0) {
            error = {0, "the UTF-16 file is cut off: its length is an odd number of bytes"};
            return false;
        }
        text = Utf16ToCp936(Utf16FromLittleEndian(bytes));
    } else if (bytes.starts_with(kUtf8Bom)) {
        text = Utf16ToCp936(Utf16FromUtf8(bytes.substr(kUtf8Bom.size())));
    } else if (bytes.starts_with(kVersion5Header)) {
        text = Utf16ToCp936(Utf16FromUtf8(bytes));
    } else {
        text = bytes;
    }
    return true;
}

// String-typed data is UTF-16 in a Version 5 file.
bool IsStringType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// ---- Reading -------------------------------------------------------------------------------

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end - start);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        if (end == std::string_view::npos) {
            return lines;
        }
        start = end + 1;
    }
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

unsigned HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<unsigned>(c - '0');
    }
    return static_cast<unsigned>((c | 0x20) - 'a' + 10);
}

std::size_t CountHexDigits(std::string_view text) {
    std::size_t count = 0;
    while (count < text.size() && IsHexDigit(text[count])) {
        ++count;
    }
    return count;
}

// Up to 8 hex digits as a number; the caller checks the count.
std::uint32_t HexNumber(std::string_view digits) {
    std::uint32_t value = 0;
    for (char c : digits) {
        value = (value << 4) | HexDigitValue(c);
    }
    return value;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::string_view SkipBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    return text;
}

// Reads a quoted text whose opening quote is at text[pos]; afterwards pos is past the closing
// quote. Double-byte characters are taken whole, since their second byte may be a backslash.
std::optional<std::string> ReadQuoted(std::string_view text, std::size_t& pos,
                                      std::string& problem) {
    std::string result;
    for (++pos; pos < text.size();) {
        const char c = text[pos];
        if (IsLeadByte(static_cast<unsigned char>(c)) && pos + 1 < text.size()) {
            result.append(text.substr(pos, 2));
            pos += 2;
        } else if (c == '"') {
            ++pos;
            return result;
        } else if (c == '\\' && pos + 1 < text.size()) {
            const char next = text[pos + 1];
            if (next != '\\' && next != '"') {
                problem = "bad escape \"\\" + std::string(1, next) +
                          "\" in quoted text: only \\\\ and \\\" are allowed";
                return std::nullopt;
            }
            result.push_back(next);
            pos += 2;
        } else {
            result.push_back(c);
            ++pos;
        }
    }
    problem = "quoted text without a closing quote";
    return std::nullopt;
}

// Applies the lines of one file to a store, stopping at the first fault.
class Parser {
  public:
    Parser(std::vector<std::string_view> lines, bool unicodeStrings, MemoryRegistryStore& store,
           RegFileError& error)
        : lines_(std::move(lines)), unicodeStrings_(unicodeStrings), store_(store), error_(error) {}

    // Everything after the header line.
    bool Run() {
        for (index_ = 1; index_ < lines_.size(); ++index_) {
            const std::string_view line = TrimBlanks(lines_[index_]);
            if (line.empty() || line.front() == ';') {
                continue;
            }
            if (!ParseLine(line)) {
                return false;
            }
        }
        return true;
    }

  private:
    std::size_t LineNumber() const { return index_ + 1; }

    bool ParseLine(std::string_view line) {
        if (line.front() == '[') {
            return ParseKeyLine(line);
        }
        if (line.front() == '"' || line.front() == '@') {
            return ParseValueLine(line);
        }
        return Fail(LineNumber(), "unexpected line: expected a [key], a value or a ; comment");
    }

    bool Fail(std::size_t line, std::string message) {
        error_ = {line, std::move(message)};
        return false;
    }

    bool ParseKeyLine(std::string_view line) {
        // The closing bracket must be a character of its own, not the second byte of one.
        std::size_t lastStart = 0;
        for (std::size_t i = 0; i < line.size();
             i += IsLeadByte(static_cast<unsigned char>(line[i])) ? 2 : 1) {
            lastStart = i;
        }
        if (lastStart != line.size() - 1 || line.back() != ']') {
            return Fail(LineNumber(), "key line without a closing \"]\"");
        }
        std::string_view name = line.substr(1, line.size() - 2);
        const bool deletion = name.starts_with('-');
        if (deletion) {
            name.remove_prefix(1);
        }
        const std::size_t slash = name.find('\\');
        const std::string_view hive = name.substr(0, slash);
        if (hive.empty()) {
            return Fail(LineNumber(), "key line without a key name");
        }
        if (!EqualIgnoringCase(hive, kHive)) {
            return Fail(LineNumber(), "unknown hive \"" + std::string(hive) +
                                          "\": only HKEY_LOCAL_MACHINE is accepted");
        }
        const std::string_view path =
            slash == std::string_view::npos ? std::string_view{} : name.substr(slash + 1);
        if (slash != std::string_view::npos && (path.empty() || !SplitKeyPath(path))) {
            return Fail(LineNumber(),
                        "malformed key path: a key name between backslashes is empty");
        }
        if (deletion) {
            if (path.empty()) {
                return Fail(LineNumber(), "the hive itself cannot be deleted");
            }
            store_.DeleteKey(path);
            currentKey_.reset();
            afterDeletion_ = true;
            return true;
        }
        store_.CreateKey(path);
        currentKey_ = std::string(path);
        return true;
    }

    bool ParseValueLine(std::string_view line) {
        if (!currentKey_) {
            return Fail(LineNumber(), afterDeletion_ ? "value line under a key being deleted"
                                                     : "value line before any key");
        }
        std::size_t pos = 1;
        std::string name;
        if (line.front() == '"') {
            std::string problem;
            pos = 0;
            auto quoted = ReadQuoted(line, pos, problem);
            if (!quoted) {
                return Fail(LineNumber(), "value name: " + problem);
            }
            name = std::move(*quoted);
        }
        const std::string_view rest = SkipBlanks(line.substr(pos));
        if (!rest.starts_with('=')) {
            return Fail(LineNumber(), "expected \"=\" after the value name");
        }
        const std::string_view data = SkipBlanks(rest.substr(1));
        if (data == "-") {
            store_.DeleteValue(*currentKey_, name);
            return true;
        }
        RegistryValue value;
        if (!ParseData(data, value)) {
            return false;
        }
        store_.SetValue(*currentKey_, name, value, KeyCreation::kCreateMissing);
        return true;
    }

    bool ParseData(std::string_view data, RegistryValue& value) {
        if (data.starts_with('"')) {
            std::size_t pos = 0;
            std::string problem;
            auto text = ReadQuoted(data, pos, problem);
            if (!text) {
                return Fail(LineNumber(), "value data: " + problem);
            }
            if (pos != data.size()) {
                return Fail(LineNumber(), "unexpected text after the value");
            }
            value = {kRegSz, std::move(*text) + '\0'};
            return true;
        }
        if (StartsWithIgnoringCase(data, "dword:")) {
            return ParseDword(data.substr(6), value);
        }
        if (StartsWithIgnoringCase(data, "hex")) {
            return ParseHexValue(data.substr(3), value);
        }
        if (data.empty()) {
            return Fail(LineNumber(), "missing value data after \"=\"");
        }
        return Fail(LineNumber(),
                    "unknown value data: expected \"text\", dword:, hex:, hex(N): or -");
    }

    bool ParseDword(std::string_view digits, RegistryValue& value) {
        const std::size_t count = CountHexDigits(digits);
        if (count == 0) {
            return Fail(LineNumber(), "dword value without hex digits");
        }
        if (count > 8) {
            return Fail(LineNumber(), "dword value too long: at most 8 hex digits");
        }
        if (count != digits.size()) {
            return Fail(LineNumber(), "unexpected text after the value");
        }
        const std::uint32_t number = HexNumber(digits);
        value.type = kRegDword;
        value.data.clear();
        for (int shift = 0; shift < 32; shift += 8) {
            value.data.push_back(static_cast<char>((number >> shift) & 0xFF));
        }
        return true;
    }

    // `rest` follows "hex": either ":" or "(N):", then the byte list.
    bool ParseHexValue(std::string_view rest, RegistryValue& value) {
        value.type = kRegBinary;
        if (rest.starts_with('(')) {
            const std::size_t count = CountHexDigits(rest.substr(1));
            if (count == 0 || count > 8 || rest.substr(1 + count, 2) != "):") {
                return Fail(LineNumber(),
                            "bad value type: expected hex(N): with N of 1 to 8 hex digits");
            }
            value.type = HexNumber(rest.substr(1, count));
            rest.remove_prefix(count + 2);
        }
        if (!rest.starts_with(':')) {
            return Fail(LineNumber(), "expected \":\" after hex");
        }
        if (!ReadHexBytes(rest.substr(1), value.data)) {
            return false;
        }
        if (unicodeStrings_ && IsStringType(value.type)) {
            value.data = Utf16ToCp936(Utf16FromLittleEndian(value.data));
        }
        return true;
    }

    // Reads comma-separated byte pairs that continue over following lines while a line ends in
    // a backslash. Faults are reported on the physical line where they occur.
    bool ReadHexBytes(std::string_view first, std::string& bytes) {
        std::string joined;
        std::vector<std::pair<std::size_t, std::size_t>> lineStarts;  // offset in joined, line
        std::string_view segment = first;
        while (true) {
            lineStarts.emplace_back(joined.size(), LineNumber());
            if (!segment.ends_with('\\')) {
                joined.append(segment);
                break;
            }
            joined.append(segment.substr(0, segment.size() - 1));
            if (index_ + 1 >= lines_.size()) {
                return Fail(LineNumber(), "the hex data continues past the end of the file");
            }
            ++index_;
            segment = TrimBlanks(lines_[index_]);
        }
        const auto lineAt = [&](std::size_t offset) {
            std::size_t line = lineStarts.front().second;
            for (const auto& [start, number] : lineStarts) {
                if (start <= offset) {
                    line = number;
                }
            }
            return line;
        };
        bytes.clear();
        if (TrimBlanks(joined).empty()) {
            return true;
        }
        const std::string_view all = joined;
        for (std::size_t start = 0;;) {
            const std::size_t comma = all.find(',', start);
            const std::string_view item = TrimBlanks(all.substr(start, comma - start));
            if (item.size() != 2 || !IsHexDigit(item[0]) || !IsHexDigit(item[1])) {
                return Fail(lineAt(start), item.empty()
                                               ? "missing byte in the hex data"
                                               : "bad byte \"" + std::string(item) +
                                                     "\" in the hex data: expected two hex digits");
            }
            bytes.push_back(static_cast<char>(HexNumber(item)));
            if (comma == std::string_view::npos) {
                return true;
            }
            start = comma + 1;
        }
    }

    std::vector<std::string_view> lines_;
    bool unicodeStrings_;
    MemoryRegistryStore& store_;
    RegFileError& error_;
    std::size_t index_ = 0;
    std::optional<std::string> currentKey_;
    bool afterDeletion_ = false;
};

// ---- Writing -------------------------------------------------------------------------------

// Escapes backslashes and quotes; double-byte characters are copied whole.
std::string Quoted(std::string_view text) {
    std::string result = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < text.size()) {
            result.append(text.substr(i, 2));
            ++i;
            continue;
        }
        if (c == '\\' || c == '"') {
            result.push_back('\\');
        }
        result.push_back(c);
    }
    result.push_back('"');
    return result;
}

// Whether REG_SZ data can be written as "text": one terminating NUL and nothing that would
// break the line or swallow the closing quote (a lead byte at the very end would pair with it).
bool IsQuotable(std::string_view data) {
    if (!data.ends_with('\0')) {
        return false;
    }
    const std::string_view text = data.substr(0, data.size() - 1);
    if (text.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(text[i]))) {
            if (i + 1 == text.size()) {
                return false;
            }
            ++i;
        }
    }
    return true;
}

void AppendHexByte(std::string& out, unsigned char byte) {
    constexpr std::string_view kDigits = "0123456789abcdef";
    out.push_back(kDigits[byte >> 4]);
    out.push_back(kDigits[byte & 0x0F]);
}

std::string HexType(std::uint32_t type) {
    if (type == kRegBinary) {
        return "hex:";
    }
    std::string digits;
    do {
        digits.insert(digits.begin(), "0123456789abcdef"[type & 0x0F]);
        type >>= 4;
    } while (type != 0);
    return "hex(" + digits + "):";
}

class Writer {
  public:
    explicit Writer(RegFileFormat format) : format_(format) {}

    std::string Write(const MemoryRegistryStore& store) {
        out_ = std::string(format_ == RegFileFormat::kVersion5 ? kVersion5Header : kRegedit4Header);
        out_ += kLineBreak;
        out_ += kLineBreak;
        const MemoryKey& hive = store.Root();
        if (!hive.values.empty()) {
            WriteBlock(std::string(kHive), hive);
        }
        for (const auto& [name, key] : hive.subkeys) {
            WriteTree(std::string(kHive) + '\\' + Text(key.name), key);
        }
        if (format_ == RegFileFormat::kRegedit4) {
            return std::move(out_);
        }
        return std::string(kUtf16Bom) + LittleEndianBytes(Cp936ToUtf16(out_));
    }

  private:
    // Names and quoted texts as they will read back. A Version 5 file holds only what UTF-16
    // can carry, so a character that is no code page 936 character becomes one "?" up front.
    // Whole characters, not bytes: the conversion replaces only a bad first byte, and the second
    // would otherwise stand alone, perhaps as a backslash that splits a key name in two.
    std::string Text(std::string_view text) const {
        if (format_ == RegFileFormat::kRegedit4) {
            return std::string(text);
        }
        if (Utf16ToCp936(Cp936ToUtf16(text)) == text) {
            return std::string(text);
        }
        std::string carried;
        for (std::size_t i = 0; i < text.size();) {
            const bool doubleByte =
                IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
            const std::string_view character = text.substr(i, doubleByte ? 2 : 1);
            const bool survives = Utf16ToCp936(Cp936ToUtf16(character)) == character;
            carried += survives ? character : std::string_view("?");
            i += character.size();
        }
        return carried;
    }

    void WriteTree(const std::string& path, const MemoryKey& key) {
        WriteBlock(path, key);
        for (const auto& [name, subkey] : key.subkeys) {
            WriteTree(path + '\\' + Text(subkey.name), subkey);
        }
    }

    void WriteBlock(const std::string& path, const MemoryKey& key) {
        out_ += '[' + path + ']';
        out_ += kLineBreak;
        for (const auto& [name, value] : key.values) {
            WriteValue(name, value);
        }
        out_ += kLineBreak;
    }

    void WriteValue(std::string_view name, const RegistryValue& value) {
        std::string line = name.empty() ? "@=" : Quoted(Text(name)) + '=';
        const std::string_view data = value.data;
        if (value.type == kRegSz && IsQuotable(data)) {
            out_ += line + Quoted(Text(data.substr(0, data.size() - 1)));
            out_ += kLineBreak;
            return;
        }
        if (value.type == kRegDword && data.size() == 4) {
            out_ += line + "dword:";
            for (int i = 3; i >= 0; --i) {
                AppendHexByte(out_, static_cast<unsigned char>(data[i]));
            }
            out_ += kLineBreak;
            return;
        }
        const bool unicode = format_ == RegFileFormat::kVersion5 && IsStringType(value.type);
        WriteHexData(line + HexType(value.type),
                     unicode ? LittleEndianBytes(Cp936ToUtf16(data)) : std::string(data));
    }

    // Continuation lines are indented by two blanks, and every line but the last ends in ",\".
    void WriteHexData(const std::string& lead, std::string_view bytes) {
        out_ += lead;
        std::size_t column = lead.size();
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            // Room for the byte, its comma and the backslash within the wrap column.
            if (column + 4 > kWrapColumn) {
                out_ += '\\';
                out_ += kLineBreak;
                out_ += "  ";
                column = 2;
            }
            AppendHexByte(out_, static_cast<unsigned char>(bytes[i]));
            column += 2;
            if (i + 1 < bytes.size()) {
                out_ += ',';
                ++column;
            }
        }
        out_ += kLineBreak;
    }

    RegFileFormat format_;
    std::string out_;
};

}  // namespace

bool LoadRegFile(std::string_view fileBytes, MemoryRegistryStore& store, RegFileError& error) {
    std::string text;
    if (!DecodeFile(fileBytes, text, error)) {
        return false;
    }
    std::vector<std::string_view> lines = SplitLines(text);
    const std::string_view header = TrimBlanks(lines.front());
    if (header != kRegedit4Header && header != kVersion5Header) {
        error = {1, "missing header: the first line must be \"REGEDIT4\" or \"" +
                        std::string(kVersion5Header) + "\""};
        return false;
    }
    // The header, not the encoding of the text, tells how string-typed hex data is encoded.
    const bool unicodeStrings = header == kVersion5Header;
    MemoryRegistryStore changed = store;
    if (!Parser(std::move(lines), unicodeStrings, changed, error).Run()) {
        return false;
    }
    store = std::move(changed);
    error = {};
    return true;
}

std::string SaveRegFile(const MemoryRegistryStore& store, RegFileFormat format) {
    return Writer(format).Write(store);
}

}  // namespace netquill
