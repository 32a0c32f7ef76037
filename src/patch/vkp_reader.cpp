#include "patch/vkp_reader.h"

#include <algorithm>
#include <array>

namespace Vkp {

namespace {

constexpr std::int64_t kLargestAddress = 0xFFFFFFFF;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

/// Value of each character as a hex digit, -1 for any other.
constexpr std::array<signed char, 256> kHexValues = [] {
    std::array<signed char, 256> values{};
    values.fill(-1);
    for (int i = 0; i < 10; ++i) values['0' + i] = static_cast<signed char>(i);
    for (int i = 0; i < 6; ++i) {
        values['A' + i] = static_cast<signed char>(10 + i);
        values['a' + i] = static_cast<signed char>(10 + i);
    }
    return values;
}();

int hexValue(char c) {
    return kHexValues[static_cast<unsigned char>(c)];
}

bool isHexDigit(char c) {
    return hexValue(c) >= 0;
}

bool startsComment(std::string_view rest) {
    return rest.starts_with(';') || rest.starts_with('#') || rest.starts_with("//");
}

/// A hex number after an optional 0x. Values past 32 bits come back as one
/// more than the largest address, so callers see them as out of range.
std::optional<std::int64_t> hexNumber(std::string_view text) {
    if (text.starts_with("0x") || text.starts_with("0X")) text.remove_prefix(2);
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (!isHexDigit(c)) return std::nullopt;
        value = std::min(value * 16 + hexValue(c), kLargestAddress + 1);
    }
    return value;
}

/// The code part of one line: comments cut off, "/* ... */" blocks (which may
/// span lines) turned into one blank each.
class LineCleaner {
  public:
    /// The view stays valid until the next call.
    std::string_view clean(std::string_view line, int number, std::vector<Finding>& warnings) {
        // Most lines are data lines without any comment sign.
        if (!m_inBlock && line.find_first_of(";#/*") == std::string_view::npos) return line;
        std::string& code = m_code;
        code.clear();
        std::size_t i = 0;
        while (i < line.size()) {
            if (m_inBlock) {
                const std::size_t close = line.find("*/", i);
                if (close == std::string_view::npos) return code;
                m_inBlock = false;
                code += ' ';
                i = close + 2;
                continue;
            }
            const std::string_view rest = line.substr(i);
            if (rest.starts_with("/*")) {
                m_inBlock = true;
                m_blockLine = number;
                i += 2;
                continue;
            }
            if (rest.starts_with("*/")) {
                warnings.push_back({number, R"("*/" without "/*")"});
                code += ' ';
                i += 2;
                continue;
            }
            // A pragma is a comment sign only where a line starts.
            if (rest.starts_with("#pragma") && code.find_first_not_of(" \t") == std::string::npos) {
                code += rest.substr(0, std::min(rest.find(';'), rest.find("//")));
                return code;
            }
            if (startsComment(rest)) return code;
            code += line[i];
            ++i;
        }
        return code;
    }
    [[nodiscard]] bool inBlock() const { return m_inBlock; }
    [[nodiscard]] int blockLine() const { return m_blockLine; }

  private:
    bool m_inBlock = false;
    int m_blockLine = 0;
    std::string m_code;
};

/// The blank-separated words of `code` into `out` (emptied first).
void words(std::string_view code, std::vector<std::string_view>& out) {
    out.clear();
    std::size_t i = 0;
    while (i < code.size()) {
        while (i < code.size() && isBlank(code[i])) ++i;
        const std::size_t start = i;
        while (i < code.size() && !isBlank(code[i])) ++i;
        if (i > start) out.push_back(code.substr(start, i - start));
    }
}

/// Hex bytes of a data field into `bytes`; commas may separate groups of
/// whole bytes. False, with the reason in `problem`, for anything else.
bool fieldBytes(std::string_view field, std::string& bytes, std::string& problem) {
    bytes.clear();
    bytes.reserve(field.size() / 2);
    std::size_t i = 0;
    while (i < field.size()) {
        if (field[i] == ',') {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < field.size() && field[i] != ',') {
            if (!isHexDigit(field[i])) {
                problem.assign(1, '"').append(field).append("\" is not hexadecimal data");
                return false;
            }
            ++i;
        }
        if ((i - start) % 2 != 0) {
            problem = "odd number of hex digits in \"" + std::string(field) + "\"";
            return false;
        }
        for (std::size_t k = start; k < i; k += 2) {
            bytes += static_cast<char>(hexValue(field[k]) * 16 + hexValue(field[k + 1]));
        }
    }
    return true;
}

class Parser {
  public:
    explicit Parser(Document& document) : m_doc(document) {}

    void line(std::string_view code, int number) {
        words(code, m_parts);
        const std::vector<std::string_view>& parts = m_parts;
        if (parts.empty()) return;
        if (parts[0] == "#pragma") {
            pragma(parts, number);
        } else if (parts[0].starts_with('+') || parts[0].starts_with('-')) {
            offset(parts, number);
        } else {
            record(code, number);
        }
    }

    void finish() {
        if (m_offset != 0) {
            m_doc.warnings.push_back({m_offsetLine, "offset not set back to +0 at the end"});
        }
        if (m_oldEqualFf) {
            m_doc.warnings.push_back({m_pragmaLine, "old_equal_ff still enabled at the end"});
        }
    }

  private:
    void error(int number, std::string message) {
        m_doc.errors.push_back({number, std::move(message)});
    }

    void pragma(const std::vector<std::string_view>& parts, int number) {
        if (parts.size() != 3 || (parts[1] != "enable" && parts[1] != "disable")) {
            error(number, "unknown #pragma");
            return;
        }
        if (parts[2] == "old_equal_ff") {
            m_oldEqualFf = parts[1] == "enable";
            m_pragmaLine = number;
        }
    }

    void offset(const std::vector<std::string_view>& parts, int number) {
        const auto value = hexNumber(parts[0].substr(1));
        if (parts.size() != 1 || !value) {
            error(number, "unreadable offset line");
            return;
        }
        m_offset = parts[0][0] == '-' ? -*value : *value;
        m_offsetLine = number;
    }

    void record(std::string_view code, int number) {
        const std::size_t start = code.find_first_not_of(" \t");
        const std::size_t colon = code.find(':', start);
        const std::string_view addressText = colon == std::string_view::npos
                                                 ? std::string_view{}
                                                 : code.substr(start, colon - start);
        const auto address = hexNumber(addressText);
        if (!address) {
            error(number, "no address at the start of the line");
            return;
        }
        words(code.substr(colon + 1), m_parts);
        if (m_parts.empty()) {
            error(number, "address without data");
            return;
        }
        if (m_parts.size() > 2) {
            error(number, "more than old and new data on one line");
            return;
        }
        Record rec;
        rec.line = number;
        std::string problem;
        if (!fieldBytes(m_parts.back(), rec.newBytes, problem) ||
            (m_parts.size() == 2 &&
             !fieldBytes(m_parts.front(), rec.oldBytes.emplace(), problem))) {
            error(number, problem);
            return;
        }
        if (rec.oldBytes && rec.oldBytes->size() != rec.newBytes.size()) {
            error(number, "old data has " + std::to_string(rec.oldBytes->size()) +
                              " bytes, new data " + std::to_string(rec.newBytes.size()));
            return;
        }
        const std::int64_t first = *address + m_offset;
        const std::int64_t last = first + static_cast<std::int64_t>(rec.newBytes.size()) - 1;
        if (rec.newBytes.empty() || first < 0 || last > kLargestAddress) {
            error(number, rec.newBytes.empty() ? "address without data" : "address out of range");
            return;
        }
        rec.address = static_cast<std::uint32_t>(first);
        if (!rec.oldBytes && m_oldEqualFf) rec.oldBytes = std::string(rec.newBytes.size(), '\xFF');
        if (!rec.oldBytes)
            m_doc.warnings.push_back({number, "no old data: the line cannot be checked"});
        m_doc.records.push_back(std::move(rec));
    }

    Document& m_doc;
    std::vector<std::string_view> m_parts;
    std::int64_t m_offset = 0;
    int m_offsetLine = 0;
    bool m_oldEqualFf = false;
    int m_pragmaLine = 0;
};

}  // namespace

Document ParseVkp(std::string_view text) {
    Document doc;
    LineCleaner cleaner;
    Parser parser(doc);
    std::size_t i = 0;
    int number = 0;
    while (i < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", i);
        const std::size_t lineEnd = end == std::string_view::npos ? text.size() : end;
        ++number;
        parser.line(cleaner.clean(text.substr(i, lineEnd - i), number, doc.warnings), number);
        i = lineEnd;
        if (i < text.size()) i += text.substr(i).starts_with("\r\n") ? 2 : 1;
    }
    doc.lines = number;
    if (cleaner.inBlock()) doc.warnings.push_back({cleaner.blockLine(), "\"/*\" never closed"});
    parser.finish();
    return doc;
}

}  // namespace Vkp
