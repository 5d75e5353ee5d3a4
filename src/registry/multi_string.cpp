#include "registry/multi_string.h"

#include <vector>

#include "core/text.h"

namespace netquill {

std::string MultiStringDataToLines(std::string_view data) {
    std::vector<std::string_view> strings;
    std::size_t start = 0;
    while (start < data.size()) {
        const std::size_t nul = data.find('\0', start);
        if (nul == std::string_view::npos) {
            strings.push_back(data.substr(start));
            break;
        }
        strings.push_back(data.substr(start, nul - start));
        start = nul + 1;
    }
    if (!strings.empty() && strings.back().empty()) {
        strings.pop_back();
    }
    std::string lines;
    for (std::string_view item : strings) {
        lines.append(item);
        lines.append(kLineBreak);
    }
    return lines;
}

std::string LinesToMultiStringData(std::string_view lines) {
    std::string data;
    for (const std::string& item : SplitItems(lines, kLineBreak)) {
        data.append(item);
        data.push_back('\0');
    }
    data.push_back('\0');
    return data;
}

}  // namespace netquill
