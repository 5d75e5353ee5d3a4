#include "devcon/setupapi_device_system.h"

// clang-format off
#include <windows.h>
#include <setupapi.h>
// clang-format on

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace netquill::devcon {
namespace {

// The strings of a REG_MULTI_SZ (or a single REG_SZ) property.
std::vector<std::wstring> SplitMultiString(const std::vector<wchar_t>& data) {
    std::vector<std::wstring> strings;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= data.size(); ++i) {
        if (i == data.size() || data[i] == L'\0') {
            if (i > start) {
                strings.emplace_back(data.data() + start, i - start);
            }
            start = i + 1;
        }
    }
    return strings;
}

class SetupApiDeviceSystem final : public DeviceSystem {
  public:
    SetupApiDeviceSystem() = default;
    SetupApiDeviceSystem(const SetupApiDeviceSystem&) = delete;
    SetupApiDeviceSystem& operator=(const SetupApiDeviceSystem&) = delete;
    ~SetupApiDeviceSystem() override { Release(); }

    std::vector<DeviceInfo> ListDevices(const std::optional<std::wstring>& className) override {
        Release();
        if (!className) {
            AddSet(
                SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES | DIGCF_PRESENT));
        } else {
            for (const GUID& guid : ClassGuids(*className)) {
                AddSet(SetupDiGetClassDevsW(&guid, nullptr, nullptr, DIGCF_PRESENT));
            }
        }
        std::vector<DeviceInfo> devices;
        for (Device& device : devices_) {
            devices.push_back({InstanceId(device), Property(device, SPDRP_HARDWAREID),
                               Property(device, SPDRP_COMPATIBLEIDS)});
        }
        return devices;
    }

    ChangeResult ChangeState(std::size_t index, DeviceAction action) override {
        if (index >= devices_.size()) {
            return ChangeResult::kFailed;
        }
        Device& device = devices_[index];
        if (action == DeviceAction::kEnable) {
            // Enabling in the global scope first; where that is refused the config-specific
            // change below still decides.
            Apply(device, DICS_ENABLE, DICS_FLAG_GLOBAL);
        }
        const DWORD state = action == DeviceAction::kDisable ? DICS_DISABLE : DICS_ENABLE;
        if (!Apply(device, state, DICS_FLAG_CONFIGSPECIFIC)) {
            return ChangeResult::kFailed;
        }
        SP_DEVINSTALL_PARAMS_W install{};
        install.cbSize = sizeof install;
        if (SetupDiGetDeviceInstallParamsW(device.set, &device.data, &install) &&
            (install.Flags & (DI_NEEDRESTART | DI_NEEDREBOOT)) != 0) {
            return ChangeResult::kChangedAfterRestart;
        }
        return ChangeResult::kChanged;
    }

  private:
    struct Device {
        HDEVINFO set;
        SP_DEVINFO_DATA data;
    };

    void Release() {
        devices_.clear();
        for (HDEVINFO set : sets_) {
            SetupDiDestroyDeviceInfoList(set);
        }
        sets_.clear();
    }

    void AddSet(HDEVINFO set) {
        if (set == INVALID_HANDLE_VALUE) {
            return;
        }
        sets_.push_back(set);
        for (DWORD i = 0;; ++i) {
            SP_DEVINFO_DATA data{};
            data.cbSize = sizeof data;
            if (!SetupDiEnumDeviceInfo(set, i, &data)) {
                break;  // ERROR_NO_MORE_ITEMS, or a set that cannot be walked further
            }
            devices_.push_back({set, data});
        }
    }

    static std::vector<GUID> ClassGuids(const std::wstring& className) {
        std::vector<GUID> guids(4);
        DWORD required = 0;
        while (!SetupDiClassGuidsFromNameExW(className.c_str(), guids.data(),
                                             static_cast<DWORD>(guids.size()), &required, nullptr,
                                             nullptr)) {
            if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || required <= guids.size()) {
                return {};
            }
            guids.resize(required);
        }
        guids.resize(std::min<std::size_t>(required, guids.size()));
        return guids;
    }

    static std::wstring InstanceId(Device& device) {
        std::vector<wchar_t> buffer(256);
        DWORD required = 0;
        while (!SetupDiGetDeviceInstanceIdW(device.set, &device.data, buffer.data(),
                                            static_cast<DWORD>(buffer.size()), &required)) {
            if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || required <= buffer.size()) {
                return {};
            }
            buffer.resize(required);
        }
        return std::wstring(buffer.data());
    }

    static std::vector<std::wstring> Property(Device& device, DWORD property) {
        std::vector<BYTE> buffer(512);
        DWORD type = 0;
        DWORD required = 0;
        while (!SetupDiGetDeviceRegistryPropertyW(device.set, &device.data, property, &type,
                                                  buffer.data(), static_cast<DWORD>(buffer.size()),
                                                  &required)) {
            if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || required <= buffer.size()) {
                return {};  // most often: the device has no such property
            }
            buffer.resize(required);
        }
        if (type != REG_MULTI_SZ && type != REG_SZ) {
            return {};
        }
        const std::size_t size = std::min<std::size_t>(required, buffer.size());
        std::vector<wchar_t> text(size / sizeof(wchar_t));
        std::memcpy(text.data(), buffer.data(), text.size() * sizeof(wchar_t));
        return SplitMultiString(text);
    }

    static bool Apply(Device& device, DWORD state, DWORD scope) {
        SP_PROPCHANGE_PARAMS params{};
        params.ClassInstallHeader.cbSize = sizeof(SP_CLASSINSTALL_HEADER);
        params.ClassInstallHeader.InstallFunction = DIF_PROPERTYCHANGE;
        params.StateChange = state;
        params.Scope = scope;
        params.HwProfile = 0;
        return SetupDiSetClassInstallParamsW(device.set, &device.data, &params.ClassInstallHeader,
                                             sizeof params) &&
               SetupDiCallClassInstaller(DIF_PROPERTYCHANGE, device.set, &device.data);
    }

    std::vector<HDEVINFO> sets_;
    std::vector<Device> devices_;
};

}  // namespace

std::unique_ptr<DeviceSystem> MakeSetupApiDeviceSystem() {
    return std::make_unique<SetupApiDeviceSystem>();
}

}  // namespace netquill::devcon
