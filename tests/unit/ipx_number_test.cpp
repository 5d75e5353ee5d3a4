#include "apply/ipx_number.h"

#include <gtest/gtest.h>

#include "apply/radix.h"
#include "core/memory_environment.h"
#include "registry/memory_registry_store.h"
#include "support/observed_registry_store.h"

namespace netquill {
namespace {

TEST(ConvertRadix, ConvertsBetweenRadixes) {
    struct Case {
        std::string text;
        int from;
        int to;
        std::string result;
    };
    const Case cases[] = {
        {"255", 10, 16, "FF"},
        {"ff", 16, 10, "255"},
        {"FFFFFFF", 16, 10, "268435455"},
        {"", 16, 10, "0"},
        {"007", 16, 10, "7"},
        {"1a", 16, 10, "26"},
        {"G", 16, 10, "16"},  // digits are not checked against the radix
        {"z", 36, 10, "35"},
        {"2147483647", 10, 16, "7FFFFFFF"},
        // The low 32 bits are written unsigned, so the top half of the range survives.
        {"FFFFFFFF", 16, 10, "4294967295"},
        {"4294967295", 10, 16, "FFFFFFFF"},
        {"100000000", 16, 10, "0"},
        {"007", 16, 16, "007"},  // equal radixes: unchanged
        {"not a number", 10, 10, "not a number"},
        {"12", 1, 10, "12"},  // no such radix: unchanged
        {"12", 10, 37, "12"},
        {std::string(400, '9'), 10, 16, "0"},  // beyond a double: nothing meaningful, no crash
        {std::string(400, '0') + "1F", 16, 10, "31"},  // leading zeros add nothing, however many
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ConvertRadix(c.text, c.from, c.to), c.result) << c.text;
    }
    EXPECT_EQ(ConvertRadix("42"), "42");
}

TEST(ReadIpxNetworkNumber, ShowsHexNumberOrNotInstalled) {
    constexpr std::string_view kService = "SYSTEM\\CurrentControlSet\\Services\\NwlnkIpx";
    const std::string number = std::string(kService) + "\\Parameters\\VirtualNetworkNumber";
    MemoryRegistryStore store;
    MemoryEnvironment environment;
    RegistryAccess registry(store, environment);
    EditBox box;

    ReadIpxNetworkNumber(registry, box);
    EXPECT_EQ(box.Text(), "未安装IPX协议");
    EXPECT_EQ(box.Mode(), EditMode::kReadOnly);
    EXPECT_EQ(box.TextColour(), (Rgb{255, 0, 0}));

    registry.WriteRegistryText(std::string(kService) + "\\DisplayName", "NWLink IPX");
    const std::pair<std::optional<std::int64_t>, std::string> cases[] = {
        {std::nullopt, "0"}, {26, "1A"}, {0xFFFFFFFF, "FFFFFFFF"}, {0x80000000, "80000000"}};
    for (const auto& [stored, shown] : cases) {
        if (stored) {
            registry.WriteRegistryNumber(number, *stored);
        }
        ReadIpxNetworkNumber(registry, box);
        EXPECT_EQ(box.Text(), shown);
        EXPECT_EQ(box.Mode(), EditMode::kNormal);
        EXPECT_EQ(box.TextColour(), (Rgb{0, 96, 192}));
    }
}

TEST(WriteIpxNetworkNumber, StoresHexadecimalTextsAndRefusesOthers) {
    const std::string number =
        "SYSTEM\\CurrentControlSet\\Services\\NwlnkIpx\\Parameters\\VirtualNetworkNumber";
    struct Case {
        std::string text;
        WriteOutcome outcome;
        std::uint32_t stored;  // what the value holds afterwards; 0x5EED when left alone
    };
    const Case cases[] = {
        {"1a", WriteOutcome::kWritten, 26},
        {"10", WriteOutcome::kWritten, 16},
        {"", WriteOutcome::kWritten, 0},
        {"007", WriteOutcome::kWritten, 7},
        {"7FFFFFFF", WriteOutcome::kWritten, 0x7FFFFFFF},
        {"80000000", WriteOutcome::kWritten, 0x80000000},
        {"ffffffff", WriteOutcome::kWritten, 0xFFFFFFFF},
        {"25", WriteOutcome::kWritten, 0x25},  // café mode's decimal digits, read as hexadecimal
        {"未安装IPX协议", WriteOutcome::kSkipped, 0x5EED},
        {"100000000", WriteOutcome::kRejected, 0x5EED},
        {"1G", WriteOutcome::kRejected, 0x5EED},
        {"-1", WriteOutcome::kRejected, 0x5EED},
        {" 1A", WriteOutcome::kRejected, 0x5EED},
        {"0x1A", WriteOutcome::kRejected, 0x5EED},
        {"１２", WriteOutcome::kRejected, 0x5EED},  // full-width digits
        {std::string("1\0", 2), WriteOutcome::kRejected, 0x5EED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        MemoryRegistryStore store;
        MemoryEnvironment environment;
        RegistryAccess registry(store, environment);
        registry.WriteRegistryNumber(number, std::int64_t{0x5EED});
        EditBox box;
        box.SetText(c.text);
        EXPECT_EQ(WriteIpxNetworkNumber(registry, box), c.outcome);
        EXPECT_EQ(static_cast<std::uint32_t>(registry.ReadRegistryNumber(number)), c.stored);
    }
}

TEST(WriteIpxNetworkNumber, ReportsARefusedWrite) {
    ObservedRegistryStore store;
    MemoryEnvironment environment;
    RegistryAccess registry(store, environment);
    store.refuse = [](const std::string&) { return true; };
    EditBox box;
    box.SetText("1A");
    EXPECT_EQ(WriteIpxNetworkNumber(registry, box), WriteOutcome::kFailed);
    EXPECT_EQ(store.log.size(), 1u);
}

}  // namespace
}  // namespace netquill
