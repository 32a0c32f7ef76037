#pragma once
// Reads any VKP patch: this program's own and hand-written ones. Understood:
// data lines "ADDRESS: [OLD] NEW" (address with or without 0x, data as hex runs
// that commas may split), comments (";", "#", "//" to the end of the line and
// "/* ... */" blocks), blank lines, offset lines ("+N", "-N", hex, added to the
// addresses that follow) and "#pragma enable|disable NAME" lines, of which
// old_equal_ff gives lines without old bytes old bytes of 0xFF.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Vkp {

struct Record {
    int line = 0;                         ///< 1-based line of the text
    std::uint32_t address = 0;            ///< the offset line's value already added
    std::optional<std::string> oldBytes;  ///< none when the line gives new bytes only
    std::string newBytes;

    friend bool operator==(const Record&, const Record&) = default;
};

struct Finding {
    int line = 0;
    std::string message;

    friend bool operator==(const Finding&, const Finding&) = default;
};

struct Document {
    int lines = 0;  ///< lines of the text; a last line without line end counts
    std::vector<Record> records;
    std::vector<Finding> errors;    ///< lines that cannot be read as anything
    std::vector<Finding> warnings;  ///< readable, but something is left open
};

/// Parses the whole text. A line that cannot be read is reported and skipped;
/// reading goes on with the next line. CR LF, LF and CR all end lines.
[[nodiscard]] Document ParseVkp(std::string_view text);

}  // namespace Vkp
