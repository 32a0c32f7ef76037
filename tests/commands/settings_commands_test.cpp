#include "commands/settings_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/scripted_ui.h"
#include "common/temp_dir.h"
#include "workspace/workspace.h"

namespace {

constexpr const char* kDefaults =
    "nConvert=\r\nLanguage=\r\nTransparency=true\r\nCompressGPF=false\r\n"
    "DefaultGPF2=false\r\nZeroFilename=true\r\nHEXFilename=false\r\n";

/// A program folder of its own; `ws` looks for its files there.
struct ProgramFolder {
    TempDir dir;
    Workspace ws;
    ScriptedUi ui;

    ProgramFolder() { ws.applicationFolder = dir.path().string() + "/"; }
    [[nodiscard]] std::string settings() const { return ReadWholeFile(dir.file("Pictavo.ini")); }
    [[nodiscard]] std::vector<std::string> recentEntries() const {
        std::vector<std::string> shown;
        for (const char* name : {"mnu_File_MRU1", "mnu_File_MRU2", "mnu_File_MRU3"}) {
            if (ws.control(name).visible) shown.push_back(ws.control(name).caption);
        }
        return shown;
    }
};

// The language's texts compose with those of the load before; a last line
// without its line end gets one before the recent files; the settings are
// saved with the language the window holds.
TEST(LoadSettings, FillsTheDialogAndTheWindowAndSavesWhatTheWindowHolds) {
    ProgramFolder p;
    p.dir.write("Pictavo.ini",
                "nConvert=/opt/conv\r\nLanguage=Test\r\nTransparency=false\r\nCompressGPF=true\r\n"
                "DefaultGPF2=true\r\nZeroFilename=false\r\nHEXFilename=true\r\nMRU2=/b.bin");
    p.dir.write("Test.lng", "cap_mnTsf=Extract\r\nstr_all=all\r\n");
    LoadSettings(p.ws, p.ui);
    EXPECT_EQ(p.ws.settingsDialog,
              (ConfigActions::SettingsValues{"/opt/conv", "Test", false, true, true, false, true}));
    EXPECT_EQ(p.ws.nConvert, "/opt/conv");
    EXPECT_EQ(p.ws.Language, "Test");
    EXPECT_FALSE(p.ws.transparency);
    EXPECT_TRUE(p.ws.cmpGPF && p.ws.defGPF2 && p.ws.HEXFilename && !p.ws.ZeroFilename);
    EXPECT_EQ(p.recentEntries(), std::vector<std::string>{"/b.bin"});
    EXPECT_EQ(p.ws.control("mnu_Tools_FindGIF").caption, "Extract GIF ()");
    LoadSettings(p.ws, p.ui);
    EXPECT_EQ(p.ws.control("mnu_Tools_FindGIF").caption, "Extract GIF (all)");

    AddRecentFile(p.ws, "/c.bin");
    EXPECT_TRUE(p.settings().ends_with("MRU2=/b.bin\r\nMRU1=/c.bin\r\nMRU2=/b.bin\r\n"));
    p.ws.Language = "Other";
    ASSERT_TRUE(SaveSettings(p.ws, p.ui));
    EXPECT_NE(p.settings().find("\r\nLanguage=Other\r\n"), std::string::npos);
}

TEST(LoadSettings, UnusableFileIsReportedOnceAndANewUserStartsFromTheShippedFile) {
    ProgramFolder unreadable;
    std::filesystem::create_directory(unreadable.dir.file("Pictavo.ini"));
    LoadSettings(unreadable.ws, unreadable.ui);
    ASSERT_EQ(unreadable.ui.dialogs.size(), 1u);
    EXPECT_TRUE(unreadable.ui.dialogs[0].text.starts_with("Cannot read the settings"));
    EXPECT_TRUE(std::filesystem::is_directory(unreadable.dir.file("Pictavo.ini")));
    EXPECT_TRUE(unreadable.ws.transparency);

    ProgramFolder unwritable;
    unwritable.ws.programFiles.settingsFile = unwritable.dir.write("file", "x") + "/Pictavo.ini";
    LoadSettings(unwritable.ws, unwritable.ui);
    ASSERT_EQ(unwritable.ui.dialogs.size(), 1u);
    EXPECT_TRUE(unwritable.ui.dialogs[0].text.starts_with("Cannot write the settings"));
    EXPECT_TRUE(unwritable.ws.ZeroFilename);

    ProgramFolder installed;
    installed.ws.programFiles.settingsFile = installed.dir.file("Pictavo.ini");
    installed.ws.programFiles.initialSettingsFile =
        installed.dir.write("shipped.ini", "Transparency=false\r\n");
    LoadSettings(installed.ws, installed.ui);
    EXPECT_EQ(installed.settings(), "Transparency=false\r\n");
    EXPECT_FALSE(installed.ws.transparency);
}

// A first start writes the seven default lines; each load appends its block.
// An entry opens only when its file is there.
TEST(RecentFiles, AppendedBlocksLastLineWinsSaveWritesCleanAndEntriesOpen) {
    ProgramFolder p;
    LoadSettings(p.ws, p.ui);
    EXPECT_TRUE(p.ui.dialogs.empty());
    for (const char* path : {"/a.bin", "/b.bin", "/a.bin"}) AddRecentFile(p.ws, path);
    EXPECT_EQ(p.settings(), std::string(kDefaults) +
                                "MRU1=/a.bin\r\n"
                                "MRU1=/b.bin\r\nMRU2=/a.bin\r\n"
                                "MRU1=/a.bin\r\nMRU2=/b.bin\r\n");

    ProgramFolder reloaded;
    reloaded.dir.write("Pictavo.ini", p.settings());
    LoadSettings(reloaded.ws, reloaded.ui);
    EXPECT_EQ(reloaded.recentEntries(), (std::vector<std::string>{"/a.bin", "/b.bin"}));

    ASSERT_TRUE(SaveSettings(p.ws, p.ui));
    EXPECT_EQ(p.settings(), std::string(kDefaults) + "MRU1=/a.bin\r\nMRU2=/b.bin\r\n");

    const std::string gone = p.dir.file("gone.bin");
    for (const std::string& path : {p.dir.write("x.bin", "x"), p.dir.file("b.bin"), gone})
        AddRecentFile(p.ws, path);
    const std::string before = p.settings();
    mnu_File_MRU_Click(p.ws, p.ui, 1);
    EXPECT_FALSE(p.ws.isLoaded()) << "a missing file does nothing";
    EXPECT_EQ(p.recentEntries().front(), gone);
    EXPECT_EQ(p.settings(), before);
    mnu_File_MRU_Click(p.ws, p.ui, 3);
    EXPECT_TRUE(p.ws.isLoaded());
    EXPECT_TRUE(p.ui.dialogs.empty());
}

// The folders file dialogs start in live under keys of our own: one line per
// kind, kept by a full rewrite and read back by the next start.
TEST(RememberDialogFolder, OneLinePerKindThroughLoadAndSave) {
    ProgramFolder p;
    LoadSettings(p.ws, p.ui);
    RememberDialogFolder(p.ws, "FolderOfPatches", "/a b");
    RememberDialogFolder(p.ws, "FolderOfFullflashes", "/flash");
    RememberDialogFolder(p.ws, "FolderOfPatches", "/c");
    EXPECT_EQ(p.settings(),
              std::string(kDefaults) + "FolderOfFullflashes=/flash\r\nFolderOfPatches=/c\r\n");

    ASSERT_TRUE(SaveSettings(p.ws, p.ui));
    ProgramFolder again;
    again.ws.applicationFolder = p.ws.applicationFolder;
    LoadSettings(again.ws, again.ui);
    EXPECT_EQ(again.ws.dialogFolders,
              (ConfigActions::DialogFolders{{"FolderOfFullflashes", "/flash"},
                                            {"FolderOfPatches", "/c"}}));
    EXPECT_EQ(again.ws.settingsDialog, ConfigActions::SettingsValues{})
        << "the settings read as before";
}

}  // namespace
