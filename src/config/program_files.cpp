#include "config/program_files.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "config/settings_file.h"

namespace ConfigActions {

namespace {

bool isFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

}  // namespace

ProgramFiles LocateProgramFiles(const std::string& programFolder, const XdgFolders& xdg) {
    // Set by the build: the installed data folder as seen from the installed programs.
    const std::string dataFolder = programFolder + PICTAVO_DATA_FROM_BIN "/";
    ProgramFiles files;
    files.installed = isFolder(dataFolder) || ::access(programFolder.c_str(), W_OK) != 0;
    if (!files.installed) {
        files.settingsFile = programFolder + std::string(kSettingsFileName);
        files.languageFolders = {programFolder};
        files.readMeFile = programFolder + "ReadMe.txt";
        files.icon = programFolder + "pictavo.svg";
        return files;
    }
    const std::string configFolder =
        xdg.configHome.empty() ? programFolder : xdg.configHome + "/pictavo/";
    files.settingsFile = configFolder + std::string(kSettingsFileName);
    files.initialSettingsFile = dataFolder + std::string(kSettingsFileName);
    files.languageFolders = {configFolder, dataFolder};
    files.readMeFile = dataFolder + "ReadMe.txt";
    files.icon = "pictavo";
    return files;
}

}  // namespace ConfigActions
