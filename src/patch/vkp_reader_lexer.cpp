#include "patch/vkp_reader_lexer.h"

#include <algorithm>
#include <array>

namespace Vkp {

namespace {

enum CharClass : std::uint8_t { kHex = 1, kWord = 2, kDecimal = 4, kQuestionable = 8 };

constexpr std::array<std::uint8_t, 256> kClasses = [] {
    std::array<std::uint8_t, 256> classes{};
    for (std::size_t c = 0; c < classes.size(); ++c) {
        const std::size_t lower = c | 0x20;
        const bool digit = c >= '0' && c <= '9';
        const bool letter = lower >= 'a' && lower <= 'z';
        const bool hex = digit || (lower >= 'a' && lower <= 'f');
        classes[c] = static_cast<std::uint8_t>((digit || letter || c == '_' ? kWord : 0) |
                                               (hex ? kHex : 0) | (digit ? kDecimal : 0));
    }
    // The wildcard letters of a numeric placeholder ("0i12x", "0i?").
    classes['x'] |= kQuestionable;
    classes['y'] |= kQuestionable;
    classes['z'] |= kQuestionable;
    classes['?'] = kQuestionable;
    return classes;
}();

bool is(char c, CharClass kind) {
    return (kClasses[static_cast<unsigned char>(c)] & kind) != 0;
}

bool isPragmaChar(char c) {
    return c == ' ' || c == '\t' || is(c, kWord);
}

/// A two-letter placeholder of a hex byte: "XX", "??", ...
bool isPlaceholderPair(char a, char b) {
    static constexpr std::string_view kPairs = "XXxxYYyyZZzzHHhhnnNNNnMSML??";
    for (std::size_t i = 0; i < kPairs.size(); i += 2) {
        if (kPairs[i] == a && kPairs[i + 1] == b) return true;
    }
    return false;
}

}  // namespace

int CountLineEnds(std::string_view text) {
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++count;
    }
    return count;
}

std::optional<Token> Lexer::next() {
    if (m_pos >= m_text.size()) return std::nullopt;
    const Match found = match(m_pos);
    const Token token{found.type, m_text.substr(m_pos, found.end - m_pos), m_line};
    switch (found.type) {
        case TokenType::LineEnd:
        case TokenType::LineEscape:
            ++m_line;
            break;
        case TokenType::String:
        case TokenType::BlockComment:
        case TokenType::OpenComment:
            m_line += CountLineEnds(token.text);
            break;
        default:
            break;
    }
    m_pos = found.end;
    return token;
}

std::size_t Lexer::lineEnd(std::size_t from) const {
    const auto end = std::find_if(m_text.begin() + static_cast<std::ptrdiff_t>(from), m_text.end(),
                                  [](char c) { return c == '\n' || c == '\r'; });
    return static_cast<std::size_t>(end - m_text.begin());
}

Lexer::Match Lexer::match(std::size_t at) const {
    const char c = m_text[at];
    switch (c) {
        case ' ':
        case '\t':
            return {TokenType::Blanks, blanksEnd(at)};
        case '\n':
            return {TokenType::LineEnd, at + 1};
        case '\r':
            return {TokenType::LineEnd, at + (this->at(at + 1) == '\n' ? 2 : 1)};
        case '#':
            return matchHash(at);
        case ';':
            return {TokenType::Comment, lineEnd(at)};
        case '/':
            return matchSlash(at);
        case '*':
            return this->at(at + 1) == '/' ? Match{TokenType::CommentEnd, at + 2} : error(at);
        case '+':
        case '-':
            return matchOffset(at);
        case '"':
        case '\'': {
            const auto end = stringEnd(at);
            return end ? Match{TokenType::String, *end} : error(at);
        }
        case ',':
            return {TokenType::Comma, at + 1};
        case '\\':
            return matchLineEscape(at);
        default:
            if (is(c, kHex)) return matchHexStart(at);
            if (const auto end = placeholderEnd(at)) return {TokenType::Placeholder, *end};
            return error(at);
    }
}

// The rest of the line is found only when needed: most tokens are short.
Lexer::Match Lexer::error(std::size_t at) const {
    return {TokenType::Error, lineEnd(at)};
}

std::size_t Lexer::blanksEnd(std::size_t at) const {
    while (this->at(at) == ' ' || this->at(at) == '\t') ++at;
    return at;
}

std::size_t Lexer::hexRunEnd(std::size_t at) const {
    while (is(this->at(at), kHex)) ++at;
    return at;
}

/// "#pragma" and the words after it, or a comment.
Lexer::Match Lexer::matchHash(std::size_t at) const {
    if (!m_text.substr(at).starts_with("#pragma") || !isPragmaChar(this->at(at + 7)))
        return {TokenType::Comment, lineEnd(at)};
    std::size_t end = at + 8;
    while (isPragmaChar(this->at(end))) ++end;
    return {TokenType::Pragma, end};
}

