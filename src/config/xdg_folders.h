#pragma once
// The freedesktop.org base folders: where per-user configuration and data
// live, and the system folders searched after them.

#include <string>
#include <vector>

namespace ConfigActions {

struct XdgFolders {
    std::string configHome;               ///< $XDG_CONFIG_HOME, else ~/.config
    std::string dataHome;                 ///< $XDG_DATA_HOME, else ~/.local/share
    std::vector<std::string> configDirs;  ///< $XDG_CONFIG_DIRS, else /etc/xdg
    std::vector<std::string> dataDirs;    ///< $XDG_DATA_DIRS, else /usr/local/share, /usr/share
    std::vector<std::string> desktops;    ///< $XDG_CURRENT_DESKTOP, lower case

    /// The folders the environment names, with the standard defaults for
    /// variables that are unset, empty or not absolute. Without $HOME the
    /// per-user folders stay empty.
    [[nodiscard]] static XdgFolders fromEnvironment();
};

}  // namespace ConfigActions
