#include "config/key_file.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace ConfigActions {

namespace {

/// A character and the letter standing for it after a backslash.
constexpr std::array<std::pair<char, char>, 4> kEscapes{
    {{'\\', '\\'}, {'\n', 'n'}, {'\t', 't'}, {'\r', 'r'}}};

struct Line {
    std::string_view text;
    std::size_t begin;  ///< offset of the line in the file
    std::size_t end;    ///< offset after its line feed
};

std::vector<Line> lines(std::string_view text) {
    std::vector<Line> result;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t feed = text.find('\n', begin);
        const std::size_t end = feed == std::string_view::npos ? text.size() : feed + 1;
        result.push_back({text.substr(begin, (feed == std::string_view::npos ? end : feed) - begin),
                          begin, end});
        begin = end;
    }
    return result;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

bool isGroupHeader(std::string_view line) {
    line = trimmed(line);
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

bool isGroup(std::string_view line, std::string_view group) {
    line = trimmed(line);
    return isGroupHeader(line) && line.substr(1, line.size() - 2) == group;
}

/// The value when `line` sets `key` ("Key=Value", blanks around "=" allowed).
std::optional<std::string_view> valueFor(std::string_view line, std::string_view key) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || trimmed(line.substr(0, equals)) != key)
        return std::nullopt;
    return trimmed(line.substr(equals + 1));
}

}  // namespace

std::optional<std::string> KeyFileValue(std::string_view text, std::string_view group,
                                        std::string_view key) {
    bool inGroup = false;
    for (const Line& line : lines(text)) {
        if (isGroupHeader(line.text)) {
            inGroup = isGroup(line.text, group);
        } else if (inGroup) {
            if (const auto value = valueFor(line.text, key)) return std::string(*value);
        }
    }
    return std::nullopt;
}

std::string WithKeyFileValue(std::string_view text, std::string_view group, std::string_view key,
                             std::string_view value) {
    std::string file(text);
    if (!file.empty() && file.back() != '\n') file += '\n';
    const std::string entry = std::string(key) + "=" + std::string(value) + "\n";
    bool inGroup = false;
    std::optional<std::size_t> groupEnd;  // after the group's last non-blank line
    for (const Line& line : lines(file)) {
        if (isGroupHeader(line.text)) {
            inGroup = isGroup(line.text, group);
            if (inGroup) groupEnd = line.end;
        } else if (inGroup) {
            if (valueFor(line.text, key))
                return file.replace(line.begin, line.end - line.begin, entry);
            if (!trimmed(line.text).empty()) groupEnd = line.end;
        }
    }
    if (groupEnd) return file.insert(*groupEnd, entry);
    return file + (file.empty() ? "" : "\n") + "[" + std::string(group) + "]\n" + entry;
}

std::string EscapeKeyFileString(std::string_view value) {
    std::string out;
    for (char c : value) {
        const auto escape = std::find_if(kEscapes.begin(), kEscapes.end(),
                                         [c](const auto& entry) { return entry.first == c; });
        if (escape == kEscapes.end()) {
            out += c;
        } else {
            out += '\\';
            out += escape->second;
        }
    }
    return out;
}

std::string UnescapeKeyFileString(std::string_view raw) {
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\' || i + 1 == raw.size()) {
            out += raw[i];
            continue;
        }
        const char letter = raw[++i];
        const auto escape =
            std::find_if(kEscapes.begin(), kEscapes.end(),
                         [letter](const auto& entry) { return entry.second == letter; });
        out += letter == 's' ? ' ' : escape == kEscapes.end() ? letter : escape->first;
    }
    return out;
}

}  // namespace ConfigActions
