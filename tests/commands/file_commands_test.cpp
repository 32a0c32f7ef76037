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

// The command line is taken by its exact ending, the Open dialog's choice by
// its lowered last four characters.
TEST(Startup, CommandLineDispatchesByCaseSensitiveEnding) {
    const struct {
        std::string name;  // file created in a folder with blanks
        bool quoted;
        OpenDispatch expected;
    } cases[] = {
        {"x.bin", true, OpenDispatch::Fullflash},
        {"x.bin", false, OpenDispatch::Fullflash},
        {"x.BIN", false, OpenDispatch::Nothing},
        {"x.gpf2", false, OpenDispatch::GraphicPatchFile},
        {"x.gpf", true, OpenDispatch::GraphicPatchFile},
        {"x.GPF", false, OpenDispatch::Nothing},
        {"x.jpg", true, OpenDispatch::PictureFile},
        {"x.JPG", false, OpenDispatch::Nothing},
        {"x.txt", false, OpenDispatch::Nothing},
    };
    for (const auto& c : cases) {
        TempDir dir("pictavo dir with blanks");
        const std::string path = dir.write(c.name, std::string(64, '\0'));
        Workspace ws;
        ScriptedUi ui;
        EXPECT_EQ(Startup(ws, ui, dir.path().string(), c.quoted ? "\"" + path + "\"" : path),
                  c.expected)
            << c.name;
        const bool loads = c.expected == OpenDispatch::Fullflash;
        EXPECT_EQ(ws.isLoaded(), loads) << c.name;
        EXPECT_EQ(ws.control("mnu_FileClose").enabled, loads) << c.name;
        EXPECT_TRUE(!loads || ws.flash.file->path() == path) << c.name;
    }
}

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

TEST(Startup, LoadsTheSettingsBeforeTheCommandLine) {
    TempDir dir;
    bool loadedFirst = false;
    StartupSteps steps;
    steps.loadSettings = [&](Workspace& ws, Ui&) { loadedFirst = !ws.isLoaded(); };
    Workspace ws;
    ScriptedUi ui;
    Startup(ws, ui, dir.path().string(), dir.write("a.bin", "x"), steps);
    EXPECT_TRUE(loadedFirst);
    EXPECT_TRUE(ws.isLoaded());
}

TEST(CommandLinePath, StripsSurroundingQuotesAndOpenExtensionLowersTheLastFour) {
    EXPECT_EQ(CommandLinePath("\"/a b/x.bin\""), "/a b/x.bin");
    EXPECT_EQ(CommandLinePath("/a/x.bin"), "/a/x.bin");
    EXPECT_EQ(CommandLinePath("\""), "");
    EXPECT_EQ(CommandLinePath("\"\""), "");
    EXPECT_EQ(OpenExtension("/x/PIC.GPF2"), "gpf2");
    EXPECT_EQ(OpenExtension("/x/PIC.Bin   "), ".bin");
    EXPECT_EQ(OpenExtension(std::string("/x/a.png\0\0", 10)), ".png");
    EXPECT_EQ(OpenExtension("ab"), "ab");
}

TEST(FileOpen, DispatchesByLoweredExtension) {
    const std::string gpfInfo = "7 :: 1 x 1 :: 8bit :: uncompressed :: 1 bytes";
    const struct {
        std::string name;
        OpenDispatch expected;
        std::string pictureInfo;  ///< what the preview shows afterwards
    } cases[] = {
        {"PIC.GPF2", OpenDispatch::GraphicPatchFile, gpfInfo},
        {"pic.gpf", OpenDispatch::GraphicPatchFile, gpfInfo},
        {"FLASH.BIN", OpenDispatch::Fullflash, ""},
        {"a.JPG", OpenDispatch::PictureFile, "1 x 1 :: 24bit"},
        {"a.bmp", OpenDispatch::PictureFile, "1 x 1 :: 24bit"},
        {"PIC.TXT", OpenDispatch::Nothing, ""},
        {"noextension", OpenDispatch::Nothing, ""},
    };
    DecodedPicture onePixel;
    onePixel.width = onePixel.height = 1;
    for (const auto& c : cases) {
        std::string content(16, '\0');
        if (c.expected == OpenDispatch::PictureFile)
            content = GPFcodec::BmpFileBytes(onePixel, false);
        if (c.expected == OpenDispatch::GraphicPatchFile) {
            content =
                GPFcodec::PadToSixteen(GPFcodec::WriteGpfHeader({1, 1, 0x05, 7, true}) + "\xE0");
        }
        TempDir dir;
        Workspace ws;
        ScriptedUi ui;
        ui.choosePath(dir.write(c.name, content));
        EXPECT_EQ(mnu_FileOpen_Click(ws, ui), c.expected) << c.name;
        EXPECT_EQ(ws.isLoaded(), c.expected == OpenDispatch::Fullflash) << c.name;
        EXPECT_EQ(ws.pictureInfo, c.pictureInfo) << c.name;
    }
}

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
}

}  // namespace