/// "//" to the end of the line, "/* ... */", or "/*" to the end of the text.
Lexer::Match Lexer::matchSlash(std::size_t at) const {
    if (this->at(at + 1) == '/') return {TokenType::Comment, lineEnd(at)};
    if (this->at(at + 1) != '*') return error(at);
    const std::size_t close = m_text.find("*/", at + 2);
    if (close == std::string_view::npos) return {TokenType::OpenComment, m_text.size()};
    return {TokenType::BlockComment, close + 2};
}

/// "+N" or "-N", N hex with or without 0x.
Lexer::Match Lexer::matchOffset(std::size_t at) const {
    std::size_t digits = at + 1;
    if (this->at(digits) == '0' && (this->at(digits + 1) | 0x20) == 'x' &&
        is(this->at(digits + 2), kHex))
        digits += 2;
    if (!is(this->at(digits), kHex)) return error(at);
    return {TokenType::Offset, hexRunEnd(digits)};
}

/// A backslash right before a line end.
Lexer::Match Lexer::matchLineEscape(std::size_t at) const {
    if (this->at(at + 1) == '\n') return {TokenType::LineEscape, at + 2};
    if (this->at(at + 1) == '\r')
        return {TokenType::LineEscape, at + (this->at(at + 2) == '\n' ? 3 : 2)};
    return error(at);
}

/// An address, number, hex data or placeholder, in that order of preference.
Lexer::Match Lexer::matchHexStart(std::size_t at) const {
    const bool zeroX = m_text[at] == '0' && (this->at(at + 1) | 0x20) == 'x';
    if (zeroX && is(this->at(at + 2), kHex)) {
        const std::size_t end = hexRunEnd(at + 2);
        if (this->at(end) == ':') return {TokenType::Address, end + 1};
    }
    const std::size_t run = hexRunEnd(at);
    if (this->at(run) == ':') return {TokenType::Address, run + 1};
    if (const auto end = numberEnd(at)) return {TokenType::Number, *end};
    if (!is(this->at(run), kWord)) return {TokenType::Data, run};
    if (const auto end = placeholderEnd(at)) return {TokenType::Placeholder, *end};
    return error(at);
}

/// "0x" hex digits, "0n" binary digits or "0i" a sign and decimal digits, not
/// followed by a letter, digit or "_".
std::optional<std::size_t> Lexer::numberEnd(std::size_t at) const {
    if (m_text[at] != '0') return std::nullopt;
    const char kind = this->at(at + 1);
    std::size_t end = at + 2;
    if (kind == 'x') {
        end = hexRunEnd(end);
    } else if (kind == 'n') {
        while (this->at(end) == '0' || this->at(end) == '1') ++end;
    } else if (kind == 'i') {
        if (this->at(end) == '+' || this->at(end) == '-') ++end;
        const std::size_t digits = end;
        while (is(this->at(end), kDecimal)) ++end;
        if (end == digits) end = at + 2;
    }
    if (end > at + 2 && !is(this->at(end), kWord)) return end;
    return std::nullopt;
}

/// A placeholder is hex digits and placeholder pairs with at least one pair
/// ("0x" may lead), or "0i", a sign, decimal digits and wildcards with at
/// least one wildcard. Of the places where such a run may stop, the furthest
/// that is not followed by a letter, digit or "_" ends the token.
std::optional<std::size_t> Lexer::placeholderEnd(std::size_t at) const {
    if (this->at(at) == '0' && this->at(at + 1) == 'x') {
        if (const auto end = pairedRunEnd(at + 2)) return end;
    }
    if (const auto end = pairedRunEnd(at)) return end;
    if (this->at(at) != '0' || this->at(at + 1) != 'i') return std::nullopt;
    return wildDecimalEnd(at + 2);
}

/// Hex digits and placeholder pairs with at least one pair.
std::optional<std::size_t> Lexer::pairedRunEnd(std::size_t i) const {
    std::optional<std::size_t> end;
    bool paired = false;
    for (;;) {
        if (paired && !is(this->at(i), kWord)) end = i;
        if (is(this->at(i), kHex)) {
            ++i;
        } else if (isPlaceholderPair(this->at(i), this->at(i + 1))) {
            i += 2;
            paired = true;
        } else {
            return end;
        }
    }
}

/// A sign, decimal digits and wildcards with at least one wildcard.
std::optional<std::size_t> Lexer::wildDecimalEnd(std::size_t i) const {
    if (this->at(i) == '+' || this->at(i) == '-') ++i;
    std::optional<std::size_t> end;
    bool wild = false;
    for (;; ++i) {
        if (wild && !is(this->at(i), kWord)) end = i;
        const char c = this->at(i);
        if (!is(c, kDecimal) && !is(c, kQuestionable)) return end;
        wild = wild || is(c, kQuestionable);
    }
}

/// "..." ends at the first '"' that no backslash escapes; '...' likewise at
/// its first '\'', and fails at an unescaped '"'. Strings may span lines.
std::optional<std::size_t> Lexer::stringEnd(std::size_t at) const {
    const char quote = m_text[at];
    std::size_t i = at + 1;
    while (i < m_text.size()) {
        const char c = m_text[i];
        if (c == quote) return i + 1;
        if (c == '"') return std::nullopt;
        i += c == '\\' ? 2 : 1;
    }
    return std::nullopt;
}

}  // namespace Vkp
