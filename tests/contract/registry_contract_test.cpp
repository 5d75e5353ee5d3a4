// The registry layer's contract, one table of cases run against every store backend: the
// in-memory store everywhere and, in the Windows build, the real registry.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "core/environment.h"
#include "core/memory_environment.h"
#include "registry/memory_registry_store.h"
#include "registry/registry_access.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/real_environment.h"
#include "platform/win32/real_registry_store.h"
#endif

namespace netquill {
namespace {

// Everything the cases write stays below these keys, which each case starts without.
constexpr std::string_view kRoot = "SOFTWARE\\NetquillContract";
constexpr std::string_view kInstanceId = "{NETQUILL-CONTRACT-0000}";
constexpr std::string_view kInterfaceKey =
    "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{NETQUILL-CONTRACT-0000}";

struct Backend {
    std::string name;
    std::function<std::unique_ptr<RegistryStore>()> makeStore;
    std::function<std::unique_ptr<Environment>()> makeEnvironment;
    std::function<void()> removeTestKeys;
};

void PrintTo(const Backend& backend, std::ostream* out) {
    *out << backend.name;
}

std::vector<Backend> Backends() {
    std::vector<Backend> backends;
    backends.push_back({"Memory", [] { return std::make_unique<MemoryRegistryStore>(); },
                        [] {
                            auto environment = std::make_unique<MemoryEnvironment>();
                            environment->Set("NQ_HOME", "C:\\nq");
                            return environment;
                        },
                        [] {}});
#ifdef _WIN32
    backends.push_back({"Win32", [] { return std::make_unique<RealRegistryStore>(); },
                        [] {
                            SetEnvironmentVariableW(L"NQ_HOME", L"C:\\nq");
                            return std::make_unique<RealEnvironment>();
                        },
                        [] {
                            RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\NetquillContract");
                            RegDeleteTreeW(HKEY_LOCAL_MACHINE,
                                           L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters"
                                           L"\\Interfaces\\{NETQUILL-CONTRACT-0000}");
                        }});
#endif
    return backends;
}

std::string Key(std::string_view relative) {
    return std::string(kRoot).append("\\").append(relative);
}

std::string Dword(std::uint32_t n) {
    return {static_cast<char>(n & 0xFF), static_cast<char>((n >> 8) & 0xFF),
            static_cast<char>((n >> 16) & 0xFF), static_cast<char>(n >> 24)};
}

using namespace std::string_literals;

class RegistryContract : public ::testing::TestWithParam<Backend> {
  protected:
    void SetUp() override {
        GetParam().removeTestKeys();
        store_ = GetParam().makeStore();
        environment_ = GetParam().makeEnvironment();
        registry_ = std::make_unique<RegistryAccess>(*store_, *environment_);
    }
    void TearDown() override { GetParam().removeTestKeys(); }

    void Seed(std::string_view keyPath, std::string_view name, std::uint32_t type,
              std::string data) {
        ASSERT_TRUE(
            store_->SetValue(keyPath, name, {type, std::move(data)}, KeyCreation::kCreateMissing));
    }
    std::optional<RegistryValue> Stored(std::string_view keyPath, std::string_view name) {
        return store_->QueryValue(keyPath, name);
    }

