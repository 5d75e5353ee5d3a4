#include "devcon/command_line.h"

namespace netquill::devcon {
namespace {

bool IsWord(std::wstring_view argument, std::wstring_view word) {
    if (argument.size() != word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < word.size(); ++i) {
        wchar_t c = argument[i];
        c = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
        if (c != word[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::variant<DeviceCommand, UsageError> ParseDeviceCommand(
    std::span<const std::wstring> arguments) {
    if (arguments.empty()) {
        return UsageError{L"no command given"};
    }
    const std::wstring& word = arguments.front();
    DeviceCommand command;
    if (IsWord(word, L"disable")) {
        command.action = DeviceAction::kDisable;
    } else if (IsWord(word, L"enable")) {
        command.action = DeviceAction::kEnable;
    } else if (word.starts_with(L'-') || word.starts_with(L'/')) {
        return UsageError{L"unknown switch: " + word};
    } else {
        return UsageError{L"unknown command: " + word};
    }
    std::span<const std::wstring> rest = arguments.subspan(1);
    if (!rest.empty() && rest.front().starts_with(L'=')) {
        command.className = rest.front().substr(1);
        if (command.className->empty()) {
            return UsageError{L"no class name after \"=\""};
        }
        rest = rest.subspan(1);
    }
    for (const std::wstring& argument : rest) {
        command.patterns.push_back(ParseIdPattern(argument));
    }
    if (!command.className && command.patterns.empty()) {
        return UsageError{L"no device given"};
    }
    return command;
}

}  // namespace netquill::devcon
