// The café template file: ipset.ini beside the program, section "配置", one key per field of the
// café page. The file is only a store for those fields; everything else reads the fields.
#pragma once

#include <string>
#include <string_view>

#include "ui/program.h"

namespace netquill {

inline constexpr std::string_view kCafeConfigFileName = "ipset.ini";
inline constexpr std::string_view kCafeConfigSection = "配置";
inline constexpr std::string_view kCafeConfigSaved = "配置信息保存完毕！";

// Where the template lives: the program's directory followed by "\ipset.ini"; empty when the
// program's directory cannot be determined, so that nothing lands in a directory by accident.
std::string CafeConfigPath(const SystemFiles& files);

// Fills the café page from the template file, or with the built-in defaults when there is no
// file. True when the file exists, also when it cannot be read or holds none of the keys: then
// the fields of the missing keys are empty and 增位框 is unticked. Never writes to disk.
bool LoadCafeConfig(Program& program);

// Writes the café page into the template file, keeping its other sections and lines, and says
// so in a message box; then the local-connection page becomes current. When the file cannot be
// written, exists but cannot be read (so its other contents would be lost), or has no known
// place, an error box says so instead, the file stays as it was and the café page stays current.
void SaveCafeConfig(Program& program);

}  // namespace netquill
