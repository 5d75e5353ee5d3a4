// The checks of typed addresses, masks and metrics, and the advanced window's messages.
#include "advanced/validation.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/recording_user_messages.h"

namespace netquill {
namespace {

// The texts as the user must see them, written out here so that a slip in the program's own
// copies shows.
const std::string kBlank = "地址错误，不能继续。";
const std::string kLoopback =
    "以 127 起头的 IP 地址无效，因为他们保留用作环回地址。请在 1 和 223 之间指定一些其他有效值。";
const std::string kOutOfRange = " 不是一个有效项目。请指定一个介于 1 和 223 之间的数值";
const std::string kMaskBlankText = "掩码地址错误，不能继续。";
const std::string kMaskZero = " 0 不是一个有效项目。请指定一个介于 1 和 255 之间的数值";
const std::string kNoAddress = "适配器需要至少一个 IP 地址，请输入一个。";
const std::string kBadMetric = "请输入在 1 和 9999 之间的跃点数。";
const std::string kNothingSelected = "尚未选择一个项目。请先选一个。";

TEST(ValidateAddressFields, EachRuleGivesItsMessageAndTheFirstFailingRuleWins) {
    struct Case {
        std::string address;
        std::optional<std::string> mask;
        std::optional<std::string> message;  // none: accepted
    };
    const Case cases[] = {
        {"", {}, kBlank},
        {"...", {}, kBlank},
        {"", "", kBlank},  // the mask is not looked at
        {"127.0.0.1", {}, kLoopback},
        {"127.255.3.4", "", kLoopback},
        {"0.1.2.3", {}, "0" + kOutOfRange},
        {"224.0.0.1", {}, "224" + kOutOfRange},
        {"255.255.255.255", {}, "255" + kOutOfRange},
        {"abc", {}, "abc" + kOutOfRange},  // any text gets a clear answer
        {"\x81", {}, "\x81" + kOutOfRange},
        {"1.0.0.0", {}, {}},
        {"126.0.0.1", {}, {}},
        {"128.0.0.1", {}, {}},
        {"223.255.255.254", {}, {}},
        {"10.0.0.0", {}, {}},  // the other parts are never examined
        {"192.168.1.255", {}, {}},
        {"12ab.x", {}, {}},  // 12ab counts as 12
        {"192.168.1.5", "", kMaskBlankText},
        {"192.168.1.5", "...", kMaskBlankText},
        {"192.168.1.5", "0.255.255.255", kMaskZero},
        {"192.168.1.5", "255.255.255.0", {}},
        {"192.168.1.5", "255.0.255.0", {}},
        {"192.168.1.5", "1.2.3.4", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address + " / " + c.mask.value_or("(no mask field)"));
        RecordingUserMessages messages;
        const std::optional<std::string_view> mask =
            c.mask ? std::optional<std::string_view>(*c.mask) : std::nullopt;
        EXPECT_EQ(ValidateAddressFields(messages, c.address, mask), !c.message);
        std::vector<ShownMessage> expected;
        if (c.message) {
            expected.push_back({"错误", *c.message, MessageIcon::kExclamation});
        }
        EXPECT_EQ(messages.Shown(), expected);
    }
}

TEST(CheckAdvancedSettings, NeedsAnAddressAndAnAutomaticOrPositiveMetric) {
    struct Case {
        int rows;
        bool automatic;
        std::string metric;
        std::optional<std::string> message;  // none: accepted
    };
    // The address rule comes first; with an automatic metric the text is not looked at.
    const Case cases[] = {
        {0, true, "", kNoAddress},    {0, false, "-5", kNoAddress}, {1, true, "", {}},
        {1, true, "abc", {}},         {1, false, "", kBadMetric},   {1, false, "0", kBadMetric},
        {1, false, "-5", kBadMetric}, {1, false, "-", kBadMetric},  {2, false, "1", {}},
        {2, false, "9999", {}},       {2, false, "12ab", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.rows << " rows, automatic " << c.automatic << ", " << c.metric);
        RecordingUserMessages messages;
        AdvancedWindow window;
        window.功能选择夹.SetCurrentPage(AdvancedWindow::kDnsPage);
        window.SetFocus(window.确定按钮);

        EXPECT_EQ(CheckAdvancedSettings(messages, window, c.rows, c.automatic, c.metric),
                  !c.message);

        std::vector<ShownMessage> expected;
        if (c.message) {
            expected.push_back({"Microsoft TCP/IP", *c.message, MessageIcon::kExclamation});
        }
        EXPECT_EQ(messages.Shown(), expected);
        // A refusal turns back to the IP settings page; a bad metric also takes the focus.
        EXPECT_EQ(window.功能选择夹.CurrentPage(),
                  c.message ? AdvancedWindow::kIpSettingsPage : AdvancedWindow::kDnsPage);
        const Control* focus = c.message == kBadMetric ? static_cast<const Control*>(&window.跃点框)
                                                       : &window.确定按钮;
        EXPECT_EQ(window.Focused(), focus);
    }
}

TEST(ShowSettingsMessage, NothingSelectedLeavesPageAndFocusAlone) {
    for (const SettingsMessage kind :
         {SettingsMessage::kNothingSelected, static_cast<SettingsMessage>(7)}) {
        RecordingUserMessages messages;
        AdvancedWindow window;
        window.功能选择夹.SetCurrentPage(AdvancedWindow::kDnsPage);
        window.SetFocus(window.DNS列表框);
        ShowSettingsMessage(messages, window, kind);
        EXPECT_EQ(messages.Shown(),
                  (std::vector<ShownMessage>{
                      {"Microsoft TCP/IP", kNothingSelected, MessageIcon::kExclamation}}));
        EXPECT_EQ(window.功能选择夹.CurrentPage(), AdvancedWindow::kDnsPage);
        EXPECT_EQ(window.Focused(), &window.DNS列表框);
    }
}

}  // namespace
}  // namespace netquill
