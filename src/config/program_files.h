#pragma once
// Where the program keeps its settings and finds its language files, its
// ReadMe and its icon. Run from its build folder everything lies beside the
// programs; an installed program cannot write there, so its settings go to the
// user's configuration folder and its shipped files come from the data folder.

#include <string>
#include <vector>

#include "config/xdg_folders.h"

namespace ConfigActions {

struct ProgramFiles {
    std::string settingsFile;  ///< Pictavo.ini
    /// What a missing settings file starts as, when an installation ships it.
    std::string initialSettingsFile;
    std::vector<std::string> languageFolders;  ///< searched in order, each ending in '/'
    std::string readMeFile;
    std::string icon;  ///< an icon file, or the icon's name in the desktop's theme
    bool installed = false;
};

/// The files of the program in `programFolder` (ending in '/'). The program
/// counts as installed when the data folder of an installation lies beside it
/// or when it cannot write into its own folder.
[[nodiscard]] ProgramFiles LocateProgramFiles(const std::string& programFolder,
                                              const XdgFolders& xdg);

}  // namespace ConfigActions
