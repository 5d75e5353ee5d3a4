// Conversion between REG_MULTI_SZ data and multi-line text (every item followed by CR LF).
#pragma once

#include <string>
#include <string_view>

namespace netquill {

// Every NUL ends a string, bytes after the last NUL form one more; a final empty string is the
// list's terminator and is dropped. Each remaining string, empty ones too, is followed by CR LF.
std::string MultiStringDataToLines(std::string_view data);

// Items are cut at every CR LF (a final CR LF closes the last item); each item is followed by a
// NUL, and one more NUL closes the list. No items give a single NUL.
std::string LinesToMultiStringData(std::string_view lines);

}  // namespace netquill