    std::unique_ptr<RegistryStore> store_;
    std::unique_ptr<Environment> environment_;
    std::unique_ptr<RegistryAccess> registry_;
};

TEST_P(RegistryContract, TypedReads) {
    const std::string key = Key("Typed");
    Seed(key, "Text", kRegSz, "abc\0"s);
    Seed(key, "TextWithInnerNul", kRegSz, "ab\0cd\0"s);
    Seed(key, "TextWithoutNul", kRegSz, "xyz");
    Seed(key, "Chinese", kRegSz, "本地连接\0"s);
    Seed(key, "Expand", kRegExpandSz, "%NQ_HOME%\\bin;%nq_home%\0"s);
    Seed(key, "ExpandUnknown", kRegExpandSz, "%NQ_UNDEFINED_VAR%\\x 100%\0"s);
    Seed(key, "Multi", kRegMultiSz, "a\0b\0\0"s);
    Seed(key, "Dword", kRegDword, Dword(7));
    Seed(key, "MinInt", kRegDword, Dword(0x80000000u));
    Seed(key, "AllOnes", kRegDword, Dword(0xFFFFFFFFu));
    Seed(key, "Binary", kRegBinary, Dword(9));
    Seed(key, "EmptyBinary", kRegBinary, "");

    struct Case {
        std::string name;
        std::string text;
        std::int32_t number;
        bool exists;
    };
    const Case cases[] = {
        {"Text", "abc", 0, true},
        {"TextWithInnerNul", "ab", 0, true},
        {"TextWithoutNul", "xyz", 0, true},
        {"Chinese", "本地连接", 0, true},
        {"Expand", "C:\\nq\\bin;C:\\nq", 0, true},
        {"ExpandUnknown", "%NQ_UNDEFINED_VAR%\\x 100%", 0, true},
        {"Multi", "", 0, true},
        {"Dword", "", 7, true},
        {"MinInt", "", -2147483647 - 1, true},
        {"AllOnes", "", -1, true},
        {"Binary", "", 0, true},
        {"EmptyBinary", "", 0, true},
        {"Missing", "", 0, false},
        // Names differ from the stored ones only in letter case.
        {"TEXT", "abc", 0, true},
        {"dWORD", "", 7, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = key + "\\" + c.name;
        EXPECT_EQ(registry_->ReadRegistryText(path), c.text);
        EXPECT_EQ(registry_->ReadRegistryNumber(path), c.number);
        EXPECT_EQ(registry_->RegistryValueExists(path), c.exists);
    }
    const std::string missingKey = Key("NoSuchKey\\Text");
    EXPECT_EQ(registry_->ReadRegistryText(missingKey), "");
    EXPECT_EQ(registry_->ReadRegistryNumber(missingKey), 0);
    EXPECT_FALSE(registry_->RegistryValueExists(missingKey));
}

TEST_P(RegistryContract, KeyNamesIgnoreLetterCase) {
    const std::string stored = Key("Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0000");
    Seed(stored, "DriverDesc", kRegSz, "Card\0"s);
    const std::string asked =
        Key("class\\{4D36E972-E325-11CE-BFC1-08002bE10318}\\0000\\driverdesc");
    EXPECT_EQ(registry_->ReadRegistryText(asked), "Card");

    ASSERT_TRUE(registry_->WriteRegistryText(asked, "Other"));
    EXPECT_EQ(Stored(stored, "DriverDesc"), (RegistryValue{kRegSz, "Other\0"s}));
}

TEST_P(RegistryContract, BackslashTrailBytesDoNotSplitNames) {
    // The second byte of "運" is a backslash; it is part of the name, not a separator.
    const std::string key = Key("運行");
    const std::string path = key + "\\運";
    EXPECT_EQ(SplitValuePath(path).valueName, "運");
    ASSERT_TRUE(registry_->WriteRegistryText(path, "x"));
    EXPECT_EQ(Stored(key, "運"), (RegistryValue{kRegSz, "x\0"s}));
    EXPECT_EQ(registry_->ReadRegistryText(path), "x");
}

TEST_P(RegistryContract, TextWritesCreateKeysAndReplaceAnyType) {
    const std::string deep = Key("A\\B\\C");
    ASSERT_TRUE(registry_->WriteRegistryText(deep + "\\Name", "主机"));
    EXPECT_EQ(Stored(deep, "Name"), (RegistryValue{kRegSz, "主机\0"s}));

    Seed(deep, "WasNumber", kRegDword, Dword(5));
    ASSERT_TRUE(registry_->WriteRegistryText(deep + "\\WasNumber", ""));
    EXPECT_EQ(Stored(deep, "WasNumber"), (RegistryValue{kRegSz, "\0"s}));
}

TEST_P(RegistryContract, NumberWritesStoreLowBitsOfIntegerPart) {
    struct Case {
        const char* name;
        std::function<bool(RegistryAccess&, const std::string&)> write;
        std::uint32_t stored;
    };
    const Case cases[] = {
        {"RealAllOnes", [](auto& r, auto& p) { return r.WriteRegistryNumber(p, 4294967295.0); },
         0xFFFFFFFFu},
        {"RealFraction", [](auto& r, auto& p) { return r.WriteRegistryNumber(p, 20.9); }, 20},
        {"RealNegativeFraction", [](auto& r, auto& p) { return r.WriteRegistryNumber(p, -20.9); },
         0xFFFFFFECu},
        {"RealNegative", [](auto& r, auto& p) { return r.WriteRegistryNumber(p, -5.0); },
         0xFFFFFFFBu},
        {"RealBeyond64Bits", [](auto& r, auto& p) { return r.WriteRegistryNumber(p, 1e30); }, 0},
        {"IntegerMinusOne",
         [](auto& r, auto& p) { return r.WriteRegistryNumber(p, std::int64_t{-1}); }, 0xFFFFFFFFu},
        {"IntegerAbove32Bits",
         [](auto& r, auto& p) { return r.WriteRegistryNumber(p, std::int64_t{0x100000005}); }, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string key = Key(std::string("Numbers\\") + c.name);
        ASSERT_TRUE(c.write(*registry_, key + "\\Value"));
        EXPECT_EQ(Stored(key, "Value"), (RegistryValue{kRegDword, Dword(c.stored)}));
    }
}

TEST_P(RegistryContract, DeletingWhatIsNotThereChangesNothing) {
    const std::string key = Key("Delete");
    Seed(key, "Keep", kRegSz, "k\0"s);
    Seed(key, "Gone", kRegDword, Dword(1));

    EXPECT_TRUE(registry_->DeleteRegistryValue(key + "\\Gone"));
    EXPECT_FALSE(registry_->RegistryValueExists(key + "\\Gone"));
    EXPECT_TRUE(registry_->DeleteRegistryValue(key + "\\Gone"));
    EXPECT_TRUE(registry_->DeleteRegistryValue(key + "\\Never"));
    EXPECT_EQ(Stored(key, "Keep"), (RegistryValue{kRegSz, "k\0"s}));

    // A delete below a missing key must not create it: a later multi-string write still fails.
    EXPECT_TRUE(registry_->DeleteRegistryValue(Key("NoKey\\Value")));
    EXPECT_FALSE(registry_->WriteMultiString(Key("NoKey"), "List", "a\r\n"));
}

TEST_P(RegistryContract, MultiStringReads) {
    const std::string key = Key("MultiRead");
    const std::string fiveAddresses =
        "192.168.0.1\0"
        "192.168.0.2\0"
        "192.168.0.3\0"
        "192.168.0.4\0"
        "192.168.0.5\0\0"s;
    std::string longData;
    std::string longLines;
    for (int i = 0; i < 40; ++i) {
        const std::string item = "10.20.30." + std::to_string(100 + i);
        longData += item + '\0';
        longLines += item + "\r\n";
    }
    longData += '\0';
    struct Case {
        const char* name;
        std::uint32_t type;
        std::string data;
        std::string lines;
    };
    const Case cases[] = {
        {"One", kRegMultiSz, "a\0\0"s, "a\r\n"},
        {"Two", kRegMultiSz, "a\0b\0\0"s, "a\r\nb\r\n"},
        {"OnlyTerminator", kRegMultiSz, "\0"s, ""},
        {"OneEmptyItem", kRegMultiSz, "\0\0"s, "\r\n"},
        {"EmptyThenItem", kRegMultiSz, "\0b\0\0"s, "\r\nb\r\n"},
        {"NoFinalNul", kRegMultiSz, "a\0b"s, "a\r\nb\r\n"},
        {"Five", kRegMultiSz, fiveAddresses,
         "192.168.0.1\r\n192.168.0.2\r\n192.168.0.3\r\n192.168.0.4\r\n192.168.0.5\r\n"},
        {"LongerThan255Bytes", kRegMultiSz, longData, longLines},
        {"TypeNotChecked", kRegSz, "x\0"s, "x\r\n"},
    };
    for (const Case& c : cases) {
        Seed(key, c.name, c.type, c.data);
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(registry_->ReadMultiString(key, c.name), c.lines);
    }
    EXPECT_EQ(registry_->ReadMultiString(key, "Missing"), "");
    EXPECT_EQ(registry_->ReadMultiString(Key("NoSuchKey"), "Value"), "");
}

TEST_P(RegistryContract, MultiStringWritesRoundTrip) {
    const std::string key = Key("MultiWrite");
    Seed(key, "Existing", kRegSz, "x\0"s);
    struct Case {
        const char* name;
        std::string lines;
        std::string data;
        std::string readBack;
    };
    const Case cases[] = {
        {"Gateway", "192.168.16.254\r\n", "192.168.16.254\0\0"s, "192.168.16.254\r\n"},
        {"EmptySecondItem", "255.255.255.0\r\n\r\n", "255.255.255.0\0\0\0"s,
         "255.255.255.0\r\n\r\n"},
        {"NoItems", "", "\0"s, ""},
        {"LastItemUnterminated", "a\r\nb", "a\0b\0\0"s, "a\r\nb\r\n"},
        {"LoneCrAndLf", "a\rb\nc\r\n", "a\rb\nc\0\0"s, "a\rb\nc\r\n"},
        {"Chinese", "地址\r\n", "地址\0\0"s, "地址\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(registry_->WriteMultiString(key, c.name, c.lines));
        EXPECT_EQ(Stored(key, c.name), (RegistryValue{kRegMultiSz, c.data}));
        EXPECT_EQ(registry_->ReadMultiString(key, c.name), c.readBack);
    }
    EXPECT_FALSE(registry_->WriteMultiString(Key("Missing"), "IPAddress", "1.2.3.4\r\n"));
    EXPECT_FALSE(registry_->RegistryValueExists(Key("Missing\\IPAddress")));
}

TEST_P(RegistryContract, InterfaceMetric) {
    const std::string path = std::string(kInterfaceKey) + "\\InterfaceMetric";
    struct Case {
        const char* text;
        std::optional<std::uint32_t> stored;  // nothing: the value is deleted
        std::string readBack;
    };
    const Case cases[] = {
        {"", std::nullopt, ""},    {"0", std::nullopt, ""},
        {"abc", std::nullopt, ""}, {"0.00000005", std::nullopt, ""},
        {"20", 20, "20"},          {"20.7", 20, "20"},
        {"２５", 25, "25"},        {"-3", 0xFFFFFFFDu, "-3"},
        {" 7x", 7, "7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Seed(kInterfaceKey, "InterfaceMetric", kRegDword, Dword(99));
        ASSERT_TRUE(registry_->WriteInterfaceMetric(kInstanceId, c.text));
        const auto stored = Stored(kInterfaceKey, "InterfaceMetric");
        if (c.stored) {
            EXPECT_EQ(stored, (RegistryValue{kRegDword, Dword(*c.stored)}));
        } else {
            EXPECT_FALSE(stored.has_value());
        }
        EXPECT_EQ(registry_->ReadInterfaceMetric(kInstanceId), c.readBack);
    }
    Seed(kInterfaceKey, "InterfaceMetric", kRegDword, Dword(0));
    EXPECT_EQ(registry_->ReadInterfaceMetric(kInstanceId), "");
    EXPECT_TRUE(registry_->RegistryValueExists(path));
}

INSTANTIATE_TEST_SUITE_P(Backends, RegistryContract, ::testing::ValuesIn(Backends()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace netquill
