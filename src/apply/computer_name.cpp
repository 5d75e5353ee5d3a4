#include "apply/computer_name.h"

namespace netquill {

std::string ReadComputerName(const RegistryAccess& registry) {
    return registry.ReadRegistryText(kComputerNamePath);
}

}  // namespace netquill
