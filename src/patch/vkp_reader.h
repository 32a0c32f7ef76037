#pragma once
// Reads any VKP patch, this program's own and hand-written ones, the way the
// phone community's patch tools read it (see vkp_reader_lexer.h for the
// tokens). A record is "ADDRESS: [OLD] NEW": the address with or without 0x,
// each of OLD and NEW one run of hex data, numbers, strings and placeholders
// (commas may separate them, a backslash before the line end continues them on
// the next line). Only blanks and comments may follow a record on its line,
// and only comments come before it. "+N"/"-N" lines set the offset added to
// every later address ("+0" ends it); "#pragma enable|disable NAME" lines
// switch the patcher's options, of which old_equal_ff gives records without
// old data old bytes of 0xFF.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Vkp {

struct Record {
    int line = 0;                         ///< 1-based line of the address
    std::int64_t address = 0;             ///< the offset already added; may lie outside 32 bits
    std::optional<std::string> oldBytes;  ///< none when the line gives new bytes only
    std::string newBytes;

    friend bool operator==(const Record&, const Record&) = default;
};

struct Finding {
    int line = 0;
    std::string message;

    friend bool operator==(const Finding&, const Finding&) = default;
};

/// Findings of each kind kept at most: a text of garbage would otherwise cost
/// many times its own size.
inline constexpr std::size_t kKeptFindings = 10000;
/// Records kept at most: a whole fullflash rewritten in rows of 16 bytes takes
/// fewer, and a text of a billion one-byte records would not fit in memory.
inline constexpr std::size_t kKeptRecords = std::size_t{1} << 23;

struct Document {
    int lines = 0;  ///< lines of the text; a last line without line end counts
    std::vector<Record> records;
    std::vector<Finding> errors;    ///< records and lines that cannot be read
    std::vector<Finding> warnings;  ///< readable, but something is odd or left open
    std::size_t errorsNotKept = 0;  ///< errors past the first kKeptFindings
    std::size_t warningsNotKept = 0;
    std::size_t recordsNotKept = 0;  ///< records past the first `keptRecords`
    int firstRecordNotKept = 0;      ///< its line
};

/// Parses the whole text. A line that cannot be read is reported and skipped;
/// reading goes on with the next line. CR LF, LF and CR all end lines.
[[nodiscard]] Document ParseVkp(std::string_view text, std::size_t keptRecords = kKeptRecords);

}  // namespace Vkp
