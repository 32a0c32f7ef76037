#include "patch/vkp_reader.h"

#include <algorithm>
#include <array>

#include "patch/vkp_reader_lexer.h"
#include "patch/vkp_reader_values.h"

namespace Vkp {

namespace {

constexpr std::int64_t kLargestAddress = 0xFFFFFFFF;

bool isComment(TokenType type) {
    return type == TokenType::Comment || type == TokenType::BlockComment ||
           type == TokenType::OpenComment;
}

bool isData(TokenType type) {
    return type == TokenType::Data || type == TokenType::Number || type == TokenType::Placeholder ||
           type == TokenType::String;
}

/// Hex digits after an optional 0x; values past 32 bits stop growing at
/// twice the largest address, which is far enough for every comparison.
std::int64_t hexValue(std::string_view digits) {
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] | 0x20) == 'x') digits.remove_prefix(2);
    std::int64_t value = 0;
    for (char c : digits) {
        const int digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
        value = std::min(value * 16 + digit, 2 * (kLargestAddress + 1));
    }
    return value;
}

/// One of the two data fields of a record.
struct Field {
    std::string bytes;
    int line = 0;  ///< where it starts
    int placeholders = 0;
};

class Parser {
  public:
    Parser(std::string_view text, Document& document, std::size_t keptRecords)
        : m_lexer(text), m_doc(document), m_keptRecords(keptRecords) {}

