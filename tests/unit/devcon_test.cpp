// The device console tool's portable part: id matching, the command line, and what a run
// prints and returns, over a device list held in memory.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "devcon/command_line.h"
#include "devcon/device_console.h"
#include "devcon/id_pattern.h"

namespace netquill::devcon {
namespace {

using Words = std::vector<std::wstring>;

std::string Narrow(std::wstring_view text) {
    return std::string(text.begin(), text.end());  // the cases are ASCII
}

TEST(IdPattern, MatchesAsTheToolsContractSays) {
    struct Case {
        std::wstring argument;
        std::wstring text;
        bool matches;
    };
    const Case cases[] = {
        // Without "*": the whole id, letter case ignored; backslashes and "&" are plain.
        {L"PCI\\VEN_8086&DEV_100E", L"pci\\ven_8086&dev_100e", true},
        {L"PCI\\VEN_8086&DEV_100E", L"PCI\\VEN_8086&DEV_100E&SUBSYS_001E8086", false},
        {L"PCI\\VEN_8086", L"PCI\\VEN_808", false},
        {L"", L"", true},
        {L"", L"X", false},
        // "*": prefix before the first, suffix after the last, pieces between in order.
        {L"pci*", L"PCI\\VEN_10EC&DEV_8139", true},
        {L"pci*", L"PCI", true},
        {L"pci*", L"ROOT\\PCI", false},
        {L"*", L"", true},
        {L"*", L"anything", true},
        {L"*8139", L"PCI\\VEN_10EC&DEV_8139", true},
        {L"*8139", L"PCI\\VEN_10EC&DEV_8139&REV_10", false},
        {L"*dev_8139*", L"PCI\\VEN_10EC&DEV_8139&REV_10", true},
        {L"PCI\\*&DEV_100E*", L"PCI\\VEN_8086&DEV_100E&SUBSYS_001E8086", true},
        {L"*A*B*", L"xAyBz", true},
        {L"*B*A*", L"xAyBz", false},
        {L"a**b", L"ab", true},
        {L"a*a", L"a", false},  // prefix and suffix may not share a character
        {L"a*a", L"aa", true},
        {L"ab*ba", L"aba", false},
        {L"*AB*B", L"AB", false},  // the middle piece may not overlap the suffix
        {L"*AB*B", L"ABB", true},
        // "'": literal, "*" included.
        {L"'PCI*", L"pci*", true},
        {L"'PCI*", L"PCIX", false},
        {L"'@X", L"@x", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchesText(ParseIdPattern(c.argument), c.text), c.matches)
            << Narrow(c.argument) << " ~ " << Narrow(c.text);
    }
}

TEST(IdPattern, ReadsTheInstanceAndLiteralMarks) {
    using enum PatternTarget;
    const std::pair<std::wstring, IdPattern> cases[] = {
        {L"PCI\\*", {L"PCI\\*", kHardwareIds, false}},
        {L"@PCI\\VEN_0000\\3&1", {L"PCI\\VEN_0000\\3&1", kInstanceId, false}},
        {L"'@x", {L"@x", kHardwareIds, true}},
        {L"@'x*", {L"x*", kInstanceId, true}},
        {L"'", {L"", kHardwareIds, true}},
    };
    for (const auto& [argument, pattern] : cases) {
        EXPECT_EQ(ParseIdPattern(argument), pattern) << Narrow(argument);
    }
}

TEST(ParseDeviceCommand, ReadsTheFourLinesTheProgramRuns) {
    using enum DeviceAction;
    const std::pair<Words, DeviceCommand> cases[] = {
        {{L"disable", L"=net", L"pci*"}, {kDisable, L"net", {ParseIdPattern(L"pci*")}}},
        {{L"disable", L"PCI\\VEN_8086&DEV_100E"},
         {kDisable, std::nullopt, {ParseIdPattern(L"PCI\\VEN_8086&DEV_100E")}}},
        {{L"ENABLE", L"=Net", L"pci*"}, {kEnable, L"Net", {ParseIdPattern(L"pci*")}}},
        {{L"Enable", L"PCI\\VEN_8086&DEV_100E"},
         {kEnable, std::nullopt, {ParseIdPattern(L"PCI\\VEN_8086&DEV_100E")}}},
        {{L"enable", L"=net"}, {kEnable, L"net", {}}},
        {{L"disable", L"*"}, {kDisable, std::nullopt, {ParseIdPattern(L"*")}}},
        // Only the first argument names a class.
        {{L"disable", L"a", L"=net"},
         {kDisable, std::nullopt, {ParseIdPattern(L"a"), ParseIdPattern(L"=net")}}},
    };
    for (const auto& [words, expected] : cases) {
        const auto parsed = ParseDeviceCommand(words);
        ASSERT_TRUE(std::holds_alternative<DeviceCommand>(parsed)) << Narrow(words[1]);
        EXPECT_EQ(std::get<DeviceCommand>(parsed), expected) << Narrow(words[1]);
    }
}

TEST(ParseDeviceCommand, RefusesWhatItCannotRead) {
    const Words cases[] = {
        {},
        {L"restart", L"*"},
        {L"-r", L"disable", L"*"},
        {L"/m:\\\\pc", L"enable", L"*"},
        {L"disable"},
        {L"enable", L"="},
        {L"disabled", L"*"},
    };
    for (const Words& words : cases) {
        EXPECT_TRUE(std::holds_alternative<UsageError>(ParseDeviceCommand(words)))
            << (words.empty() ? "" : Narrow(words.front()));
    }
}

// Devices held in memory, each with its setup class and the result its change will have.
class MemoryDeviceSystem final : public DeviceSystem {
  public:
    struct Device {
        std::wstring className;
        DeviceInfo info;
        ChangeResult result = ChangeResult::kChanged;
    };

