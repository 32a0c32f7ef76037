#include "commands/desktop_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/scripted_ui.h"
#include "common/temp_dir.h"
#include "config/file_association.h"
#include "workspace/workspace.h"

namespace {

TEST(CheckFileAssociation, AsksUntilOkOrDoNotAskAgainAndTheButtonRegisters) {
    TempDir dir("pictavo-xdg");
    ConfigActions::XdgFolders xdg;
    xdg.configHome = dir.file("config");
    xdg.dataHome = dir.file("data");
    Workspace ws;
    ws.applicationFolder = "/opt/pictavo/";
    ws.programFiles.settingsFile = dir.file("Pictavo.ini");
    ws.setText("str_RegExt", "Open GPF files with Pictavo");

    ScriptedUi cancelled;
    CheckFileAssociation(ws, cancelled.answer(false), xdg);
    ASSERT_EQ(cancelled.messageTexts(), std::vector<std::string>{"Open GPF files with Pictavo?"});
    EXPECT_EQ(cancelled.dialogs[0].checkBox, "Do not ask again");
    EXPECT_FALSE(std::filesystem::exists(dir.file("data")));
    ConfigActions::XdgFolders other = xdg;
    other.configHome = dir.file("other-config");
    other.dataHome = dir.file("other-data");
    ScriptedUi accepted;
    CheckFileAssociation(ws, accepted.answer(true), other);
    EXPECT_EQ(ConfigActions::GetAssociatedCommand(".gpf", other),
              ConfigActions::OpenCommand("/opt/pictavo/pictavo"));

    ScriptedUi silenced;
    CheckFileAssociation(ws, silenced.answer(false, true), xdg);
    EXPECT_EQ(ReadWholeFile(dir.file("Pictavo.ini")), "AskFileAssociation=false\r\n");
    ScriptedUi quiet;
    CheckFileAssociation(ws, quiet, xdg);
    EXPECT_TRUE(quiet.dialogs.empty());

    ws.setText("str_Succes", "Done");
    ScriptedUi button;
    RegisterFileTypes(ws, button, xdg);
    EXPECT_EQ(button.messageTexts(), std::vector<std::string>{"Done"});
    EXPECT_TRUE(ws.settingsDialog.AskFileAssociation)
        << "asks again should another program take them";
    ScriptedUi next;
    CheckFileAssociation(ws, next, xdg);
    EXPECT_TRUE(next.dialogs.empty());
}

TEST(HelpAbout, LinesOfTheLanguageTitledWithTheAboutCaption) {
    Workspace ws;
    for (const auto& [key, text] : {std::pair{"str_AbCredit", "by us"},
                                    {"str_AbLicence", "GPL"},
                                    {"str_tnx", "Thanks to"},
                                    {"str_AbForums", "F"},
                                    {"str_AbViKlay", "V"},
                                    {"str_AbConv", "C"}}) {
        ws.setText(key, text);
    }
    ws.programFiles.readMeFile = "/r";
    ws.control("mnu_Help_About").caption = "About Pictavo";
    ScriptedUi ui;
    mnu_Help_About_Click(ws, ui);
    EXPECT_EQ(ui.transcript(),
              std::vector<std::string>{"Pictavo v1.2, by us\rGPL\rHelp: "
                                       "/r\r\rThanks to:\rF\r\rV\rC | About Pictavo"});
}

}  // namespace
