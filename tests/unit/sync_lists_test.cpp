// Taking the five address fields of the main window into the editing lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apply/apply_pipeline.h"
#include "support/test_program.h"

namespace netquill {
namespace {

using Lines = std::vector<std::string>;

TEST(SyncListsFromMainWindow, DnsFieldsReplaceTheFirstTwoServers) {
    struct Case {
        std::string preferred, alternate;
        Lines before, after;
    };
    const Lines three = {"1.1.1.1", "2.2.2.2", "3.3.3.3"};
    const Case cases[] = {
        {"8.8.8.8", "9.9.9.9", {}, {"8.8.8.8", "9.9.9.9"}},
        {"8.8.8.8", "9.9.9.9", {"1.1.1.1"}, {"8.8.8.8", "9.9.9.9"}},
        {"8.8.8.8", "9.9.9.9", three, {"8.8.8.8", "9.9.9.9", "3.3.3.3"}},
        {"", "9.9.9.9", {}, {"", "9.9.9.9"}},
        {"", "9.9.9.9", {"1.1.1.1"}, {"", "9.9.9.9"}},
        {"", "9.9.9.9", three, {"", "9.9.9.9", "3.3.3.3"}},
        {"8.8.8.8", "", {}, {"8.8.8.8"}},
        {"8.8.8.8", "", {"1.1.1.1"}, {"8.8.8.8"}},
        {"8.8.8.8", "", three, {"8.8.8.8", "3.3.3.3"}},
        {"", "", {}, {}},
        {"", "", {"1.1.1.1"}, {}},
        {"", "", three, {"3.3.3.3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + c.preferred + "' '" + c.alternate + "' before " +
                     std::to_string(c.before.size()));
        TestProgram t;
        t.state.dnsList = c.before;
        t.window.首选框.SetAddress(c.preferred);
        t.window.备用框.SetAddress(c.alternate);
        SyncListsFromMainWindow(t.program);
        EXPECT_EQ(t.state.dnsList, c.after);
        EXPECT_TRUE(t.store.log.empty());
    }
}

TEST(SyncListsFromMainWindow, GatewayFieldSetsOrRemovesTheFirstGateway) {
    struct Case {
        std::string typed;
        std::vector<GatewayEntry> before, after;
    };
    const Case cases[] = {
        {"10.0.0.1", {}, {{"10.0.0.1", "0"}}},
        {"10.0.0.1", {{"1.1.1.1", "20"}, {"2.2.2.2", "5"}}, {{"10.0.0.1", "20"}, {"2.2.2.2", "5"}}},
        // A metric reading 0 (empty or not a number) becomes the automatic "0".
        {"10.0.0.1", {{"1.1.1.1", ""}}, {{"10.0.0.1", "0"}}},
        {"10.0.0.1", {{"1.1.1.1", "abc"}}, {{"10.0.0.1", "0"}}},
        {"", {{"1.1.1.1", "20"}, {"2.2.2.2", "5"}}, {{"2.2.2.2", "5"}}},
        {"", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed + " before " + std::to_string(c.before.size()));
        TestProgram t;
        t.state.gatewayList = c.before;
        t.window.网关框.SetAddress(c.typed);
        SyncListsFromMainWindow(t.program);
        EXPECT_EQ(t.state.gatewayList, c.after);
    }
}

TEST(SyncListsFromMainWindow, AddressFieldSetsOrRemovesTheFirstAddressWithItsMask) {
    struct Case {
        std::string address, mask;
        std::vector<AddressEntry> before, after;
    };
    const Case cases[] = {
        {"192.168.16.10", "255.255.255.0", {}, {{"192.168.16.10", "255.255.255.0"}}},
        {"192.168.16.10", "", {}, {{"192.168.16.10", ""}}},
        {"192.168.16.10",
         "255.255.0.0",
         {{"1.1.1.1", "255.0.0.0"}, {"2.2.2.2", "255.0.0.0"}},
         {{"192.168.16.10", "255.255.0.0"}, {"2.2.2.2", "255.0.0.0"}}},
        // The mask field is read only with an address.
        {"", "255.255.0.0", {{"1.1.1.1", "255.0.0.0"}}, {}},
        {"", "255.255.0.0", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address + " / " + c.mask);
        TestProgram t;
        t.state.addressList = c.before;
        t.window.地址框.SetAddress(c.address);
        t.window.掩码框.SetAddress(c.mask);
        SyncListsFromMainWindow(t.program);
        EXPECT_EQ(t.state.addressList, c.after);
    }
}

TEST(SyncListsFromMainWindow, PumpsOnlyAfterAppendingAnEntry) {
    TestProgram t;
    t.window.地址框.SetAddress("192.168.16.10");
    t.window.网关框.SetAddress("192.168.16.1");
    SyncListsFromMainWindow(t.program);
    EXPECT_EQ(t.loop.PumpCount(), 2u);
    SyncListsFromMainWindow(t.program);  // both lists now have a first entry to replace
    EXPECT_EQ(t.loop.PumpCount(), 2u);
}

}  // namespace
}  // namespace netquill