    explicit MemoryDeviceSystem(std::vector<Device> devices) : devices_(std::move(devices)) {}

    std::vector<DeviceInfo> ListDevices(const std::optional<std::wstring>& className) override {
        ++listings;
        listed_.clear();
        std::vector<DeviceInfo> infos;
        for (const Device& device : devices_) {
            if (!className ||
                MatchesText({*className, PatternTarget::kHardwareIds, true}, device.className)) {
                listed_.push_back(&device);
                infos.push_back(device.info);
            }
        }
        return infos;
    }

    ChangeResult ChangeState(std::size_t index, DeviceAction action) override {
        changes.push_back({listed_.at(index)->info.instanceId, action});
        return listed_.at(index)->result;
    }

    int listings = 0;
    std::vector<std::pair<std::wstring, DeviceAction>> changes;

  private:
    std::vector<Device> devices_;
    std::vector<const Device*> listed_;
};

const std::wstring kIntelId = L"PCI\\VEN_8086&DEV_100E&SUBSYS_001E8086&REV_02\\3&267A616A&0&18";
const std::wstring kRealtekId = L"PCI\\VEN_10EC&DEV_8139&SUBSYS_813910EC&REV_10\\4&1F7DBC9F&0&40";
const std::wstring kDisplayId = L"PCI\\VEN_0000&DEV_0000\\0000";
const std::wstring kTapId = L"ROOT\\NET\\0000";

std::vector<MemoryDeviceSystem::Device> SampleDevices() {
    return {
        {L"Net",
         {kIntelId,
          {L"PCI\\VEN_8086&DEV_100E&SUBSYS_001E8086&REV_02", L"PCI\\VEN_8086&DEV_100E"},
          {L"PCI\\VEN_8086&CC_020000", L"PCI\\CC_0200"}}},
        {L"Net",
         {kRealtekId, {L"PCI\\VEN_10EC&DEV_8139&SUBSYS_813910EC&REV_10"}, {L"PCI\\CC_0200"}}},
        {L"Net", {kTapId, {L"tap0901"}, {}}},
        {L"Display", {kDisplayId, {L"PCI\\VEN_0000&DEV_0000"}, {}}},
    };
}

struct ToolRun {
    int exitCode = 0;
    std::vector<std::string> lines;
    std::vector<std::string> errors;
};

ToolRun RunOn(MemoryDeviceSystem& system, const Words& words) {
    ToolRun run;
    const ConsoleOutput output{
        [&](std::wstring_view text) { run.lines.push_back(Narrow(text)); },
        [&](std::wstring_view text) { run.errors.push_back(Narrow(text)); },
    };
    run.exitCode = RunDeviceConsole(words, system, output);
    return run;
}

std::string Padded(const std::wstring& id) {
    std::string line = Narrow(id);
    line.resize(std::max<std::size_t>(line.size(), 60), ' ');
    return line + ": ";
}

TEST(RunDeviceConsole, ClassWideLinesChangeThePciAdaptersOfTheClass) {
    MemoryDeviceSystem system(SampleDevices());
    const ToolRun disable = RunOn(system, {L"disable", L"=net", L"pci*"});
    EXPECT_EQ(disable.exitCode, kExitSuccess);
    EXPECT_EQ(disable.lines,
              (std::vector<std::string>{Padded(kIntelId) + "Disabled",
                                        Padded(kRealtekId) + "Disabled", "2 device(s) disabled."}));
    EXPECT_TRUE(disable.errors.empty());

    const ToolRun enable = RunOn(system, {L"enable", L"=NET", L"pci*"});
    EXPECT_EQ(enable.exitCode, kExitSuccess);
    EXPECT_EQ(enable.lines.back(), "2 device(s) are enabled.");
    const std::vector<std::pair<std::wstring, DeviceAction>> expected = {
        {kIntelId, DeviceAction::kDisable},
        {kRealtekId, DeviceAction::kDisable},
        {kIntelId, DeviceAction::kEnable},
        {kRealtekId, DeviceAction::kEnable},
    };
    EXPECT_EQ(system.changes, expected);
}

TEST(RunDeviceConsole, AnAdaptersOwnIdMatchesAnyOfItsIdsInEveryClass) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"PCI\\VEN_8086&DEV_100E", kIntelId},                         // second hardware id
        {L"pci\\ven_8086&dev_100e&subsys_001e8086&rev_02", kIntelId},  // first, any case
        {L"PCI\\VEN_8086&CC_020000", kIntelId},                        // compatible id
        {L"@" + kRealtekId, kRealtekId},                               // instance id
        {L"@ROOT\\*", kTapId},
        {L"PCI\\VEN_0000*", kDisplayId},
    };
    for (const auto& [id, instance] : cases) {
        SCOPED_TRACE(Narrow(id));
        MemoryDeviceSystem system(SampleDevices());
        const ToolRun run = RunOn(system, {L"disable", id});
        EXPECT_EQ(run.exitCode, kExitSuccess);
        EXPECT_EQ(run.lines, (std::vector<std::string>{Padded(instance) + "Disabled",
                                                       "1 device(s) disabled."}));
    }
}

