// The computer name and automatic logon writers.
#include "apply/computer_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/memory_environment.h"
#include "support/adapter_seed.h"
#include "support/observed_registry_store.h"

namespace netquill {
namespace {

class ComputerNameTest : public ::testing::Test {
  protected:
    ObservedRegistryStore store;
    MemoryEnvironment environment;
    RegistryAccess registry{store, environment};
};

TEST_F(ComputerNameTest, NameGoesToFourPlacesInOrderAsTyped) {
    EXPECT_EQ(WriteComputerName(registry, "pc-07"), WriteOutcome::kWritten);
    std::vector<std::string> expectedLog;
    for (const std::string& place : kNamePlaces) {
        expectedLog.push_back("set " + place);
        EXPECT_EQ(registry.ReadRegistryText(place), "pc-07") << place;
    }
    EXPECT_EQ(store.log, expectedLog);
    EXPECT_EQ(ReadComputerName(registry), "pc-07");
}

TEST_F(ComputerNameTest, EmptyNameIsRejectedWithoutAnyWrite) {
    registry.WriteRegistryText(kNamePlaces[0], "PC-01");
    store.log.clear();
    EXPECT_EQ(WriteComputerName(registry, ""), WriteOutcome::kRejected);
    EXPECT_TRUE(store.log.empty());
    EXPECT_EQ(ReadComputerName(registry), "PC-01");
}

TEST_F(ComputerNameTest, ARefusedPlaceFailsButTheOthersAreStillWritten) {
    store.refuse = [](const std::string& path) { return path == kNamePlaces[1]; };
    EXPECT_EQ(WriteComputerName(registry, "PC-02"), WriteOutcome::kFailed);
    EXPECT_EQ(store.log.size(), 4u);
    EXPECT_EQ(registry.ReadRegistryText(kNamePlaces[0]), "PC-02");
    EXPECT_FALSE(registry.RegistryValueExists(kNamePlaces[1]));
    EXPECT_EQ(registry.ReadRegistryText(kNamePlaces[3]), "PC-02");
}

TEST_F(ComputerNameTest, AutoLogonWritesSixValuesInOrder) {
    struct Case {
        std::string user, password, domain;
    };
    const Case cases[] = {{"player", "p@ss word", "PC-07"}, {"", "", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.user);
        store.log.clear();
        EXPECT_TRUE(WriteAutoLogon(registry, c.user, c.password, c.domain));
        const std::pair<std::string, std::string> expected[] = {
            {"AutoAdminLogon", "1"},         {"DefaultUserName", c.user},
            {"DefaultPassword", c.password}, {"DefaultDomainName", c.domain},
            {"AltDefaultUserName", c.user},  {"AltDefaultDomainName", c.domain},
        };
        ASSERT_EQ(store.log.size(), 6u);
        for (std::size_t i = 0; i < 6; ++i) {
            const auto& [name, text] = expected[i];
            EXPECT_EQ(store.log[i], "set " + kWinlogon + name);
            EXPECT_TRUE(registry.RegistryValueExists(kWinlogon + name)) << name;
            EXPECT_EQ(registry.ReadRegistryText(kWinlogon + name), text) << name;
        }
    }
}

TEST_F(ComputerNameTest, AutoLogonReportsARefusedValue) {
    store.refuse = [](const std::string& path) { return path.ends_with("DefaultPassword"); };
    EXPECT_FALSE(WriteAutoLogon(registry, "u", "p", "d"));
    EXPECT_EQ(store.log.size(), 6u);
    EXPECT_EQ(registry.ReadRegistryText(kWinlogon + "AltDefaultDomainName"), "d");
}

}  // namespace
}  // namespace netquill
