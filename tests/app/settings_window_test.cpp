#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/form1.h"
#include "app/form2.h"
#include "app/named_child.h"
#include "app/tiny_flash.h"
#include "commands/settings_commands.h"
#include "common/scripted_ui.h"
#include "common/temp_dir.h"

namespace {

TEST(SettingsWindow, StartupShowsLanguageCaptionsAndRecentFiles) {
    TempDir dir;
    dir.write("Pictavo.ini", "Language=Test\r\n");
    dir.write("Test.lng", "str_all=all\r\ncap_mnSBMP=Save as BMP\r\ncap_TrCh=Transparency\r\n");
    const std::string flash = dir.write("f.bin", TinySGoldFlash(2));
    Form1 window(dir.path().string(), flash);

    EXPECT_EQ(window.menuAction("mnu_PopupPictures_SaveAsBMPs")->text().remove(QLatin1Char('&')),
              "Save as BMP (all)");
    EXPECT_EQ(NamedChild<QCheckBox>(window, "TransCheck")->text(), "Transparency");
    EXPECT_TRUE(window.menuAction("mnu_File_MRU1")->isVisible());
    EXPECT_EQ(window.menuAction("mnu_File_MRU1")->text().toStdString(), flash);
    EXPECT_EQ(ReadWholeFile(dir.file("Pictavo.ini")), "Language=Test\r\nMRU1=" + flash + "\r\n");
}

struct SettingsDialog {
    TempDir dir;
    Form1 window{dir.path().string(), ""};
    ScriptedUi ui;
    int applied = 0;
    Form2 dialog{window.workspace(), ui,
                 [this] {
                     ++applied;
                     window.refreshFromWorkspace();
                 },
                 &window};

    [[nodiscard]] std::string settings() const { return ReadWholeFile(dir.file("Pictavo.ini")); }
};

TEST(SettingsWindow, CancelKeepsFileAndFlags) {
    SettingsDialog s;
    const std::string before = s.settings();
    EXPECT_EQ(s.dialog.windowTitle(), "Settings");
    EXPECT_EQ(NamedChild<QGroupBox>(s.dialog, "Frame1")->title(), "Language file");
    auto* apply = NamedChild<QPushButton>(s.dialog, "Command3");
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_TRUE(NamedChild<QCheckBox>(s.dialog, "Check1")->isChecked());

    NamedChild<QCheckBox>(s.dialog, "Check2")->click();
    EXPECT_TRUE(apply->isEnabled());
    NamedChild<QPushButton>(s.dialog, "Command4")->click();
    EXPECT_EQ(s.settings(), before);
    EXPECT_FALSE(s.window.workspace().cmpGPF);
    EXPECT_EQ(s.applied, 0);
}

TEST(SettingsWindow, OkRewritesTheFileAndSetsTheFlags) {
    SettingsDialog s;
    s.dialog.show();
    AddRecentFile(s.window.workspace(), "/a.bin");
    AddRecentFile(s.window.workspace(), "/b.bin");
    NamedChild<QCheckBox>(s.dialog, "Check5")->click();
    NamedChild<QLineEdit>(s.dialog, "Text1")->setText("/opt/conv");
    NamedChild<QPushButton>(s.dialog, "Command2")->click();

    EXPECT_EQ(s.settings(),
              "nConvert=/opt/conv\r\nLanguage=\r\nTransparency=true\r\nCompressGPF=false\r\n"
              "DefaultGPF2=false\r\nZeroFilename=true\r\nHEXFilename=true\r\n"
              "MRU1=/b.bin\r\nMRU2=/a.bin\r\n");
    EXPECT_TRUE(s.window.workspace().HEXFilename);
    EXPECT_EQ(s.window.workspace().nConvert, "/opt/conv");
    EXPECT_EQ(s.applied, 1);
    EXPECT_FALSE(s.dialog.isVisible());
}

TEST(SettingsWindow, ConverterBrowseTakesOnlyAnExistingFile) {
    SettingsDialog s;
    auto* converter = NamedChild<QLineEdit>(s.dialog, "Text1");
    s.ui.choosePath(s.dir.file("gone"));
    NamedChild<QPushButton>(s.dialog, "Command5")->click();
    EXPECT_EQ(s.ui.messageTexts(), std::vector<std::string>{"!\r" + s.dir.file("gone")});
    EXPECT_EQ(converter->text(), "");

    const std::string program = s.dir.write("pictavo-convert", "");
    s.ui.choosePath(program + "  ");
    NamedChild<QPushButton>(s.dialog, "Command5")->click();
    EXPECT_EQ(converter->text().toStdString(), program);
    EXPECT_TRUE(NamedChild<QPushButton>(s.dialog, "Command3")->isEnabled());
}

TEST(SettingsWindow, BrowsedLanguageLoadsFromTheProgramFolderOnApply) {
    SettingsDialog s;
    TempDir elsewhere;
    s.dir.write("German.lng", "cap_mnSett=Einstellungen\r\ncap_btnApl=Anwenden\r\n");
    s.ui.choosePath(elsewhere.write("German.lng", ""));
    NamedChild<QPushButton>(s.dialog, "Command1")->click();
    EXPECT_EQ(NamedChild<QLineEdit>(s.dialog, "Text2")->text(), "German");
    EXPECT_EQ(s.ui.dialogs.back().kind, RecordedDialog::Kind::OpenFile)
        << "an existing file is chosen in an Open dialog";

    NamedChild<QPushButton>(s.dialog, "Command3")->click();
    EXPECT_EQ(s.window.menuAction("mnu_Settings")->text().remove(QLatin1Char('&')),
              "Einstellungen");
    EXPECT_EQ(s.dialog.windowTitle(), "Einstellungen");
    EXPECT_EQ(NamedChild<QPushButton>(s.dialog, "Command3")->text(), "Anwenden");
    EXPECT_FALSE(NamedChild<QPushButton>(s.dialog, "Command3")->isEnabled());
    EXPECT_TRUE(s.settings().find("Language=German\r\n") != std::string::npos);
}

}  // namespace
