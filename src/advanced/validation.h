// The checks between what the user types in the advanced settings and the editing lists, and
// the short messages of the advanced window. A check stops at the first rule that fails, shows
// exactly one message for it and reports the input refused; an accepted input shows nothing.
// No check changes a list or a field.
#pragma once

#include <optional>
#include <string_view>

#include "core/user_messages.h"
#include "ui/advanced_window.h"

namespace netquill {

inline constexpr std::string_view kAddressErrorTitle = "错误";
inline constexpr std::string_view kAddressBlank = "地址错误，不能继续。";
inline constexpr std::string_view kAddressLoopback =
    "以 127 起头的 IP 地址无效，因为他们保留用作环回地址。请在 1 和 223 之间指定一些其他有效值。";
// Follows the address's first part directly.
inline constexpr std::string_view kAddressFirstPartOutOfRange =
    " 不是一个有效项目。请指定一个介于 1 和 223 之间的数值";
inline constexpr std::string_view kMaskBlank = "掩码地址错误，不能继续。";
inline constexpr std::string_view kMaskFirstPartZero =
    " 0 不是一个有效项目。请指定一个介于 1 和 255 之间的数值";

inline constexpr std::string_view kSettingsMessageTitle = "Microsoft TCP/IP";
inline constexpr std::string_view kNoIpAddressText = "适配器需要至少一个 IP 地址，请输入一个。";
inline constexpr std::string_view kBadMetricText = "请输入在 1 和 9999 之间的跃点数。";
inline constexpr std::string_view kNothingSelectedText = "尚未选择一个项目。请先选一个。";

// Checks the dotted text of an address field and, for an address entry, of its mask field.
// Refused: a blank address (the empty text or "..."); a first part "127"; a first part whose
// integer value is 0 or above 223; then a blank mask or a mask whose first part is 0. The other
// parts are not examined. Shows the rule's message under "错误" and returns false; true when
// accepted.
bool ValidateAddressFields(UserMessages& messages, std::string_view address,
                           std::optional<std::string_view> mask = std::nullopt);

enum class SettingsMessage { kNothingSelected = 0, kNoIpAddress = 1, kBadMetric = 2 };

// Shows one of the advanced window's messages under "Microsoft TCP/IP". For kNoIpAddress and
// kBadMetric the IP settings page is made current first; after kBadMetric the focus goes to the
// interface metric box. kNothingSelected (and any value other than the two) leaves the page and
// the focus as they are.
void ShowSettingsMessage(UserMessages& messages, AdvancedWindow& window, SettingsMessage kind);

// The advanced window as a whole: at least one address row, and an automatic metric or one whose
// integer value is 1 or more. The address rule comes first. On refusal the message has been
// shown through ShowSettingsMessage.
bool CheckAdvancedSettings(UserMessages& messages, AdvancedWindow& window, int addressRowCount,
                           bool automaticMetric, std::string_view metricText);

}  // namespace netquill
