#pragma once
// The line rules shared by the configuration file and the language files:
// 8-bit text, one "key<separator>value" per line, keys matched on the bytes.

#include <optional>
#include <string_view>
#include <vector>

namespace ConfigActions {

/// The lines of a file. CR LF, a lone CR and a lone LF each end a line, so a
/// file saved by any editor reads the same; a last line without an end counts.
[[nodiscard]] std::vector<std::string_view> SplitLines(std::string_view bytes);

/// The value `line` gives `key`: when the line begins with the key (compared
/// with case, on exactly the key's length), the rest of the line after the key
/// and one more character, whatever that character is. A line that ends right
/// after the key has no separator and gives nothing.
[[nodiscard]] std::optional<std::string_view> KeyValue(std::string_view line, std::string_view key);

}  // namespace ConfigActions
