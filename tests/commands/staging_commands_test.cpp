#include "commands/staging_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "codec/gpf_file.h"
#include "commands/gpf_commands.h"
#include "commands/preview_commands.h"
#include "common/loaded_workspace.h"
#include "picture_io/picture_files.h"

namespace {

using namespace std::string_literals;

FlashBuilder elevenPictures() {
    FlashBuilder flash;
    for (int i = 0; i < 11; ++i) flash.addPicture(1, 1, 0x05, "\x1C");
    return flash;
}

/// A GPF2 source of 2 x 1 8-bit pixels.
std::string source(const std::string& pixels) {
    return GPFcodec::PadToSixteen(GPFcodec::WriteGpfHeader({2, 1, 0x05, 99, true}) + pixels);
}

/// The header of a staging file: type code and picture number.
std::pair<int, int> stagedCodeAndNumber(const LoadedWorkspace& t, int number) {
    const std::string staged =
        ReadWholeFile(StagingFilePath(t.ws, static_cast<std::size_t>(number)));
    ByteCursor in({reinterpret_cast<const std::uint8_t*>(staged.data()), staged.size()});
    const auto header = GPFcodec::ParseGpfHeader(in);
    if (!header) return {-1, -1};
    return {header->typeCode, header->pictureNumber};
}

/// What staging `sourceFile` with `code` for picture `number` must write.
std::string stagingOf(const std::string& sourceFile, int code, int number) {
    Workspace scratch;
    ScriptedUi quiet;
    ShowGpfBytes(scratch, quiet,
                 {reinterpret_cast<const std::uint8_t*>(sourceFile.data()), sourceFile.size()});
    scratch.picture.pictureNumber = static_cast<std::int16_t>(number);
    return GPFcodec::GpfFileBytes(scratch.picture, code, true);
}

// The row's name is offered; a GPF or an outside picture is staged at the
// chosen depth and marks the row; 1 bit is only staged uncompressed.
TEST(LoadReplacementPicture, OffersTheNameAndStagesAtTheChosenDepth) {
    const std::string dialog =
        "open:  File  | Graphic files (*.gpf;*.gpf2;*.bmp;*.gif;*.jpg;*.png) | 00A | ";
    const struct {
        int depth;
        bool cmpGPF;
        std::vector<bool> answers;
        int staged;  // code, or 0 for refused
        std::string file;
    } cases[] = {
        {kSaveGpf16Bit, false, {false}, 0x08, "new.gpf2"},
        {kSaveGpf24Bit, true, {}, 0x8A, "new.bmp"},
        {kSaveGpf1Bit, false, {true}, 0, "new.gpf2"},
        {kSaveGpf1Bit, false, {false}, 0x01, "new.gpf2"},
        {kSaveGpf1Bit, true, {}, 0, "new.gpf2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.depth);
        LoadedWorkspace t(elevenPictures());
        t.ws.HEXFilename = true;
        t.ws.ZeroFilename = true;
        t.ws.cmpGPF = c.cmpGPF;
        t.ws.selectedRow = 10;
        const bool bmp = c.file.ends_with(".bmp");
        t.ui.choosePath(t.dir.write(c.file, bmp ? PatternBmp(2, 1, false) : source("\xE0\x1C")));
        for (bool answer : c.answers) t.ui.answer(answer);
        mnu_PopupPictures_Load_Click(t.ws, t.ui, c.depth);
        EXPECT_EQ(t.ui.transcript().at(0), dialog);
        EXPECT_EQ(t.ws.rows[10].changed, c.staged != 0);
        EXPECT_EQ(t.ws.control("mnu_Fullflash_SavePatch").enabled, c.staged != 0);
        EXPECT_EQ(t.ws.control("mnu_PopupPictures_SavePatch").enabled, c.staged != 0);
        if (c.staged != 0) {
            EXPECT_EQ(stagedCodeAndNumber(t, 10), std::make_pair(c.staged, 10));
        } else {
            EXPECT_EQ(t.ui.messageTexts().back(), "1bit GPF ");
        }
        EXPECT_TRUE(t.ui.exhausted());
    }
}

TEST(LoadReplacementPicture, RefusedSourcesStageNothingAndKeepAnEarlierStaging) {
    const struct {
        const char* name;
        std::string content;
        std::string message;  ///< the path follows a message ending in a line break
    } cases[] = {
        {"notes.txt", "text", "Only GPF, GPF2, BMP, GIF, JPG and PNG files can be loaded!\r"},
        {"bad.gpf2", "NotAGraphicFile.................", "error was occupated"},
        {"gone.gpf2", "", "!\r"},
    };
    for (const auto& c : cases) {
        LoadedWorkspace t(elevenPictures());
        t.ws.cmpGPF = true;
        t.ws.selectedRow = 2;
        t.ui.choosePath(t.dir.write("first.gpf2", source("\x01\x02")));
        mnu_PopupPictures_Load_Click(t.ws, t.ui, kSaveGpf8Bit);
        const std::string staged = ReadWholeFile(StagingFilePath(t.ws, 2));

        const std::string path =
            c.content.empty() ? t.dir.file(c.name) : t.dir.write(c.name, c.content);
        t.ui.choosePath(path);
        mnu_PopupPictures_Load_Click(t.ws, t.ui, kSaveGpf8Bit);
        EXPECT_EQ(t.ui.messageTexts().back(),
                  c.message.ends_with('\r') ? c.message + path : c.message);
        EXPECT_EQ(ReadWholeFile(StagingFilePath(t.ws, 2)), staged) << c.name;
    }
}

TEST(LoadReplacementFolder, ProbesEachRowsNamesAndAsksForEachPicture) {
    LoadedWorkspace t(elevenPictures());
    t.ws.ZeroFilename = false;
    const std::string folder = (t.dir.path() / "pictures").string();
    std::filesystem::create_directory(folder);
    t.dir.write("pictures/1.gpf2", source("\x01\x01"));
    t.dir.write("pictures/1.gpf", source("\x02\x02"));  // .gpf2 comes first
    t.dir.write("pictures/10.gpf", source("\x03\x03"));
    t.ui.chooseFolder(folder).answer(false).answer(true);
    mnu_PopupPictures_Loads_Click(t.ws, t.ui, kSaveGpf8Bit);

    EXPECT_EQ(stagedCodeAndNumber(t, 1).first, 0x05) << "Cancel: uncompressed";
    EXPECT_EQ(stagedCodeAndNumber(t, 10).first, 0x85) << "OK: compressed";
    EXPECT_EQ(ReadWholeFile(StagingFilePath(t.ws, 1)), stagingOf(source("\x01\x01"), 0x05, 1));
    for (std::size_t row = 0; row < t.ws.rows.size(); ++row)
        EXPECT_EQ(t.ws.rows[row].changed, row == 1 || row == 10);
    EXPECT_EQ(t.ui.progressValues.back(), 100);
    EXPECT_EQ(t.ui.progressValues.size(), 11u);
    EXPECT_EQ(t.ui.messageTexts().back(), "") << "closing message";
    EXPECT_TRUE(t.ui.exhausted());
}

// Discard deletes the row's staging file; Save Patch stays on while anything,
// staged pictures or changed PNG files, is left to write.
TEST(Discard, UnmarksTheRowAndSavePatchFollowsWhatIsLeft) {
    LoadedWorkspace t(elevenPictures());
    for (const bool pngPending : {true, false}) {
        t.dir.write("0001.gpf2", "x");
        t.ws.rows[1].changed = true;
        t.ws.selectedRow = 1;
        t.ws.flash.pngChangesPending = pngPending;
        mnu_PopupPictures_Discard_Click(t.ws, t.ui);
        EXPECT_FALSE(t.ws.rows[1].changed);
        EXPECT_FALSE(std::filesystem::exists(StagingFilePath(t.ws, 1)));
        EXPECT_EQ(t.ws.control("mnu_Fullflash_SavePatch").enabled, pngPending);
    }
}

// A dropped picture takes its row's depth and compression, as far as the
// encoder can write them: no compressed 1-bit, no 12-bit.
TEST(RowOwnCode, KeepsTheRowsTypeWhereTheEncoderCanWriteIt) {
    const std::pair<std::uint8_t, int> cases[] = {{0x01, 0x01}, {0x81, 0x01}, {0x05, 0x05},
                                                  {0x85, 0x85}, {0x07, 0x08}, {0x87, 0x88},
                                                  {0x0A, 0x0A}, {0x8A, 0x8A}};
    for (const auto& [type, code] : cases) {
        PictureEntry entry;
        entry.type = type;
        EXPECT_EQ(RowOwnCode(entry), code) << int{type};
    }
}

}  // namespace
