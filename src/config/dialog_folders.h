#pragma once
// Where each kind of file dialog starts: the folder the user last took a file
// of that kind from (or saved one to). Kept in Pictavo.ini under keys of our
// own, which no setting key begins with, so the settings rules pass them by.

#include <map>
#include <string>
#include <string_view>

namespace ConfigActions {

/// Key of the folder last used, by key.
using DialogFolders = std::map<std::string, std::string, std::less<>>;

/// The key of the dialogs whose first filter has `pattern` ("*.bin",
/// "*.vkp", ...); for folder pickers pass kFolderPattern. Empty for dialogs
/// whose folder is not remembered (language files, the converter).
[[nodiscard]] std::string_view DialogFolderKey(std::string_view pattern);

inline constexpr std::string_view kFolderPattern{};

/// The remembered folders a configuration file names (last line of each key).
[[nodiscard]] DialogFolders ReadDialogFolders(std::string_view bytes);

/// One "key=folder" line per remembered folder, CR LF ended.
[[nodiscard]] std::string DialogFolderLines(const DialogFolders& folders);

/// `bytes` with every line of `key` removed and "key=value" appended.
[[nodiscard]] std::string WithKeyLine(std::string_view bytes, std::string_view key,
                                      std::string_view value);

}  // namespace ConfigActions
