#include "config/xdg_folders.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string_view>

namespace ConfigActions {

namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::vector<std::string> splitList(std::string_view list) {
    std::vector<std::string> items;
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        std::string_view item = list.substr(0, colon);
        if (!item.empty()) items.emplace_back(item);
        if (colon == std::string_view::npos) break;
        list.remove_prefix(colon + 1);
    }
    return items;
}

/// Relative entries are to be ignored.
std::vector<std::string> absoluteFolders(const char* name,
                                         const std::vector<std::string>& defaults) {
    std::vector<std::string> folders = splitList(variable(name));
    std::erase_if(folders, [](const std::string& folder) { return folder.front() != '/'; });
    if (folders.empty()) return defaults;
    return folders;
}

std::string homeFolder(const char* name, const std::string& home, const char* underHome) {
    std::string value = variable(name);
    if (!value.empty() && value.front() == '/') return value;
    return home.empty() ? std::string() : home + underHome;
}

}  // namespace

XdgFolders XdgFolders::fromEnvironment() {
    std::string home = variable("HOME");
    if (!home.empty() && home.front() != '/') home.clear();
    XdgFolders folders;
    folders.configHome = homeFolder("XDG_CONFIG_HOME", home, "/.config");
    folders.dataHome = homeFolder("XDG_DATA_HOME", home, "/.local/share");
    folders.configDirs = absoluteFolders("XDG_CONFIG_DIRS", {"/etc/xdg"});
    folders.dataDirs = absoluteFolders("XDG_DATA_DIRS", {"/usr/local/share", "/usr/share"});
    for (std::string desktop : splitList(variable("XDG_CURRENT_DESKTOP"))) {
        std::transform(desktop.begin(), desktop.end(), desktop.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        folders.desktops.push_back(std::move(desktop));
    }
    return folders;
}

}  // namespace ConfigActions
