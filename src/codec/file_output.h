#pragma once
// Writing a whole output file in one go. Private to the codec's writers.

#include <string>
#include <string_view>

namespace GPFcodec {

/// Replaces the file at `path` with `bytes`: an existing file (or link) of that
/// name is removed first, so nothing is written through a link to another
/// place. False when the file cannot be created or completely written; a
/// partly written file is removed again.
bool ReplaceFile(const std::string& path, std::string_view bytes);

}  // namespace GPFcodec
