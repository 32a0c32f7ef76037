#pragma once
// File services that stand between the commands and the operating system.
// They keep no state and show no messages; callers react with their own.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace FSactions_Tavik {

/// True when `path` cannot be opened for reading as a file: missing, no
/// access, a folder, or an empty path. Never creates or changes anything.
[[nodiscard]] bool FileMissing(const std::string& path);

/// Splits a command line the way the converter's callers write it: blanks
/// separate arguments, double quotes group (and are dropped), and inside a
/// group two double quotes stand for one. The first argument is the program.
[[nodiscard]] std::vector<std::string> SplitCommandLine(const std::string& commandLine);

/// `argument` in double quotes, each double quote in it doubled: the form
/// SplitCommandLine gives back as exactly this one argument.
[[nodiscard]] std::string QuotedArgument(std::string_view argument);

/// Starts the program named by the command line directly (never through a
/// shell) and waits for it to end. A program that cannot be started returns at
/// once; the exit code is not examined.
void RunAndWait(const std::string& commandLine);

/// The folder for temporary files: $TMP, else $TMPDIR, else /tmp.
[[nodiscard]] std::string TempFolder();

/// `folder` and `name` joined with exactly one '/'.
[[nodiscard]] std::string JoinPath(const std::string& folder, const std::string& name);

/// `folder` with a trailing '/' added when it has none.
[[nodiscard]] std::string WithTrailingSlash(std::string folder);

/// Whole content of a file that is read as a unit; nullopt when it cannot be
/// opened or read.
[[nodiscard]] std::optional<std::string> ReadFileBytes(const std::string& path);

/// Puts `bytes` at `path` as a new file, replacing whatever was there only once
/// the new content is complete: the bytes go to a temporary file in the same
/// folder, which is then renamed over the path. A link at `path` is replaced,
/// never written through. On failure the old file is untouched and no partial
/// file is left; returns false.
bool ReplaceFile(const std::string& path, std::string_view bytes);

/// Deletes a file; false when it could not be removed.
bool DeleteFile(const std::string& path);

}  // namespace FSactions_Tavik
