#include "registry/reg_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

// The build points this at tests/fixtures; the fallback suits a run from the repository root.
#ifndef NETQUILL_FIXTURES
#define NETQUILL_FIXTURES "tests/fixtures"
#endif

namespace netquill {
namespace {

using namespace std::string_literals;

constexpr const char* kFixtures[] = {"sample_regedit4.reg", "sample_version5.reg"};
constexpr RegFileFormat kFormats[] = {RegFileFormat::kRegedit4, RegFileFormat::kVersion5};

std::string ReadFixture(const std::string& name) {
    std::ifstream file(std::string(NETQUILL_FIXTURES) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Loads a fixture into an empty store; a failure is reported with the reader's message.
MemoryRegistryStore LoadFixture(const std::string& name) {
    const std::string bytes = ReadFixture(name);
    EXPECT_FALSE(bytes.empty()) << "fixture " << name << " not found in " << NETQUILL_FIXTURES;
    MemoryRegistryStore store;
    RegFileError error;
    EXPECT_TRUE(LoadRegFile(bytes, store, error))
        << name << " line " << error.line << ": " << error.message;
    return store;
}

// Literals below are compiled to code page 936; these build the other encodings a file may use.
std::string Utf8(std::u8string_view text) {
    return {text.begin(), text.end()};
}

std::string Utf16File(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

void Set(MemoryRegistryStore& store, std::string_view key, std::string_view name,
         RegistryValue value) {
    store.SetValue(key, name, value, KeyCreation::kCreateMissing);
}

std::vector<std::string> ValueNames(const MemoryKey& key) {
    std::vector<std::string> names;
    for (const auto& [name, value] : key.values) {
        names.push_back(name);
    }
    return names;
}

// ---- Loading the fixtures ------------------------------------------------------------------

TEST(RegFileLoad, FixturesGiveTypedValuesByteForByte) {
    const std::string app = "SOFTWARE\\Netquill";
    std::string counting;
    for (int i = 0; i < 48; ++i) {
        counting.push_back(static_cast<char>(i));
    }
    const struct {
        std::string key;
        std::string name;
        RegistryValue value;
    } expected[] = {
        {app, "", {kRegSz, "默认值\0"s}},
        {app, "Path", {kRegSz, "C:\\Program Files\\Netquill\0"s}},
        {app, "Quote", {kRegSz, "say \"hi\"\0"s}},
        {app, "标题", {kRegSz, "中文配置\0"s}},
        // The first character's second byte is a backslash, which must not start an escape.
        {app, "Motto", {kRegSz, "誠\\信\0"s}},
        {app, "Count", {kRegDword, "\x2a\0\0\0"s}},
        {app, "Max", {kRegDword, "\xff\xff\xff\xff"s}},
        {app, "Blob", {kRegBinary, "\x00\x01\x7f\x80\xff"s}},
        {app, "Home", {kRegExpandSz, "%SystemRoot%\\系统\0"s}},
        {app, "Lines", {kRegMultiSz, "第一\0\0third\0\0"s}},
        {app, "Big", {kRegQword, "\x08\x07\x06\x05\x04\x03\x02\x01"s}},
        {app, "Nothing", {kRegNone, ""}},
        {app, "Long", {kRegBinary, counting}},
        {app + "\\中文", "Size", {kRegDword, "\x10\0\0\0"s}},
    };
    for (const char* fixture : kFixtures) {
        SCOPED_TRACE(fixture);
        const MemoryRegistryStore store = LoadFixture(fixture);
        for (const auto& [key, name, value] : expected) {
            EXPECT_EQ(store.QueryValue(key, name), value) << key << " / " << name;
        }
        const MemoryKey& netquill = store.Root().subkeys.at("SOFTWARE").subkeys.at("Netquill");
        EXPECT_EQ(
            ValueNames(netquill),
            (std::vector<std::string>{"", "Name", "Path", "Quote", "标题", "Motto", "Count", "Max",
                                      "Blob", "Home", "Lines", "Big", "Nothing", "Long"}));
        ASSERT_TRUE(store.KeyExists(app + "\\Empty"));
        EXPECT_TRUE(netquill.subkeys.at("Empty").values.empty());
    }
}

TEST(RegFileLoad, BothFixtureFormatsGiveTheSameTree) {
    EXPECT_EQ(LoadFixture(kFixtures[0]), LoadFixture(kFixtures[1]));
}

// Inputs that are valid though no fixture shows them: other encodings and line ends, the hive
// as a key, lax spacing, and what happens to text that code page 936 cannot hold.
TEST(RegFileLoad, AcceptsVariantsOfTheFormat) {
    const std::string v5 = "Windows Registry Editor Version 5.00\r\n[HKEY_LOCAL_MACHINE\\K]\r\n";
    const struct {
        const char* name;
        std::string file;
        std::string key;
        std::string valueName;
        RegistryValue value;
    } cases[] = {
        {"LF line ends",
         "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=\"b\"\n",
         "K",
         "a",
         {kRegSz, "b\0"s}},
        {"the hive itself",
         "REGEDIT4\r\n[HKEY_LOCAL_MACHINE]\r\n@=dword:1\r\n",
         "",
         "",
         {kRegDword, "\x01\0\0\0"s}},
        {"lax spacing and hive spelling",
         "REGEDIT4\r\n  [hkey_local_machine\\K]\r\n  \"a\" = dword:abc  \r\n",
         "K",
         "a",
         {kRegDword, "\xbc\x0a\0\0"s}},
        {"quoted empty name is the default value",
         "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\K]\r\n\"\"=\"d\"",
         "K",
         "",
         {kRegSz, "d\0"s}},
        {"UTF-8 with BOM",
         "\xEF\xBB\xBF" + v5 + Utf8(u8"\"名\"=\"值\"\r\n"),
         "K",
         "名",
         {kRegSz, "值\0"s}},
        {"UTF-8 without BOM",
         v5 + "\"e\"=hex(2):61,00,62,00,00,00\r\n",
         "K",
         "e",
         {kRegExpandSz, "ab\0"s}},
        {"UTF-16 string data cut off: odd byte padded",
         v5 + "\"s\"=hex(1):41,00,42\r\n",
         "K",
         "s",
         {kRegSz, "AB"}},
        {"character outside code page 936",
         v5 + Utf8(u8"\"s\"=\"xกy\"\r\n"),
         "K",
         "s",
         {kRegSz, "x?y\0"s}},
        {"unpaired surrogate in string data",
         v5 + "\"s\"=hex(1):00,d8,41,00\r\n",
         "K",
         "s",
         {kRegSz, "?A"}},
        {"REGEDIT4 string data stays code page 936",
         "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\K]\r\n\"m\"=hex(7):61,00,00",
         "K",
         "m",
         {kRegMultiSz, "a\0\0"s}},
    };
    for (const auto& [name, file, key, valueName, value] : cases) {
        SCOPED_TRACE(name);
        MemoryRegistryStore store;
        RegFileError error;
        ASSERT_TRUE(LoadRegFile(file, store, error)) << error.line << ": " << error.message;
        EXPECT_EQ(store.QueryValue(key, valueName), value);
    }
}

// ---- Import semantics ----------------------------------------------------------------------

TEST(RegFileLoad, AppliesChangesToExistingContent) {
    MemoryRegistryStore before;
    Set(before, "Keep", "v", {kRegSz, "old\0"s});
    Set(before, "Keep", "w", {kRegDword, "\x01\0\0\0"s});
    Set(before, "Keep\\Sub", "x", {kRegSz, "x\0"s});
    Set(before, "Other", "y", {kRegSz, "y\0"s});
    const std::string header = "REGEDIT4\r\n\r\n";
    const struct {
        const char* name;
        std::string file;
        std::function<void(MemoryRegistryStore&)> change;
    } cases[] = {
        {"key deletion takes the subtree", header + "[-HKEY_LOCAL_MACHINE\\Keep]\r\n",
         [](MemoryRegistryStore& s) { s.DeleteKey("Keep"); }},
        {"key deletion ignores letter case", header + "[-HKEY_LOCAL_MACHINE\\KEEP\\sub]\r\n",
         [](MemoryRegistryStore& s) { s.DeleteKey("Keep\\Sub"); }},
        {"value deletion", header + "[HKEY_LOCAL_MACHINE\\Keep]\r\n\"V\"=-\r\n",
         [](MemoryRegistryStore& s) { s.DeleteValue("Keep", "v"); }},
        {"deleting what is missing",
         header + "[-HKEY_LOCAL_MACHINE\\None]\r\n[HKEY_LOCAL_MACHINE\\Other]\r\n\"z\"=-\r\n",
         [](MemoryRegistryStore&) {}},
        {"replaced value keeps its place and spelling",
         header + "[HKEY_LOCAL_MACHINE\\Keep]\r\n\"V\"=\"new\"\r\n",
         [](MemoryRegistryStore& s) {
             Set(s, "Keep", "v", {kRegSz, "new\0"s});
         }},
        {"deletion then recreation",
         header + "[-HKEY_LOCAL_MACHINE\\Keep]\r\n[HKEY_LOCAL_MACHINE\\Keep]\r\n",
         [](MemoryRegistryStore& s) {
             s.DeleteKey("Keep");
             s.CreateKey("Keep");
         }},
    };
    for (const auto& [name, file, change] : cases) {
        SCOPED_TRACE(name);
        MemoryRegistryStore store = before;
        MemoryRegistryStore expected = before;
        change(expected);
        RegFileError error;
        ASSERT_TRUE(LoadRegFile(file, store, error)) << error.line << ": " << error.message;
        EXPECT_EQ(store, expected);
    }
}

// ---- Malformed input -----------------------------------------------------------------------

TEST(RegFileLoad, RejectsMalformedInputNamingTheLineAndKeepsTheStore) {
    MemoryRegistryStore before;
    Set(before, "Keep", "v", {kRegSz, "keep\0"s});
    // Lines 1 to 4 change the store, so a fault on a later line proves nothing was applied.
    const std::string prefix =
        "REGEDIT4\r\n[-HKEY_LOCAL_MACHINE\\Keep]\r\n[HKEY_LOCAL_MACHINE\\New]\r\n\"x\"=\"y\"\r\n";
    const struct {
        const char* name;
        std::string file;
        std::size_t line;
    } cases[] = {
        {"empty file", "", 1},
        {"missing header", "[HKEY_LOCAL_MACHINE\\K]\r\n", 1},
        {"wrong header", "REGEDIT5\r\n", 1},
        {"UTF-16 file of odd length", Utf16File(u"REGEDIT4\r\n") + "x", 0},
        {"fault in a UTF-16 file",
         Utf16File(u"Windows Registry Editor Version 5.00\r\n\r\n\"a\"=\"b\"\r\n"), 3},
        {"value before any key", "REGEDIT4\r\n\r\n\"a\"=\"b\"\r\n", 3},
        {"value under a deleted key", prefix + "[-HKEY_LOCAL_MACHINE\\New]\r\n\"a\"=\"b\"\r\n", 6},
        {"stray text", prefix + "junk\r\n", 5},
        {"other hive", prefix + "[HKEY_CURRENT_USER\\Software]\r\n", 5},
        {"abbreviated hive", prefix + "[HKLM\\Software]\r\n", 5},
        {"key without closing bracket", prefix + "[HKEY_LOCAL_MACHINE\\K\r\n", 5},
        {"closing bracket is a second byte", prefix + "[HKEY_LOCAL_MACHINE\\K\x81]\r\n", 5},
        {"empty key name", prefix + "[HKEY_LOCAL_MACHINE\\A\\\\B]\r\n", 5},
        {"trailing backslash", prefix + "[HKEY_LOCAL_MACHINE\\]\r\n", 5},
        {"hive deletion", prefix + "[-HKEY_LOCAL_MACHINE]\r\n", 5},
        {"bad escape in data", prefix + "\"a\"=\"C:\\temp\"\r\n", 5},
        {"bad escape in name", prefix + "\"a\\n\"=\"b\"\r\n", 5},
        {"unterminated data", prefix + "\"a\"=\"b\r\n", 5},
        {"unterminated name", prefix + "\"a=1\r\n", 5},
        {"missing equals sign", prefix + "\"a\" \"b\"\r\n", 5},
        {"missing data", prefix + "\"a\"=\r\n", 5},
        {"unknown data", prefix + "\"a\"=text\r\n", 5},
        {"junk after text", prefix + "\"a\"=\"b\" c\r\n", 5},
        {"dword too long", prefix + "\"a\"=dword:123456789\r\n", 5},
        {"dword without digits", prefix + "\"a\"=dword:\r\n", 5},
        {"junk after dword", prefix + "\"a\"=dword:12 34\r\n", 5},
        {"bad hex byte", prefix + "\"a\"=hex:0g\r\n", 5},
        {"one-digit hex byte", prefix + "\"a\"=hex:1,02\r\n", 5},
        {"empty hex item", prefix + "\"a\"=hex:00,,01\r\n", 5},
        {"bad hex type", prefix + "\"a\"=hex(x):00\r\n", 5},
        {"hex type too long", prefix + "\"a\"=hex(123456789):00\r\n", 5},
        {"hex without colon", prefix + "\"a\"=hex 00\r\n", 5},
        {"bad byte on a continuation line", prefix + "\"a\"=hex:00,01,\\\r\n  02,zz\r\n", 6},
        {"continuation past the end", prefix + "\"a\"=hex:00,\\", 5},
    };
    for (const auto& [name, file, line] : cases) {
        SCOPED_TRACE(name);
        MemoryRegistryStore store = before;
        RegFileError error;
        EXPECT_FALSE(LoadRegFile(file, store, error));
        EXPECT_EQ(error.line, line) << error.message;
        EXPECT_FALSE(error.message.empty());
        EXPECT_EQ(store, before);
    }
}

// ---- Saving --------------------------------------------------------------------------------

// Values that test the writer's choices: when text may be quoted, odd dword sizes, unknown
// types, names needing escapes, and data long enough to wrap several times.
MemoryRegistryStore UnusualStore() {
    MemoryRegistryStore store;
    Set(store, "", "", {kRegSz, "hive\0"s});
    Set(store, "Mixed", "na\"me\\", {kRegSz, "\0"s});
    Set(store, "Mixed", "no terminator", {kRegSz, "abc"});
    Set(store, "Mixed", "no bytes", {kRegSz, ""});
    Set(store, "Mixed", "line break", {kRegSz, "x\r\ny\0"s});
    Set(store, "Mixed", "inner nul", {kRegSz, "a\0b\0"s});
    Set(store, "Mixed", "運", {kRegExpandSz, "運\\%PATH%\0"s});
    Set(store, "Mixed", "multi", {kRegMultiSz, "一\0\0二\0\0"s});
    Set(store, "Mixed", "short dword", {kRegDword, "\x01\x02\x03"s});
    Set(store, "Mixed", "custom type", {0x20000, "\x01"s});
    Set(store, "Mixed", "long", {kRegBinary, std::string(200, '\xab')});
    store.CreateKey("Mixed\\Empty");
    store.CreateKey("b");
    store.CreateKey("A\\c");
    return store;
}

TEST(RegFileSave, RoundTripsInBothFormats) {
    const struct {
        const char* name;
        MemoryRegistryStore store;
    } cases[] = {
        {"REGEDIT4 fixture", LoadFixture(kFixtures[0])},
        {"Version 5 fixture", LoadFixture(kFixtures[1])},
        {"unusual values", UnusualStore()},
        {"empty store", MemoryRegistryStore()},
    };
    for (const auto& [name, store] : cases) {
        for (RegFileFormat format : kFormats) {
            SCOPED_TRACE(std::string(name) +
                         (format == RegFileFormat::kRegedit4 ? " as REGEDIT4" : " as Version 5"));
            MemoryRegistryStore reloaded;
            RegFileError error;
            ASSERT_TRUE(LoadRegFile(SaveRegFile(store, format), reloaded, error))
                << error.line << ": " << error.message;
            EXPECT_EQ(reloaded, store);
        }
    }
}

// Bytes that are no code page 936 text survive a REGEDIT4 file exactly. A Version 5 file can
// carry them only as the conversion replaces them, which differs by platform, but the file must
// still load with every value in place: a stray byte must not end a quoted name early.
TEST(RegFileSave, KeepsBytesThatAreNotText) {
    MemoryRegistryStore store;
    Set(store, "K", "\x81\"", {kRegSz, "\x81\0"s});
    Set(store, "K", "bad", {kRegMultiSz, "\xff\x81\0\0"s});
    // One key name: A1 5C is a character to the reader, but no code page 936 character here.
    Set(store, "K\\x\xA1\\y", "v", {kRegSz, "1\0"s});

    MemoryRegistryStore reloaded;
    RegFileError error;
    ASSERT_TRUE(LoadRegFile(SaveRegFile(store, RegFileFormat::kRegedit4), reloaded, error))
        << error.line << ": " << error.message;
    EXPECT_EQ(reloaded, store);

    MemoryRegistryStore unicode;
    ASSERT_TRUE(LoadRegFile(SaveRegFile(store, RegFileFormat::kVersion5), unicode, error))
        << error.line << ": " << error.message;
    const MemoryKey& key = unicode.Root().subkeys.at("K");
    ASSERT_EQ(key.values.size(), 2u);
    EXPECT_EQ(key.values[0].second.type, kRegSz);
    EXPECT_EQ(key.values[1].first, "bad");
    EXPECT_EQ(key.values[1].second.type, kRegMultiSz);
    ASSERT_EQ(key.subkeys.size(), 1u);
    const MemoryKey& subkey = key.subkeys.begin()->second;
    EXPECT_TRUE(subkey.subkeys.empty());
    EXPECT_NE(subkey.FindValue("v"), nullptr);
}

TEST(RegFileSave, WritesTheLayoutRegeditReads) {
    MemoryRegistryStore store;
    Set(store, "", "Top", {kRegDword, "\x01\0\0\0"s});
    Set(store, "Soft\\App", "", {kRegSz, "v\0"s});
    Set(store, "Soft\\App", "D", {kRegDword, "\x2a\0\0\0"s});
    Set(store, "Soft\\App", "M", {kRegMultiSz, "a\0\0"s});
    std::string bytes;
    for (int i = 0; i < 50; ++i) {
        bytes.push_back(static_cast<char>(i));
    }
    Set(store, "Soft\\App", "B", {kRegBinary, bytes});

    EXPECT_EQ(
        SaveRegFile(store, RegFileFormat::kRegedit4),
        "REGEDIT4\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE]\r\n"
        "\"Top\"=dword:00000001\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\Soft]\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\Soft\\App]\r\n"
        "@=\"v\"\r\n"
        "\"D\"=dword:0000002a\r\n"
        "\"M\"=hex(7):61,00,00\r\n"
        "\"B\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\r\n"
        "  17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,2f,\\\r\n"
        "  30,31\r\n"
        "\r\n");
}

TEST(RegFileSave, WritesVersion5AsUtf16WithUtf16StringData) {
    MemoryRegistryStore store;
    Set(store, "Soft", "名", {kRegSz, "值\0"s});
    Set(store, "Soft", "M", {kRegMultiSz, "名\0\0"s});

    EXPECT_EQ(SaveRegFile(store, RegFileFormat::kVersion5),
              Utf16File(u"Windows Registry Editor Version 5.00\r\n"
                        u"\r\n"
                        u"[HKEY_LOCAL_MACHINE\\Soft]\r\n"
                        u"\"名\"=\"值\"\r\n"
                        u"\"M\"=hex(7):0d,54,00,00,00,00\r\n"
                        u"\r\n"));
}

}  // namespace
}  // namespace netquill
