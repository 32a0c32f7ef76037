#include "commands/extract_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "codec/gpf_file.h"
#include "common/scripted_ui.h"
#include "common/temp_dir.h"
#include "workspace/workspace.h"

namespace {

using namespace std::string_literals;

struct Fixture {
    TempDir dir{"pictavo extract"};
    Workspace ws;
    ScriptedUi ui;
    // Two levels down, so that a name climbing out of it stays in the test's folder.
    std::string folder = dir.file("in/out") + "/";

    Fixture() {
        for (const auto& [key, text] : {std::pair{"str_PlSel", "Select"},
                                        {"str_4open", "to open"},
                                        {"str_4save", "to save"},
                                        {"str_cFold", "folder"},
                                        {"str_Succes", "Done"},
                                        {"str_fChan", "Replace"},
                                        {"str_faExi", "Exists"},
                                        {"str_fnExi", "Missing"}}) {
            ws.setText(key, text);
        }
        ws.control("mnu_File").caption = "File";
        std::filesystem::create_directories(folder);
    }
};

TEST(ExtractFromGraphPatch, AsksFileAndFolderAndSkipsADeclinedFile) {
    Fixture f;
    const std::string patch = f.dir.write(
        "p.vkp",
        "\r\n; ##### Picture 26 #####\r\n00100000: 0000000000000000 1010050000003AA0\r\n\r\n"
        "00300000: 0000 0102\r\n\r\n"
        "; ##### Picture 27 #####\r\n00100008: 0000000000000000 1010850000003AA0\r\n\r\n"
        "00300010: 00 03\r\n\r\n"
        "; ##### PNG Picture 6EA433 #####\r\n00600000: 0000 8950\r\n");
    f.dir.write("in/out/01A.gpf", "mine");
    f.ws.HEXFilename = true;
    f.ui.choosePath(patch).chooseFolder(f.folder).answer(false);
    mnu_Tools_ExtractFgrP_Click(f.ws, f.ui);

    EXPECT_EQ(f.ui.transcript(), (std::vector<std::string>{
                                     "open: Select File to open | ViKlay Patch File (*.vkp) |  | ",
                                     "folder: Select folder to save",
                                     "? " + f.folder + "01A.gpf\rReplace? | Exists!", "Done"}));
    EXPECT_EQ(FolderContents(f.folder),
              (std::map<std::string, std::string>{
                  {"01A.gpf", "mine"},
                  {"01B.gpf2", GPFcodec::PadToSixteen(
                                   GPFcodec::WriteGpfHeader({16, 16, 0x85, 27, false}) + "\x03")},
                  {"6EA433.png", "\x89P"}}));
    EXPECT_EQ(f.ws.am, 3);
}

TEST(ExtractFromGraphPatch, EndsWithAMessageOnBadInputOrFolder) {
    Fixture f;
    const std::string patch = f.dir.write("p.vkp",
                                          "; ##### Picture ../../escape #####\r\n"
                                          "00100000: 0000000000000000 1010050000003AA0\r\n\r\n");
    const std::string missing = f.dir.file("nothing.vkp");
    const std::string noFolder = f.dir.file("no such folder");

    f.ui.choosePath(missing);
    mnu_Tools_ExtractFgrP_Click(f.ws, f.ui);
    EXPECT_EQ(f.ui.messageTexts(), std::vector<std::string>{"Missing!\r" + missing});

    f.ui.dialogs.clear();
    f.ui.choosePath(patch).chooseFolder(noFolder);
    mnu_Tools_ExtractFgrP_Click(f.ws, f.ui);
    EXPECT_EQ(f.ui.messageTexts(),
              std::vector<std::string>{"Cannot write!\r" + noFolder + "/.._.._escape.gpf"});

    f.ui.dialogs.clear();
    f.ui.choosePath(patch).chooseFolder(f.folder);
    mnu_Tools_ExtractFgrP_Click(f.ws, f.ui);
    const auto files = FolderContents(f.folder);
    EXPECT_TRUE(files.size() == 1 && files.contains(".._.._escape.gpf"));
    EXPECT_FALSE(std::filesystem::exists(f.dir.file("escape.gpf")));

    f.ui.dialogs.clear();
    f.ui.choosePath(std::nullopt);
    mnu_Tools_ExtractFgrP_Click(f.ws, f.ui);
    f.ui.choosePath(patch).chooseFolder("");
    mnu_Tools_ExtractFgrP_Click(f.ws, f.ui);
    EXPECT_EQ(f.ui.dialogs.size(), 3u) << "two cancelled dialogs end the commands silently";
}

}  // namespace
