#include "advanced/validation.h"

#include <string>

#include "core/text.h"

namespace netquill {
namespace {

bool IsBlankAddress(std::string_view text) {
    return text.empty() || text == "...";
}

std::string_view FirstPart(std::string_view text) {
    return text.substr(0, FindCharacter(text, '.'));
}

bool Refuse(UserMessages& messages, std::string_view text) {
    messages.ShowMessage(kAddressErrorTitle, text, MessageIcon::kExclamation);
    return false;
}

}  // namespace

bool ValidateAddressFields(UserMessages& messages, std::string_view address,
                           std::optional<std::string_view> mask) {
    if (IsBlankAddress(address)) {
        return Refuse(messages, kAddressBlank);
    }
    const std::string_view first = FirstPart(address);
    if (first == "127") {
        return Refuse(messages, kAddressLoopback);
    }
    const int firstValue = IntegerValue(first);
    if (firstValue == 0 || firstValue > 223) {
        return Refuse(messages, std::string(first) + std::string(kAddressFirstPartOutOfRange));
    }
    if (!mask) {
        return true;
    }
    if (IsBlankAddress(*mask)) {
        return Refuse(messages, kMaskBlank);
    }
    if (IntegerValue(FirstPart(*mask)) == 0) {
        return Refuse(messages, kMaskFirstPartZero);
    }
    return true;
}

void ShowSettingsMessage(UserMessages& messages, AdvancedWindow& window, SettingsMessage kind) {
    const auto show = [&messages](std::string_view text) {
        messages.ShowMessage(kSettingsMessageTitle, text, MessageIcon::kExclamation);
    };
    switch (kind) {
        case SettingsMessage::kNoIpAddress:
            window.功能选择夹.SetCurrentPage(AdvancedWindow::kIpSettingsPage);
            show(kNoIpAddressText);
            break;
        case SettingsMessage::kBadMetric:
            window.功能选择夹.SetCurrentPage(AdvancedWindow::kIpSettingsPage);
            show(kBadMetricText);
            window.SetFocus(window.跃点框);
            break;
        default:
            show(kNothingSelectedText);
            break;
    }
}

bool CheckAdvancedSettings(UserMessages& messages, AdvancedWindow& window, int addressRowCount,
                           bool automaticMetric, std::string_view metricText) {
    if (addressRowCount == 0) {
        ShowSettingsMessage(messages, window, SettingsMessage::kNoIpAddress);
        return false;
    }
    if (automaticMetric || IntegerValue(metricText) >= 1) {
        return true;
    }
    ShowSettingsMessage(messages, window, SettingsMessage::kBadMetric);
    return false;
}

}  // namespace netquill
