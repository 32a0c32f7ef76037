#include "commands/file_commands.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "codec/bmp_writer.h"
#include "codec/gpf_file.h"
#include "common/scripted_ui.h"
#include "common/temp_dir.h"
#include "workspace/workspace.h"

namespace {

struct CommandLineCase {
    std::string name;         // file created in a folder with blanks
    bool quoted;
    OpenDispatch expected;
    bool loads;
};

class StartupCommandLine : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(StartupCommandLine, DispatchesByCaseSensitiveEnding) {
    const CommandLineCase& c = GetParam();
    TempDir dir("pictavo dir with blanks");
    const std::string path = dir.write(c.name, std::string(64, '\0'));
    const std::string line = c.quoted ? "\"" + path + "\"" : path;

    Workspace ws;
    ScriptedUi ui;
    EXPECT_EQ(Startup(ws, ui, dir.path().string(), line), c.expected);
    EXPECT_EQ(ws.isLoaded(), c.loads);
    EXPECT_EQ(ws.control("mnu_FileClose").enabled, c.loads);
    if (c.loads) {
        EXPECT_EQ(ws.flash.file->path(), path);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, StartupCommandLine,
    ::testing::Values(CommandLineCase{"x.bin", true, OpenDispatch::Fullflash, true},
                      CommandLineCase{"x.bin", false, OpenDispatch::Fullflash, true},
                      CommandLineCase{"x.BIN", false, OpenDispatch::Nothing, false},
                      CommandLineCase{"x.gpf2", false, OpenDispatch::GraphicPatchFile, false},
                      CommandLineCase{"x.gpf", true, OpenDispatch::GraphicPatchFile, false},
                      CommandLineCase{"x.GPF", false, OpenDispatch::Nothing, false},
                      CommandLineCase{"x.jpg", true, OpenDispatch::PictureFile, false},
                      CommandLineCase{"x.JPG", false, OpenDispatch::Nothing, false},
                      CommandLineCase{"x.txt", false, OpenDispatch::Nothing, false}));

TEST(Startup, SetsFoldersAndDeletesTheFixedTemporaryFiles) {
    TempDir temp;
    TempDir program;
    const char* saved = std::getenv("TMP");
    const std::string keep = saved ? saved : "";
    ::setenv("TMP", temp.path().c_str(), 1);
    for (auto name : kTemporaryFiles) temp.write(std::string(name), "old");
    temp.write("0001.gpf2", "staged");

    Workspace ws;
    ScriptedUi ui;
    EXPECT_EQ(Startup(ws, ui, program.path().string(), ""), OpenDispatch::Nothing);
    saved ? ::setenv("TMP", keep.c_str(), 1) : ::unsetenv("TMP");

    EXPECT_EQ(ws.applicationFolder, program.path().string() + "/");
    EXPECT_EQ(ws.tempFolder, temp.path().string());
    for (auto name : kTemporaryFiles) {
        EXPECT_FALSE(std::filesystem::exists(temp.file(std::string(name)))) << name;
    }
    EXPECT_TRUE(std::filesystem::exists(temp.file("0001.gpf2"))) << "only the fixed files go";
    EXPECT_TRUE(ui.dialogs.empty());
}

TEST(Startup, RunsSettingsThenAssociationBeforeTheCommandLine) {
    TempDir dir;
    std::vector<std::string> order;
    StartupSteps steps;
    steps.loadSettings = [&](Workspace&, Ui&) { order.push_back("settings"); };
    steps.checkAssociation = [&](Workspace& ws, Ui&) {
        order.push_back(ws.isLoaded() ? "association after load" : "association");
    };
    Workspace ws;
    ScriptedUi ui;
    Startup(ws, ui, dir.path().string(), dir.write("a.bin", "x"), steps);
    EXPECT_EQ(order, (std::vector<std::string>{"settings", "association"}));
    EXPECT_TRUE(ws.isLoaded());
}

TEST(CommandLinePath, StripsSurroundingQuotes) {
    EXPECT_EQ(CommandLinePath("\"/a b/x.bin\""), "/a b/x.bin");
    EXPECT_EQ(CommandLinePath("/a/x.bin"), "/a/x.bin");
    EXPECT_EQ(CommandLinePath("\""), "");
    EXPECT_EQ(CommandLinePath("\"\""), "");
}

TEST(OpenExtension, LastFourCharactersLowered) {
    EXPECT_EQ(OpenExtension("/x/PIC.GPF2"), "gpf2");
    EXPECT_EQ(OpenExtension("/x/PIC.Bin   "), ".bin");
    EXPECT_EQ(OpenExtension(std::string("/x/a.png\0\0", 10)), ".png");
    EXPECT_EQ(OpenExtension("ab"), "ab");
}

struct OpenCase {
    std::string name;
    OpenDispatch expected;
    std::string pictureInfo;  ///< what the preview shows afterwards
};

class FileOpen : public ::testing::TestWithParam<OpenCase> {};

TEST_P(FileOpen, DispatchesByLoweredExtension) {
    const OpenCase& c = GetParam();
    DecodedPicture onePixel;
    onePixel.width = onePixel.height = 1;
    std::string content(16, '\0');
    if (c.expected == OpenDispatch::PictureFile) content = GPFcodec::BmpFileBytes(onePixel, false);
    if (c.expected == OpenDispatch::GraphicPatchFile) {
        content = GPFcodec::PadToSixteen(GPFcodec::WriteGpfHeader({1, 1, 0x05, 7, true}) + "\xE0");
    }
    TempDir dir;
    Workspace ws;
    ScriptedUi ui;
    ui.choosePath(dir.write(c.name, content));
    EXPECT_EQ(mnu_FileOpen_Click(ws, ui), c.expected);
    EXPECT_EQ(ws.isLoaded(), c.expected == OpenDispatch::Fullflash);
    EXPECT_EQ(ws.pictureInfo, c.pictureInfo);
}

INSTANTIATE_TEST_SUITE_P(
    Extensions, FileOpen,
    ::testing::Values(
        OpenCase{"PIC.GPF2", OpenDispatch::GraphicPatchFile, "7 :: 1 x 1 :: 8bit :: uncompressed :: 1 bytes"},
        OpenCase{"pic.gpf", OpenDispatch::GraphicPatchFile, "7 :: 1 x 1 :: 8bit :: uncompressed :: 1 bytes"},
        OpenCase{"FLASH.BIN", OpenDispatch::Fullflash, ""},
        OpenCase{"a.JPG", OpenDispatch::PictureFile, "1 x 1 :: 24bit"},
        OpenCase{"a.bmp", OpenDispatch::PictureFile, "1 x 1 :: 24bit"},
        OpenCase{"PIC.TXT", OpenDispatch::Nothing, ""},
        OpenCase{"noextension", OpenDispatch::Nothing, ""}));

TEST(FileOpen, DialogHasTitleFiltersAndNoPresetName) {
    Workspace ws;
    ws.setText("str_PlSel", "Select");
    ws.setText("str_4open", "to open");
    ScriptedUi ui;
    ui.choosePath(std::nullopt);
    EXPECT_EQ(mnu_FileOpen_Click(ws, ui), OpenDispatch::Nothing);
    ASSERT_EQ(ui.dialogs.size(), 1u);
    const FileDialogRequest& request = ui.dialogs[0].request;
    EXPECT_EQ(request.title, "Select File to open");
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0].description, "FullFlash files (*.bin)");
    EXPECT_EQ(request.filters[0].pattern, "*.bin");
    EXPECT_EQ(request.filters[1].description,
              "Graphic files (*.gpf;*.gpf2;*.bmp;*.gif;*.jpg;*.png)");
    EXPECT_EQ(request.filters[1].pattern, "*.gpf;*.gpf2;*.bmp;*.gif;*.jpg;*.png");
    EXPECT_TRUE(request.initialName.empty());
    EXPECT_TRUE(request.initialFolder.empty()) << "the current directory";
}

TEST(FileOpen, MissingFileMessageAndNothingElse) {
    TempDir dir;
    const std::string path = dir.file("gone.bin");
    Workspace ws;
    ScriptedUi ui;
    ui.choosePath(path);
    EXPECT_EQ(mnu_FileOpen_Click(ws, ui), OpenDispatch::Nothing);
    ASSERT_EQ(ui.dialogs.size(), 2u);
    EXPECT_EQ(ui.dialogs[1].text, "!\r" + path);
    EXPECT_EQ(ui.dialogs[1].title, "");
    EXPECT_EQ(ui.dialogs[1].buttons, MessageButtons::Ok);
    EXPECT_FALSE(ws.isLoaded());

    ws.setText("str_fnExi", "File not found");
    ui.choosePath(path);
    mnu_FileOpen_Click(ws, ui);
    EXPECT_EQ(ui.dialogs.back().text, "File not found!\r" + path);
}

}  // namespace
