#pragma once
// The tokens of a VKP text, cut as the phone community's patch tools cut them.
// At each place the first rule that fits wins, in this order: blanks,
// "#pragma ...", a comment to the end of the line (";", "#", "//"), an offset
// ("+N", "-N"), an address ("N:"), a number ("0x..", "0n..", "0i.."), hex data,
// a placeholder ("XX", "??", ...), a quoted string, a comma, a backslash
// before a line end, "/* ... */" (or "/*" to the end of the text), a stray
// "*/", a line end, and at last the rest of the line as an error. The text is
// read as 8-bit bytes; CR LF, LF and CR all end a line.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace Vkp {

enum class TokenType : std::uint8_t {
    Blanks,
    Pragma,
    Comment,
    Offset,
    Address,
    Number,
    Data,
    Placeholder,
    String,
    Comma,
    LineEscape,
    BlockComment,
    OpenComment,  ///< "/*" never closed: runs to the end of the text
    CommentEnd,   ///< "*/" without "/*"
    LineEnd,
    Error,
};

struct Token {
    TokenType type = TokenType::Error;
    std::string_view text;
    int line = 0;  ///< the line it starts on
};

class Lexer {
  public:
    explicit Lexer(std::string_view text) : m_text(text) {}

    /// The next token; nothing at the end of the text.
    [[nodiscard]] std::optional<Token> next();

  private:
    struct Match {
        TokenType type;
        std::size_t end;
    };
    [[nodiscard]] Match match(std::size_t at) const;
    [[nodiscard]] Match error(std::size_t at) const;
    [[nodiscard]] Match matchHash(std::size_t at) const;
    [[nodiscard]] Match matchSlash(std::size_t at) const;
    [[nodiscard]] Match matchOffset(std::size_t at) const;
    [[nodiscard]] Match matchLineEscape(std::size_t at) const;
    [[nodiscard]] Match matchHexStart(std::size_t at) const;
    [[nodiscard]] std::size_t blanksEnd(std::size_t at) const;
    [[nodiscard]] std::size_t hexRunEnd(std::size_t at) const;
    [[nodiscard]] std::optional<std::size_t> numberEnd(std::size_t at) const;
    [[nodiscard]] std::optional<std::size_t> placeholderEnd(std::size_t at) const;
    [[nodiscard]] std::optional<std::size_t> pairedRunEnd(std::size_t i) const;
    [[nodiscard]] std::optional<std::size_t> wildDecimalEnd(std::size_t i) const;
    [[nodiscard]] std::optional<std::size_t> stringEnd(std::size_t at) const;
    [[nodiscard]] char at(std::size_t i) const { return i < m_text.size() ? m_text[i] : '\0'; }
    [[nodiscard]] std::size_t lineEnd(std::size_t from) const;

    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_line = 1;
};

/// Line ends in `text`: CR LF counts once.
[[nodiscard]] int CountLineEnds(std::string_view text);

}  // namespace Vkp
