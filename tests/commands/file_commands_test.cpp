#include "commands/file_commands.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "codec/bmp_writer.h"
#include "codec/gpf_file.h"
#include "commands/dialog_patterns.h"
#include "common/scripted_ui.h"
#include "common/temp_dir.h"
#include "workspace/workspace.h"

namespace {

// The command line is taken by its exact ending (every other path quoted),
// after the settings; the Open dialog, which offers both kinds without a
// preset name, takes its choice by the lowered last four characters. A
// picture file opened on its own is captioned with its name, no row selected.
TEST(OpenFile, CommandLineByItsExactEndingDialogByTheLoweredExtension) {
    using enum OpenDispatch;
    const std::string gpfInfo = "7 :: 1 x 1 :: 8bit :: uncompressed :: 1 bytes";
    const std::string bmpInfo = "1 x 1 :: 24bit";
    const std::string dialog =
        "open: Select File to open | FullFlash files (*.bin) | Graphic files "
        "(*.gpf;*.gpf2;*.bmp;*.gif;*.jpg;*.png) |  | ";
    const struct {
        std::string name;  ///< in a folder with blanks; "" for a file that is missing
        OpenDispatch commandLine;
        OpenDispatch dialog;
        std::string pictureInfo;  ///< what the preview shows after the dialog, after the name
    } cases[] = {
        {"x.bin", Fullflash, Fullflash, ""},
        {"y.bin", Fullflash, Fullflash, ""},
        {"x.BIN", Nothing, Fullflash, ""},
        {"x.Bin  ", Nothing, Fullflash, ""},
        {"x.gpf2", GraphicPatchFile, GraphicPatchFile, gpfInfo},
        {"x.gpf", GraphicPatchFile, GraphicPatchFile, gpfInfo},
        {"X.GPF2", Nothing, GraphicPatchFile, gpfInfo},
        {"x.jpg", PictureFile, PictureFile, bmpInfo},
        {"x.JPG", Nothing, PictureFile, bmpInfo},
        {"x.bmp", PictureFile, PictureFile, bmpInfo},
        {"x.txt", Nothing, Nothing, ""},
        {"noextension", Nothing, Nothing, ""},
        {"", Nothing, Nothing, ""},
    };
    DecodedPicture onePixel;
    onePixel.width = onePixel.height = 1;
    bool quoted = false;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string content(16, '\0');
        if (c.dialog == PictureFile) content = GPFcodec::BmpFileBytes(onePixel, false);
        if (c.dialog == GraphicPatchFile) {
            content =
                GPFcodec::PadToSixteen(GPFcodec::WriteGpfHeader({1, 1, 0x05, 7, true}) + "\xE0");
        }
        TempDir dir("pictavo dir with blanks");
        const std::string path = c.name.empty() ? dir.file("gone.txt") : dir.write(c.name, content);
        {
            Workspace ws;
            ScriptedUi ui;
            bool settingsFirst = false;
            StartupSteps steps;
            steps.loadSettings = [&](Workspace& w, Ui&) { settingsFirst = !w.isLoaded(); };
            quoted = !quoted;
            const std::string commandLine = quoted ? "\"" + path + "\"" : path;
            EXPECT_EQ(Startup(ws, ui, dir.path().string(), commandLine, steps), c.commandLine);
            EXPECT_TRUE(settingsFirst);
            EXPECT_TRUE(c.commandLine != Fullflash || ws.flash.file->path() == path);
        }
        Workspace ws;
        ws.setText("str_PlSel", "Select");
        ws.setText("str_4open", "to open");
        ScriptedUi ui;
        ui.choosePath(path);
        EXPECT_EQ(mnu_FileOpen_Click(ws, ui), c.dialog);
        EXPECT_EQ(ws.isLoaded(), c.dialog == Fullflash);
        EXPECT_EQ(ws.pictureInfo,
                  c.pictureInfo.empty() ? "" : CleanDialogPath(c.name) + " :: " + c.pictureInfo);
        EXPECT_FALSE(ws.selectedRow.has_value());
        std::vector<std::string> shown{dialog};
        if (c.name.empty()) shown.push_back("!\r" + path);
        EXPECT_EQ(ui.transcript(), shown);
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

}  // namespace
