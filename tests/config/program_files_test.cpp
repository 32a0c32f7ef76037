#include "config/program_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/temp_dir.h"

using namespace ConfigActions;

namespace {

TEST(ProgramFiles, BesideTheProgramsUnlessInstalled) {
    TempDir dir;
    const std::string bin = dir.file("bin") + "/";
    std::filesystem::create_directories(bin);
    XdgFolders xdg;
    xdg.configHome = dir.file("config");

    const ProgramFiles build = LocateProgramFiles(bin, xdg);
    EXPECT_FALSE(build.installed);
    EXPECT_EQ(build.settingsFile, bin + "Pictavo.ini");
    EXPECT_EQ(build.languageFolders, std::vector<std::string>{bin});
    EXPECT_EQ(build.readMeFile, bin + "ReadMe.txt");

    std::filesystem::create_directories(dir.file("share/pictavo"));
    const ProgramFiles installed = LocateProgramFiles(bin, xdg);
    const std::string data = bin + "../share/pictavo/";
    EXPECT_TRUE(installed.installed);
    EXPECT_EQ(installed.settingsFile, xdg.configHome + "/pictavo/Pictavo.ini");
    EXPECT_EQ(installed.initialSettingsFile, data + "Pictavo.ini");
    EXPECT_EQ(installed.languageFolders,
              (std::vector<std::string>{xdg.configHome + "/pictavo/", data}));
    EXPECT_EQ(installed.readMeFile, data + "ReadMe.txt");
}

}  // namespace
