#include "registry/registry_access.h"

#include <cmath>

#include "core/text.h"
#include "registry/multi_string.h"

namespace netquill {
namespace {

constexpr std::string_view kInterfacesKey =
    "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";

std::string_view UpToFirstNul(std::string_view data) {
    return data.substr(0, data.find('\0'));
}

RegistryValue DwordValue(std::uint32_t number) {
    std::string data(4, '\0');
    for (int i = 0; i < 4; ++i) {
        data[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
    }
    return {kRegDword, std::move(data)};
}

}  // namespace

ValuePath SplitValuePath(std::string_view valuePath) {
    const std::size_t slash = FindLastCharacter(valuePath, '\\');
    if (slash == std::string_view::npos) {
        return {{}, valuePath};
    }
    return {valuePath.substr(0, slash), valuePath.substr(slash + 1)};
}

std::string InterfaceMetricPath(std::string_view instanceId) {
    return std::string(kInterfacesKey).append(instanceId).append("\\InterfaceMetric");
}

std::string RegistryAccess::ReadRegistryText(std::string_view valuePath) const {
    const ValuePath path = SplitValuePath(valuePath);
    const auto value = store_.QueryValue(path.keyPath, path.valueName);
    if (!value) {
        return {};
    }
    if (value->type == kRegSz) {
        return std::string(UpToFirstNul(value->data));
    }
    if (value->type == kRegExpandSz) {
        return environment_.Expand(UpToFirstNul(value->data));
    }
    return {};
}

std::int32_t RegistryAccess::ReadRegistryNumber(std::string_view valuePath) const {
    const ValuePath path = SplitValuePath(valuePath);
    const auto value = store_.QueryValue(path.keyPath, path.valueName);
    if (!value || value->type != kRegDword || value->data.size() < 4) {
        return 0;
    }
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) {
        bits = (bits << 8) | static_cast<unsigned char>(value->data[i]);
    }
    return static_cast<std::int32_t>(bits);
}

bool RegistryAccess::RegistryValueExists(std::string_view valuePath) const {
    const ValuePath path = SplitValuePath(valuePath);
    return store_.QueryValue(path.keyPath, path.valueName).has_value();
}

bool RegistryAccess::WriteRegistryText(std::string_view valuePath, std::string_view text) {
    const ValuePath path = SplitValuePath(valuePath);
    std::string data(text);
    data.push_back('\0');
    return store_.SetValue(path.keyPath, path.valueName, {kRegSz, std::move(data)},
                           KeyCreation::kCreateMissing);
}

bool RegistryAccess::WriteRegistryNumber(std::string_view valuePath, std::int64_t number) {
    const ValuePath path = SplitValuePath(valuePath);
    return store_.SetValue(path.keyPath, path.valueName,
                           DwordValue(static_cast<std::uint32_t>(number)),
                           KeyCreation::kCreateMissing);
}

bool RegistryAccess::WriteRegistryNumber(std::string_view valuePath, double number) {
    const double integerPart = std::trunc(number);
    // 2^63 itself is already outside; NaN fails both comparisons.
    const bool fits = integerPart >= -9223372036854775808.0 && integerPart < 9223372036854775808.0;
    return WriteRegistryNumber(valuePath, fits ? static_cast<std::int64_t>(integerPart) : 0);
}

bool RegistryAccess::DeleteRegistryValue(std::string_view valuePath) {
    const ValuePath path = SplitValuePath(valuePath);
    return store_.DeleteValue(path.keyPath, path.valueName);
}

std::string RegistryAccess::ReadMultiString(std::string_view keyPath,
                                            std::string_view valueName) const {
    const auto value = store_.QueryValue(keyPath, valueName);
    return value ? MultiStringDataToLines(value->data) : std::string();
}

bool RegistryAccess::WriteMultiString(std::string_view keyPath, std::string_view valueName,
                                      std::string_view lines) {
    return store_.SetValue(keyPath, valueName, {kRegMultiSz, LinesToMultiStringData(lines)},
                           KeyCreation::kOpenExisting);
}

std::string RegistryAccess::ReadInterfaceMetric(std::string_view instanceId) const {
    const std::int32_t metric = ReadRegistryNumber(InterfaceMetricPath(instanceId));
    return metric == 0 ? std::string() : std::to_string(metric);
}

bool RegistryAccess::WriteInterfaceMetric(std::string_view instanceId,
                                          std::string_view metricText) {
    const double metric = NumberValue(metricText);
    const std::string path = InterfaceMetricPath(instanceId);
    if (std::fabs(metric) > 1e-7) {
        return WriteRegistryNumber(path, metric);
    }
    return DeleteRegistryValue(path);
}

}  // namespace netquill
