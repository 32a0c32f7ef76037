#include "config/config_lines.h"

namespace ConfigActions {

std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
    }
    return lines;
}

std::optional<std::string_view> KeyValue(std::string_view line, std::string_view key) {
    if (line.size() <= key.size() || !line.starts_with(key)) return std::nullopt;
    return line.substr(key.size() + 1);
}

}  // namespace ConfigActions
