// Following a hyperlink.
#pragma once

#include <string_view>

namespace netquill {

// Opens a hyperlink's address with the system's default handler: a relative address is taken
// from the program's own directory.
void OpenAddress(std::string_view address);

}  // namespace netquill
