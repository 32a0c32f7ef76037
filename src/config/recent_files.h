#pragma once
// The File menu's list of the last three fullflash files, newest first.

#include <string>

#include "config/settings_file.h"

namespace ConfigActions {

/// Puts `path` first. A path that already is the first entry changes nothing;
/// the others move down one place, the third falls out, and a path that was
/// the second entry is not kept twice.
void AddRecentFile(RecentFiles& recent, const std::string& path);

}  // namespace ConfigActions
