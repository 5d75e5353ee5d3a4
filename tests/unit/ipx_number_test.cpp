#include "apply/ipx_number.h"

#include <gtest/gtest.h>

#include "apply/radix.h"
#include "core/memory_environment.h"
#include "registry/memory_registry_store.h"

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

}  // namespace
}  // namespace netquill