    void run() {
        while (const Token* token = peek()) {
            bool read = true;
            switch (token->type) {
                case TokenType::Address:
                    read = record();
                    break;
                case TokenType::Pragma:
                    read = pragma();
                    break;
                case TokenType::Offset:
                    read = offset();
                    break;
                case TokenType::LineEnd:
                case TokenType::Blanks:
                    advance();
                    break;
                case TokenType::Comment:
                case TokenType::BlockComment:
                case TokenType::OpenComment:
                    comments();
                    break;
                case TokenType::CommentEnd:
                    warning(token->line, R"("*/" without "/*")");
                    advance();
                    break;
                default:
                    read = fail("no address, offset, pragma or comment at " + Quoted(token->text));
            }
            if (!read) skipLine();
        }
        finish();
    }

  private:
    const Token* peek() {
        if (!m_peeked) {
            m_current = m_lexer.next();
            m_peeked = true;
        }
        return m_current ? &*m_current : nullptr;
    }
    void advance() {
        m_previous = m_current->type;
        m_lastLine = m_current->line;
        m_peeked = false;
    }

    static void note(std::vector<Finding>& list, std::size_t& notKept, int line,
                     std::string message) {
        if (list.size() < kKeptFindings) {
            list.push_back({line, std::move(message)});
        } else {
            ++notKept;
        }
    }
    void error(int line, std::string message) {
        note(m_doc.errors, m_doc.errorsNotKept, line, std::move(message));
    }
    void warning(int line, std::string message) {
        note(m_doc.warnings, m_doc.warningsNotKept, line, std::move(message));
    }
    /// Reports a line that cannot be read, at the token where reading stopped.
    bool fail(std::string message) {
        const Token* token = peek();
        error(token != nullptr ? token->line : m_lastLine, std::move(message));
        return false;
    }
    bool unexpected() {
        const Token& token = *peek();
        if (isData(token.type))
            return fail("more data at " + Quoted(token.text) +
                        " than old and new (one record per line)");
        if (token.type == TokenType::Error)
            return fail(Quoted(token.text) + " is no hex data, number or string");
        return fail("unexpected " + Quoted(token.text));
    }
    /// Drops the rest of the line where reading failed.
    void skipLine() {
        while (const Token* token = peek()) {
            const bool end = token->type == TokenType::LineEnd;
            advance();
            if (end) return;
        }
    }

    /// Comments and blanks up to the end of the line, or to the next statement.
    void comments() {
        while (const Token* token = peek()) {
            if (token->type == TokenType::LineEnd) {
                advance();
                return;
            }
            if (token->type != TokenType::Blanks && !isComment(token->type)) return;
            if (token->type == TokenType::OpenComment) warning(token->line, "\"/*\" never closed");
            advance();
        }
    }
    /// Only comments and blanks may follow a statement on its line.
    bool endOfStatement() {
        while (const Token* token = peek()) {
            if (token->type == TokenType::LineEnd) {
                advance();
                return true;
            }
            if (token->type != TokenType::Blanks && !isComment(token->type)) return unexpected();
            if (token->type == TokenType::OpenComment) warning(token->line, "\"/*\" never closed");
            advance();
        }
        return true;
    }

    bool pragma() {
        const std::string_view text = peek()->text;
        const int line = peek()->line;
        std::array<std::string_view, 3> words{};
        std::size_t count = 0;
        for (std::size_t i = 0; i < text.size() && count <= words.size();) {
            const std::size_t start = text.find_first_not_of(" \t", i);
            if (start == std::string_view::npos) break;
            const std::size_t end = std::min(text.find_first_of(" \t", start), text.size());
            if (count < words.size()) words[count] = text.substr(start, end - start);
            ++count;
            i = end;
        }
        static constexpr std::array<std::string_view, 5> kNames = {
            "warn_no_old_on_apply", "warn_if_new_exist_on_apply", "warn_if_old_exist_on_undo",
            "undo", "old_equal_ff"};
        const bool known = count == 3 && words[0] == "#pragma" &&
                           (words[1] == "enable" || words[1] == "disable") &&
                           std::find(kNames.begin(), kNames.end(), words[2]) != kNames.end();
        if (!known) return fail("unknown #pragma: " + Quoted(text));
        advance();
        if (!endOfStatement()) return false;
        const bool enable = words[1] == "enable";
        if (words[2] == "old_equal_ff" && enable != m_oldEqualFf) {
            m_oldEqualFf = enable;
            m_pragmaLine = line;
        }
        return true;
    }

    bool offset() {
        const Token token = *peek();
        const std::int64_t value = hexValue(token.text.substr(1));
        if (token.text[0] == '+' && value > kLargestAddress)
            return fail("offset " + Quoted(token.text) + " beyond FFFFFFFF");
        advance();
        if (!endOfStatement()) return false;
        m_offset = token.text[0] == '-' ? -value : value;
        m_offsetLine = token.line;
        return true;
    }

    /// Hex data, numbers, strings and placeholders up to a blank or line end.
    bool field(Field& out) {
        out.line = peek()->line;
        std::string problem;
        while (const Token* token = peek()) {
            if (isData(token->type)) {
                if (!AppendTokenBytes(*token, out.bytes, problem)) return fail(problem);
                out.placeholders += token->type == TokenType::Placeholder ? 1 : 0;
            } else if (token->type == TokenType::Blanks || token->type == TokenType::LineEnd) {
                return true;
            } else if (isComment(token->type)) {
                if (m_previous == TokenType::Number)
                    return fail("no blank between a number and the comment after it");
                return true;
            } else if (token->type != TokenType::Comma && token->type != TokenType::LineEscape) {
                return unexpected();
            }
            advance();
        }
        return true;
    }
    /// Blanks before a field; false in `found` when the record ends instead.
    bool toField(bool& found) {
        found = false;
        while (const Token* token = peek()) {
            if (isData(token->type)) {
                found = true;
                return true;
            }
            if (token->type == TokenType::LineEnd || isComment(token->type)) return true;
            if (token->type != TokenType::Blanks && token->type != TokenType::LineEscape)
                return unexpected();
            advance();
        }
        return true;
    }

    bool record() {
        const Token address = *peek();
        const std::int64_t value = hexValue(address.text.substr(0, address.text.size() - 1));
        if (value > kLargestAddress)
            return fail("address " + Quoted(address.text) + " beyond FFFFFFFF");
        advance();
        std::array<Field, 2> fields;
        std::size_t count = 0;
        bool found = true;
        while (count < fields.size()) {
            if (!toField(found)) return false;
            if (!found) break;
            if (!field(fields[count])) return false;
            ++count;
        }
        if (count == 0) return fail("address without data");
        if (!endOfStatement()) return false;
        add(address.line, value, fields, count);
        return true;
    }

    void add(int line, std::int64_t address, std::array<Field, 2>& fields, std::size_t count) {
        Field& fresh = fields[count - 1];
        bool refused = false;
        if (fresh.placeholders > 0) {
            error(fresh.line, "placeholder instead of new data");
            refused = true;
        }
        const std::size_t newSize = fresh.bytes.size();
        if (count == 2 && fields[0].bytes.size() < newSize) {
            error(fields[0].line, "old data has " + std::to_string(fields[0].bytes.size()) +
                                      " bytes, new data " + std::to_string(newSize));
            refused = true;
        }
        if (refused) return;
        Record rec{line, m_offset + address, std::nullopt, std::move(fresh.bytes)};
        if (count == 2) {
            rec.oldBytes = std::move(fields[0].bytes);
            if (fields[0].placeholders > 0)
                warning(fields[0].line, "placeholder in the old data, read as 00");
            if (rec.oldBytes->size() > newSize)
                warning(line, "old data has " + std::to_string(rec.oldBytes->size()) +
                                  " bytes, new data " + std::to_string(newSize) +
                                  ": the rest stays as it is");
        } else if (m_oldEqualFf) {
            rec.oldBytes = std::string(newSize, '\xFF');
        }
        if (newSize == 0) warning(line, "writes no bytes");
        if (m_doc.records.size() < m_keptRecords) {
            m_doc.records.push_back(std::move(rec));
        } else if (m_doc.recordsNotKept++ == 0) {
            m_doc.firstRecordNotKept = line;
        }
    }

    void finish() {
        if (m_offset != 0) warning(m_offsetLine, "offset not set back to +0 at the end");
        if (m_oldEqualFf) warning(m_pragmaLine, "old_equal_ff still enabled at the end");
    }

    Lexer m_lexer;
    Document& m_doc;
    std::size_t m_keptRecords;
    std::optional<Token> m_current;
    bool m_peeked = false;
    TokenType m_previous = TokenType::LineEnd;
    int m_lastLine = 1;
    std::int64_t m_offset = 0;
    int m_offsetLine = 0;
    bool m_oldEqualFf = false;
    int m_pragmaLine = 0;
};

}  // namespace

Document ParseVkp(std::string_view text, std::size_t keptRecords) {
    Document doc;
    Parser parser(text, doc, keptRecords);
    parser.run();
    const bool open = !text.empty() && text.back() != '\n' && text.back() != '\r';
    doc.lines = CountLineEnds(text) + (open ? 1 : 0);
    return doc;
}

}  // namespace Vkp