TEST(RunDeviceConsole, NothingMatchingIsNoError) {
    const Words cases[] = {
        {L"disable", L"=nosuchclass", L"pci*"},
        {L"enable", L"=nosuchclass"},
        {L"disable", L"PCI\\VEN_FFFF&DEV_FFFF"},
        {L"enable", L"=display", L"pci\\ven_8086*"},
        {L"disable", L""},
    };
    for (const Words& words : cases) {
        SCOPED_TRACE(Narrow(words[1]));
        MemoryDeviceSystem system(SampleDevices());
        const ToolRun run = RunOn(system, words);
        EXPECT_EQ(run.exitCode, kExitSuccess);
        EXPECT_EQ(run.lines, std::vector<std::string>{"No matching devices found."});
        EXPECT_TRUE(system.changes.empty());
    }
}

TEST(RunDeviceConsole, AClassWithoutIdsTakesAllItsDevices) {
    MemoryDeviceSystem system(SampleDevices());
    const ToolRun run = RunOn(system, {L"enable", L"=Net"});
    EXPECT_EQ(run.lines.back(), "3 device(s) are enabled.");
    EXPECT_EQ(system.changes.size(), 3u);
}

TEST(RunDeviceConsole, FailuresAndRestartsDecideTheExitCode) {
    struct Case {
        ChangeResult intel, realtek;
        int exitCode;
        std::vector<std::string> lines;
    };
    using enum ChangeResult;
    const Case cases[] = {
        {kFailed,
         kFailed,
         kExitFailure,
         {Padded(kIntelId) + "Enable failed", Padded(kRealtekId) + "Enable failed",
          "0 device(s) are enabled."}},
        {kChanged,
         kChangedAfterRestart,
         kExitRestartNeeded,
         {Padded(kIntelId) + "Enabled", Padded(kRealtekId) + "Enabled on reboot",
          "2 device(s) are enabled.",
          "The changes will take effect after the system is restarted."}},
        {kChangedAfterRestart,
         kFailed,
         kExitFailure,
         {Padded(kIntelId) + "Enabled on reboot", Padded(kRealtekId) + "Enable failed",
          "1 device(s) are enabled."}},
    };
    for (const Case& c : cases) {
        auto devices = SampleDevices();
        devices[0].result = c.intel;
        devices[1].result = c.realtek;
        MemoryDeviceSystem system(devices);
        const ToolRun run = RunOn(system, {L"enable", L"=net", L"pci*"});
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.lines, c.lines);
    }
}

TEST(RunDeviceConsole, AnUnreadableLineShowsTheUsageAndTouchesNothing) {
    MemoryDeviceSystem system(SampleDevices());
    const ToolRun run = RunOn(system, {L"disable"});
    EXPECT_EQ(run.exitCode, kExitUsage);
    EXPECT_TRUE(run.lines.empty());
    ASSERT_EQ(run.errors.size(), 2u);
    EXPECT_EQ(run.errors[1], Narrow(kUsage));
    EXPECT_EQ(system.listings, 0);
}

TEST(RunDeviceConsole, ALongInstanceIdIsNotCut) {
    const std::wstring longId(75, L'X');
    MemoryDeviceSystem system({{L"Net", {longId, {L"PCI\\LONG"}, {}}}});
    const ToolRun run = RunOn(system, {L"disable", L"pci\\long"});
    EXPECT_EQ(run.lines.front(), Narrow(longId) + ": Disabled");
}

}  // namespace
}  // namespace netquill::devcon
