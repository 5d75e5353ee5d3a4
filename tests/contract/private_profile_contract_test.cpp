// The private-profile rules, one table of cases run against our reader and writer everywhere and,
// in the Windows build, against the system's GetPrivateProfileString / WritePrivateProfileString.
//
// The system backend calls the W functions on files stored as UTF-16LE with a byte order mark.
// The A functions would convert through the process ANSI code page, which under Wine with a
// Western locale is 1252: double-byte characters would then be compared byte by byte with Latin
// case folding, and a file the functions create would hold "?" for every Chinese character.
// A Unicode file keeps the comparison independent of that code page, and what the A functions
// do on a machine whose ANSI code page is 936 is exactly this: convert, then run the same rules
// on UTF-16. Files that the W functions create themselves are written in the ANSI code page, so
// the cases that start without a file use ASCII only.
//
// Wine rewrites the whole file on every write and drops blank lines, while Windows may keep them
// and keep other lines byte for byte: the cases compare files without their blank lines, and
// every untouched line is already in the form both write.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cafe/private_profile.h"
#include "core/text.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/wide_text.h"
#endif

namespace netquill {
namespace {

struct Read {
    std::string section;
    std::string key;
    std::string defaultValue;
    std::size_t bufferSize = kProfileBufferSize;
};

struct Write {
    std::string section;
    std::string key;
    std::string value;
};

struct ProfileCase {
    std::string name;
    std::optional<std::string> file;  // nothing: no file
    std::variant<Read, Write> operation;
    std::string expected;  // the value read, or the file after the write
};

// A backend runs one operation on a file and gives the value read or the file written.
struct Backend {
    std::string name;
    std::function<std::string(const std::optional<std::string>& file, const Read&)> read;
    std::function<std::string(const std::optional<std::string>& file, const Write&)> write;
};

void PrintTo(const Backend& backend, std::ostream* out) {
    *out << backend.name;
}

Backend PortableBackend() {
    return {"Portable",
            [](const std::optional<std::string>& file, const Read& r) {
                return ReadProfileValue(file.value_or(""), r.section, r.key, r.defaultValue,
                                        r.bufferSize);
            },
            [](const std::optional<std::string>& file, const Write& w) {
                return WriteProfileValue(file.value_or(""), w.section, w.key, w.value);
            }};
}

#ifdef _WIN32
// A fresh file name per operation, so that no profile cache of the system can answer from an
// earlier case.
std::wstring FreshProfilePath() {
    static int counter = 0;
    wchar_t directory[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, directory);
    return std::wstring(directory) + L"netquill-profile-" + std::to_wstring(GetCurrentProcessId()) +
           L"-" + std::to_wstring(++counter) + L".ini";
}

void PutUnicodeFile(const std::wstring& path, const std::optional<std::string>& file) {
    DeleteFileW(path.c_str());
    if (!file) {
        return;
    }
    const std::wstring text = L"\xFEFF" + ToWide(*file);
    const HANDLE handle =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    EXPECT_TRUE(WriteFile(handle, text.data(), size, &written, nullptr) && written == size);
    CloseHandle(handle);
}

// The file as code page 936 text: UTF-16LE after a byte order mark, else the bytes themselves
// (ASCII in every case that lets the system create the file).
std::string TakeFile(const std::wstring& path) {
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "the write left no file";
        return {};
    }
    std::string bytes(GetFileSize(handle, nullptr), '\0');
    DWORD read = 0;
    ReadFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(handle);
    DeleteFileW(path.c_str());
    bytes.resize(read);
    if (bytes.size() >= 2 && bytes.compare(0, 2, "\xFF\xFE") == 0) {
        std::wstring text((bytes.size() - 2) / 2, L'\0');
        std::memcpy(text.data(), bytes.data() + 2, text.size() * sizeof(wchar_t));
        return FromWide(text);
    }
    return bytes;
}

Backend SystemBackend() {
    return {
        "Win32",
        [](const std::optional<std::string>& file, const Read& r) {
            const std::wstring path = FreshProfilePath();
            PutUnicodeFile(path, file);
            std::wstring buffer(r.bufferSize, L'\0');
            const DWORD length = GetPrivateProfileStringW(
                ToWide(r.section).c_str(), ToWide(r.key).c_str(), ToWide(r.defaultValue).c_str(),
                buffer.data(), static_cast<DWORD>(r.bufferSize), path.c_str());
            DeleteFileW(path.c_str());
            buffer.resize(length);
            return FromWide(buffer);
        },
        [](const std::optional<std::string>& file, const Write& w) {
            const std::wstring path = FreshProfilePath();
            PutUnicodeFile(path, file);
            EXPECT_TRUE(WritePrivateProfileStringW(ToWide(w.section).c_str(), ToWide(w.key).c_str(),
                                                   ToWide(w.value).c_str(), path.c_str()));
            return TakeFile(path);
        }};
}
#endif

std::vector<Backend> Backends() {
    std::vector<Backend> backends{PortableBackend()};
#ifdef _WIN32
    backends.push_back(SystemBackend());
#endif
    return backends;
}

std::string WithoutBlankLines(std::string_view file) {
    std::string result;
    for (const std::string& line : SplitItems(file, kLineBreak)) {
        if (!TrimBlanks(line).empty()) {
            result += line;
            result += kLineBreak;
        }
    }
    return result;
}

// 丄 and 乤 are double-byte characters whose trail bytes are "A" and "a"; the trail byte of 乚
// is "]".
const std::string kLongValue(12000, 'x');

const ProfileCase kCases[] = {
    // Reading.
    {"Plain", "[S]\r\nk=v\r\n", Read{"S", "k", "d"}, "v"},
    {"NamesIgnoreLetterCase", "[Sect]\r\nKey=v\r\n", Read{"sECT", "kEY", "d"}, "v"},
    {"BlanksAroundNamesAndValue", "  [ S ]  \r\n  k  =  v  \r\n", Read{"S", "k", "d"}, "v"},
    {"TabsAroundNamesAndValue", "[\tS\t]\r\n\tk\t=\tv\t\r\n", Read{"S", "k", "d"}, "v"},
    {"BlanksInsideValueStay", "[S]\r\nk= a  b \r\n", Read{"S", "k", "d"}, "a  b"},
    {"DoubleQuotesRemoved", "[S]\r\nk=\"v\"\r\n", Read{"S", "k", "d"}, "v"},
    {"SingleQuotesRemoved", "[S]\r\nk='v'\r\n", Read{"S", "k", "d"}, "v"},
    {"QuotesInsideBlanks", "[S]\r\nk= \" v \" \r\n", Read{"S", "k", "d"}, " v "},
    {"OnlyOnePairRemoved", "[S]\r\nk=\"\"v\"\"\r\n", Read{"S", "k", "d"}, "\"v\""},
    {"EmptyQuotes", "[S]\r\nk=\"\"\r\n", Read{"S", "k", "d"}, ""},
    {"LoneQuoteStays", "[S]\r\nk=\"\r\n", Read{"S", "k", "d"}, "\""},
    {"MismatchedQuotesStay", "[S]\r\nk=\"v'\r\n", Read{"S", "k", "d"}, "\"v'"},
    {"OpeningQuoteOnlyStays", "[S]\r\nk=\"v\r\n", Read{"S", "k", "d"}, "\"v"},
    {"EqualsInValue", "[S]\r\nk=a=b\r\n", Read{"S", "k", "d"}, "a=b"},
    {"NoInlineComments", "[S]\r\nk=1 ;x\r\n", Read{"S", "k", "d"}, "1 ;x"},
    {"EmptyValueIsNotTheDefault", "[S]\r\nk=\r\n", Read{"S", "k", "d"}, ""},
    {"LineWithoutEqualsIsNoKey", "[S]\r\nk\r\n", Read{"S", "k", "d"}, "d"},
    {"FirstOfTwoEqualKeysWins", "[S]\r\nk=1\r\nK=2\r\n", Read{"S", "k", "d"}, "1"},
    {"KeyOfAnotherSection", "[S]\r\na=1\r\n[T]\r\nb=2\r\n", Read{"S", "b", "d"}, "d"},
    {"KeyBeforeAnySection", "k=v\r\n[S]\r\nj=w\r\n", Read{"S", "k", "d"}, "d"},
    {"LineFeedLineEnds", "[S]\na=1\nk=v\n", Read{"S", "k", "d"}, "v"},
    {"LastLineWithoutLineBreak", "[S]\r\nk=v", Read{"S", "k", "d"}, "v"},
    {"MissingKeyGivesDefault", "[S]\r\nk=v\r\n", Read{"S", "x", "  d d  "}, "  d d"},
    {"MissingSectionGivesDefault", "[S]\r\nk=v\r\n", Read{"T", "k", "d  "}, "d"},
    {"MissingFileGivesDefault", std::nullopt, Read{"S", "k", "d "}, "d"},
    {"EmptyFileGivesDefault", "", Read{"S", "k", "d"}, "d"},
    {"CutToBuffer", "[S]\r\nk=abcdef\r\n", Read{"S", "k", "d", 4}, "abc"},
    {"FitsBufferExactly", "[S]\r\nk=abcdef\r\n", Read{"S", "k", "d", 7}, "abcdef"},
    {"DefaultCutToBuffer", "[S]\r\n", Read{"S", "k", "abcdef", 3}, "ab"},
    {"ProgramBufferCut", "[S]\r\nk=" + kLongValue + "\r\n", Read{"S", "k", "d"},
     kLongValue.substr(0, kProfileBufferSize - 1)},
    {"Chinese", "[配置]\r\n机器=网吧\r\n地址=192.168.16.\r\n", Read{"配置", "地址", "d"},
     "192.168.16."},
    {"ChineseValueInQuotes", "[配置]\r\n用户=\"管理员\"\r\n", Read{"配置", "用户", "d"}, "管理员"},
    {"TrailBytesAreNotFolded", "[S]\r\nX乤=1\r\n", Read{"S", "x丄", "d"}, "d"},
    {"AsciiBesideDoubleByteFolds", "[S]\r\nX乤=1\r\n", Read{"s", "x乤", "d"}, "1"},
    {"TrailByteBracketInSectionName", "[乚A]\r\nk=v\r\n", Read{"乚a", "k", "d"}, "v"},

    // Writing.
    {"CreatesFile", std::nullopt, Write{"S", "k", "v"}, "[S]\r\nk=v\r\n"},
    {"FillsEmptyFile", "", Write{"S", "k", "v"}, "[S]\r\nk=v\r\n"},
    {"NewKeyAfterLastKeyOfSection", "[S]\r\na=1\r\n[T]\r\nb=2\r\n", Write{"S", "c", "3"},
     "[S]\r\na=1\r\nc=3\r\n[T]\r\nb=2\r\n"},
    {"NewKeyAfterOtherLines", "; head\r\n[S]\r\na=1\r\n;c\r\nnokey\r\nb=2\r\n[T]\r\nx=1\r\n",
     Write{"S", "z", "3"}, "; head\r\n[S]\r\na=1\r\n;c\r\nnokey\r\nb=2\r\nz=3\r\n[T]\r\nx=1\r\n"},
    {"NewKeyInEmptySection", "[S]\r\n[T]\r\nb=2\r\n", Write{"S", "c", "3"},
     "[S]\r\nc=3\r\n[T]\r\nb=2\r\n"},
    {"ReplaceKeepsSpellingAndPlace", "[Sect]\r\nKey=1\r\nz=2\r\n", Write{"SECT", "kEY", "9"},
     "[Sect]\r\nKey=9\r\nz=2\r\n"},
    {"ReplacesFirstOfTwoEqualKeys", "[S]\r\nk=1\r\nk=2\r\n", Write{"S", "k", "3"},
     "[S]\r\nk=3\r\nk=2\r\n"},
    {"ReplaceWithEmptyValue", "[S]\r\na=1\r\nb=2\r\n", Write{"S", "a", ""}, "[S]\r\na=\r\nb=2\r\n"},
    {"NewSectionAtEnd", "[S]\r\na=1\r\n[T]\r\nb=2\r\n", Write{"U", "c", "3"},
     "[S]\r\na=1\r\n[T]\r\nb=2\r\n[U]\r\nc=3\r\n"},
    {"NewSectionAfterUnendedLine", "[S]\r\na=1", Write{"U", "c", "3"},
     "[S]\r\na=1\r\n[U]\r\nc=3\r\n"},
    {"NewKeyAfterUnendedLine", "[S]\r\na=1", Write{"S", "c", "3"}, "[S]\r\na=1\r\nc=3\r\n"},
    {"ValueStoredAsGiven", "[S]\r\n", Write{"S", "k", "\"q\" ;x"}, "[S]\r\nk=\"q\" ;x\r\n"},
    {"ChineseKeys", "[配置]\r\n机器=User\r\n", Write{"配置", "地址", "192.168.16."},
     "[配置]\r\n机器=User\r\n地址=192.168.16.\r\n"},
    {"ChineseReplace", "[配置]\r\n机器=User\r\n增位=假\r\n", Write{"配置", "增位", "真"},
     "[配置]\r\n机器=User\r\n增位=真\r\n"},
    {"TrailBytesAreNotFoldedOnWrite", "[S]\r\nX乤=1\r\n", Write{"S", "X丄", "2"},
     "[S]\r\nX乤=1\r\nX丄=2\r\n"},
};

class PrivateProfileContract : public ::testing::TestWithParam<Backend> {};

TEST_P(PrivateProfileContract, EveryCase) {
    const Backend& backend = GetParam();
    for (const ProfileCase& c : kCases) {
        SCOPED_TRACE(c.name);
        if (const Read* read = std::get_if<Read>(&c.operation)) {
            EXPECT_EQ(backend.read(c.file, *read), c.expected);
        } else {
            const std::string written = backend.write(c.file, std::get<Write>(c.operation));
            EXPECT_EQ(WithoutBlankLines(written), c.expected);
        }
    }
}

#ifdef _WIN32
// A file our writer made, as the program stores it (code page 936 bytes, no byte order mark),
// read back through the ANSI function. Byte-identical names match under any ANSI code page.
TEST(PrivateProfileAnsiReadBack, SystemReadsWhatWeWrite) {
    const std::pair<std::string, std::string> keys[] = {
        {"机器", "网吧"}, {"地址", "192.168.16."}, {"密码", ""}, {"首选", " 114.114.114.114 "},
        {"增位", "真"},   {"Last", "x=y ;z"},
    };
    std::string file = "[其他]\r\n机器=不是这个\r\n";
    for (const auto& [key, value] : keys) {
        file = WriteProfileValue(file, "配置", key, value);
    }
    const std::wstring path = FreshProfilePath();
    const HANDLE handle =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(handle, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
    CloseHandle(handle);
    const std::string ansiPath = FromWide(path);

    for (const auto& [key, value] : keys) {
        SCOPED_TRACE(key);
        std::string buffer(kProfileBufferSize, '\0');
        const DWORD length =
            GetPrivateProfileStringA("配置", key.c_str(), "missing", buffer.data(),
                                     static_cast<DWORD>(buffer.size()), ansiPath.c_str());
        buffer.resize(length);
        EXPECT_EQ(buffer, TrimBlanks(value));
    }
    DeleteFileW(path.c_str());
}
#endif

INSTANTIATE_TEST_SUITE_P(Backends, PrivateProfileContract, ::testing::ValuesIn(Backends()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace netquill
