#include "patch/vkp_reader_values.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace Vkp {

namespace {

/// Windows-1251 bytes 0x80..0xFF as UTF-16 (0x98, unassigned, as U+FFFD).
constexpr std::array<char16_t, 128> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F};

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f') return (c | 0x20) - 'a' + 10;
    return -1;
}

void appendLittleEndian(std::uint64_t value, std::size_t bytes, std::string& out) {
    for (std::size_t i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

bool appendHex(std::string_view text, std::string& out, std::string& problem) {
    if (text.size() % 2 != 0) {
        problem = "odd number of hex digits in " + Quoted(text);
        return false;
    }
    for (std::size_t i = 0; i < text.size(); i += 2)
        out += static_cast<char>(hexDigit(text[i]) * 16 + hexDigit(text[i + 1]));
    return true;
}

/// "0i" decimal: 1-3 digits make a byte, else exactly 5, 8, 10, 13, 15, 17 or 20
/// digits make 2 to 8 bytes; a sign makes the range symmetric around zero.
bool appendDecimal(std::string_view text, std::string& out, std::string& problem) {
    constexpr std::array<std::size_t, 8> kDigits = {3, 5, 8, 10, 13, 15, 17, 20};
    std::string_view digits = text.substr(2);
    const bool negative = digits.starts_with('-');
    const bool hasSign = negative || digits.starts_with('+');
    if (hasSign) digits.remove_prefix(1);
    const auto row = std::find_if(kDigits.begin(), kDigits.end(),
                                  [&](std::size_t d) { return digits.size() <= d; });
    if (digits.empty() || row == kDigits.end() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        problem = Quoted(text) + " is no number";
        return false;
    }
    const auto bytes = static_cast<std::size_t>(row - kDigits.begin()) + 1;
    bool tooLarge = false;
    std::uint64_t value = 0;
    for (char c : digits) {
        const auto digit = static_cast<std::uint64_t>(c - '0');
        tooLarge = tooLarge || value > (UINT64_MAX - digit) / 10;
        value = value * 10 + digit;
    }
    const std::uint64_t all = bytes == 8 ? UINT64_MAX : (std::uint64_t{1} << (8 * bytes)) - 1;
    if (tooLarge || value > (hasSign ? all >> 1 : all)) {
        problem = Quoted(text) + " does not fit in " + std::to_string(bytes) + " bytes";
        return false;
    }
    if (digits.size() < *row && *row > 3) {
        problem = Quoted(text) + " needs 1-3, 5, 8, 10, 13, 15, 17 or 20 digits";
        return false;
    }
    appendLittleEndian(negative ? (~value + 1) & all : value, bytes, out);
    return true;
}

bool appendNumber(std::string_view text, std::string& out, std::string& problem) {
    const char kind = static_cast<char>(text.size() > 1 ? text[1] | 0x20 : 0);
    if (kind == 'i') return appendDecimal(text, out, problem);
    const std::string_view digits = text.substr(std::min<std::size_t>(2, text.size()));
    const bool binary = kind == 'n';
    const bool valid = (kind == 'x' || binary) && !digits.empty() &&
                       std::all_of(digits.begin(), digits.end(), [binary](char c) {
                           return binary ? c == '0' || c == '1' : hexDigit(c) >= 0;
                       });
    if (!valid) {
        problem = Quoted(text) + " is no number";
        return false;
    }
    const std::size_t bits = binary ? digits.size() : (digits.size() + 1) / 2 * 8;
    if (bits > 32) {
        problem = Quoted(text) + " does not fit in 4 bytes";
        return false;
    }
    std::uint64_t value = 0;
    for (char c : digits) value = value * (binary ? 2 : 16) + static_cast<unsigned>(hexDigit(c));
    appendLittleEndian(value, (bits + 7) / 8, out);
    return true;
}

/// Wildcards read as zeros; a "0i", "0x" or "0n" start keeps the number form.
bool appendPlaceholder(std::string_view text, std::string& out, std::string& problem) {
    std::string zeroed(text);
    const char kind = static_cast<char>(text[1] | 0x20);
    const bool number =
        text.size() > 2 && text[0] == '0' && (kind == 'i' || kind == 'x' || kind == 'n');
    for (std::size_t i = number ? 2 : 0; i < zeroed.size(); ++i) {
        if (hexDigit(zeroed[i]) < 0) zeroed[i] = '0';
    }
    return number ? appendNumber(zeroed, out, problem) : appendHex(zeroed, out, problem);
}

/// The value of the hex digits that start `text`; nothing when none does.
std::optional<unsigned> leadingHex(std::string_view text) {
    std::optional<unsigned> value;
    for (char c : text) {
        if (hexDigit(c) < 0) break;
        value = value.value_or(0) * 16 + static_cast<unsigned>(hexDigit(c));
    }
    return value;
}

class StringReader {
  public:
    StringReader(bool wide, std::string& out) : m_wide(wide), m_out(out) {}

    void character(unsigned char c) {
        const char16_t unit = c < 0x80 ? char16_t{c} : kCp1251High[c - 0x80];
        if (m_wide) {
            m_out += static_cast<char>(unit & 0xFF);
            m_out += static_cast<char>(unit >> 8);
        } else {
            m_out += static_cast<char>(c);
        }
    }
    /// A byte given by an escape: one byte, or two in a wide string.
    void code(unsigned value) {
        m_out += static_cast<char>(value & 0xFF);
        if (m_wide) m_out += '\0';
    }

    /// The escape after a backslash at `text[i]`; moves `i` to its last character.
    bool escape(std::string_view text, std::size_t& i, std::string& problem) {
        static constexpr std::string_view kFrom = "abtrnvfe\\/*\"'` ";
        static constexpr std::string_view kTo = "\a\b\t\r\n\v\f\x1B\\/*\"'` ";
        const char c = text[i];
        if (c == '\n') return true;
        if (c == 'x' || c == 'u') {
            const std::size_t length = c == 'x' ? 2 : 4;
            if (i + length >= text.size() || (c == 'u' && !m_wide)) {
                problem = "unknown escape \"\\" + std::string(text.substr(i, length + 1)) + "\"";
                return false;
            }
            const auto value = leadingHex(text.substr(i + 1, length));
            if (c == 'x' && !m_wide && value.value_or(0) >= 0x7F) {
                problem = "escape \"\\" + std::string(text.substr(i, 3)) + "\" above \\x7E";
                return false;
            }
            m_out += static_cast<char>(value.value_or(0) & 0xFF);
            if (m_wide) m_out += static_cast<char>(c == 'u' ? value.value_or(0) >> 8 : 0);
            i += length;
            return true;
        }
        if (c >= '0' && c <= '7') {
            unsigned value = 0;
            std::size_t end = i;
            while (end < text.size() && end < i + 3 && text[end] >= '0' && text[end] <= '7')
                value = value * 8 + static_cast<unsigned>(text[end++] - '0');
            if (value > 0xFF) {
                problem = "escape \"\\" + std::string(text.substr(i, end - i)) + "\" above \\377";
                return false;
            }
            code(value);
            i = end - 1;
            return true;
        }
        const std::size_t at = kFrom.find(c);
        if (at == std::string_view::npos) {
            problem = "unknown escape \"\\" + std::string(1, c) + "\"";
            return false;
        }
        character(static_cast<unsigned char>(kTo[at]));
        return true;
    }

  private:
    bool m_wide;
    std::string& m_out;
};

bool appendString(std::string_view token, std::string& out, std::string& problem) {
    for (std::string_view sign : {"/*", "*/", "//"}) {
        if (token.find(sign) != std::string_view::npos) {
            problem = Quoted(sign) + " inside a string; put a backslash between its two signs";
            return false;
        }
    }
    // Line ends inside a string count as LF, as everywhere in the text.
    std::string text;
    const std::string_view inner = token.substr(1, token.size() - 2);
    for (std::size_t i = 0; i < inner.size(); ++i) {
        if (inner[i] == '\r' && i + 1 < inner.size() && inner[i + 1] == '\n') continue;
        text += inner[i] == '\r' ? '\n' : inner[i];
    }
    StringReader reader(token[0] == '\'', out);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            reader.character(static_cast<unsigned char>(text[i]));
        } else if (!reader.escape(text, ++i, problem)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string Quoted(std::string_view text) {
    constexpr std::size_t kShown = 24;
    std::string quoted(1, '"');
    quoted.append(text.substr(0, kShown)).append(text.size() > kShown ? "...\"" : "\"");
    return quoted;
}

bool AppendTokenBytes(const Token& token, std::string& out, std::string& problem) {
    switch (token.type) {
        case TokenType::Data:
            return appendHex(token.text, out, problem);
        case TokenType::Number:
            return appendNumber(token.text, out, problem);
        case TokenType::Placeholder:
            return appendPlaceholder(token.text, out, problem);
        case TokenType::String:
            return appendString(token.text, out, problem);
        default:
            problem = Quoted(token.text) + " is no data";
            return false;
    }
}

}  // namespace Vkp
