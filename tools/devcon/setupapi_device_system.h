// The devices of Windows, through SetupAPI.
#pragma once

#include <memory>

#include "devcon/device_console.h"

namespace netquill::devcon {

std::unique_ptr<DeviceSystem> MakeSetupApiDeviceSystem();

}  // namespace netquill::devcon
