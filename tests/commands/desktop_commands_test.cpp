#include "commands/desktop_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/scripted_ui.h"
#include "common/temp_dir.h"
#include "workspace/workspace.h"

namespace {

TEST(CheckFileAssociation, AsksUntilOkRegistersBothExtensions) {
    TempDir dir("pictavo-xdg");
    ConfigActions::XdgFolders xdg;
    xdg.configHome = dir.file("config");
    xdg.dataHome = dir.file("data");
    Workspace ws;
    ws.applicationFolder = "/opt/pictavo/";
    ws.setText("str_RegExt", "Open GPF files with Pictavo");

    ScriptedUi cancelled;
    CheckFileAssociation(ws, cancelled.answer(false), xdg);
    ASSERT_EQ(cancelled.messageTexts(), std::vector<std::string>{"Open GPF files with Pictavo?"});
    EXPECT_FALSE(std::filesystem::exists(dir.file("data")));

    ScriptedUi accepted;
    CheckFileAssociation(ws, accepted.answer(true), xdg);
    EXPECT_EQ(accepted.dialogs.size(), 1u);

    ScriptedUi next;
    CheckFileAssociation(ws, next, xdg);
    EXPECT_TRUE(next.dialogs.empty());
}

TEST(HelpAbout, EightLinesTitledWithTheAboutCaption) {
    Workspace ws;
    ws.setText("str_tnx", "Thanks to");
    ws.control("mnu_Help_About").caption = "About Pictavo";
    ScriptedUi ui;
    mnu_Help_About_Click(ws, ui);
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].title, "About Pictavo");
    std::vector<std::string> lines;
    std::string text = ui.dialogs[0].text + "\r";
    for (std::size_t end; (end = text.find('\r')) != std::string::npos; text.erase(0, end + 1)) {
        lines.push_back(text.substr(0, end));
    }
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "Thanks to:");
    EXPECT_EQ(lines[5], "");
}

}  // namespace
