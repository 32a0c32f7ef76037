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
        bool settingsFirst = false;
        StartupSteps steps;
        steps.loadSettings = [&](Workspace& w, Ui&) { settingsFirst = !w.isLoaded(); };
        EXPECT_EQ(Startup(ws, ui, dir.path().string(), c.quoted ? "\"" + path + "\"" : path, steps),
                  c.expected)
            << c.name;
        EXPECT_TRUE(settingsFirst) << "the settings load before the command line";
        const bool loads = c.expected == OpenDispatch::Fullflash;
        EXPECT_EQ(ws.isLoaded(), loads) << c.name;
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

// The Open dialog offers both kinds without a preset name; its choice is
// taken by its lowered extension.
TEST(FileOpen, DispatchesByLoweredExtension) {
    const std::string gpfInfo = "7 :: 1 x 1 :: 8bit :: uncompressed :: 1 bytes";
    const std::string dialog =
        "open: Select File to open | FullFlash files (*.bin) | Graphic files "
        "(*.gpf;*.gpf2;*.bmp;*.gif;*.jpg;*.png) |  | ";
    const struct {
        std::string name;  ///< "" for a file that is missing
        OpenDispatch expected;
        std::string pictureInfo;  ///< what the preview shows afterwards
    } cases[] = {
        {"PIC.GPF2", OpenDispatch::GraphicPatchFile, gpfInfo},
        {"pic.gpf", OpenDispatch::GraphicPatchFile, gpfInfo},
        {"FLASH.BIN", OpenDispatch::Fullflash, ""},
        {"flash.Bin  ", OpenDispatch::Fullflash, ""},
        {"a.JPG", OpenDispatch::PictureFile, "1 x 1 :: 24bit"},
        {"a.bmp", OpenDispatch::PictureFile, "1 x 1 :: 24bit"},
        {"PIC.TXT", OpenDispatch::Nothing, ""},
        {"noextension", OpenDispatch::Nothing, ""},
        {"", OpenDispatch::Nothing, ""},
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
        ws.setText("str_PlSel", "Select");
        ws.setText("str_4open", "to open");
        ScriptedUi ui;
        const std::string path = c.name.empty() ? dir.file("gone.bin") : dir.write(c.name, content);
        ui.choosePath(path);
        EXPECT_EQ(mnu_FileOpen_Click(ws, ui), c.expected) << c.name;
        EXPECT_EQ(ws.isLoaded(), c.expected == OpenDispatch::Fullflash) << c.name;
        EXPECT_EQ(ws.pictureInfo, c.pictureInfo) << c.name;
        std::vector<std::string> shown{dialog};
        if (c.name.empty()) shown.push_back("!\r" + path);
        EXPECT_EQ(ui.transcript(), shown) << c.name;
    }
}

}  // namespace
