#pragma once
// The freedesktop.org key files (desktop entries, mimeapps.list): "[Group]"
// headers and "Key=Value" lines. Edits change one line and keep every other
// line of the user's file as it was.

#include <optional>
#include <string>
#include <string_view>

namespace ConfigActions {

/// The raw value of `key` in `group`, as written (escapes kept).
[[nodiscard]] std::optional<std::string> KeyFileValue(std::string_view text, std::string_view group,
                                                      std::string_view key);

/// `text` with `key` in `group` set to `value`: the key's line replaced, else
/// added at the end of the group, else the group added at the end.
[[nodiscard]] std::string WithKeyFileValue(std::string_view text, std::string_view group,
                                           std::string_view key, std::string_view value);

/// A string value as written: backslash, line breaks and tab escaped.
[[nodiscard]] std::string EscapeKeyFileString(std::string_view value);
/// Undoes the escapes of a string value (\s \n \t \r \\).
[[nodiscard]] std::string UnescapeKeyFileString(std::string_view raw);

}  // namespace ConfigActions
