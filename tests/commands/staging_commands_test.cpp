#include "commands/staging_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "codec/bmp_writer.h"
#include "codec/gpf_file.h"
#include "commands/gpf_commands.h"
#include "commands/preview_commands.h"
#include "common/loaded_workspace.h"

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

TEST(LoadReplacementPicture, OffersTheNameStagesTheAnswerAndMarksTheRow) {
    LoadedWorkspace t(elevenPictures());
    t.ws.HEXFilename = true;
    t.ws.ZeroFilename = true;
    t.ws.selectedRow = 10;
    t.ui.choosePath(t.dir.write("new.gpf2", source("\xE0\x1C"))).answer(false);
    mnu_PopupPictures_Load_Click(t.ws, t.ui, kSaveGpf16Bit);

    const FileDialogRequest& request = t.ui.dialogs.at(0).request;
    EXPECT_EQ(request.initialName, "00A");
    EXPECT_EQ(request.filters.at(0).description,
              "Graphic files (*.gpf;*.gpf2;*.bmp;*.gif;*.jpg;*.png)");
    EXPECT_EQ(request.filters.at(0).pattern, "*.gpf;*.gpf2;*.bmp;*.gif;*.jpg;*.png");
    EXPECT_EQ(t.ui.dialogs.at(1).text, "?") << "the compression question";
    EXPECT_EQ(t.ws.currentCode, 0x08);
    EXPECT_EQ(stagedCodeAndNumber(t, 10), std::make_pair(0x08, 10));
    EXPECT_TRUE(t.ws.rows[10].changed);
    EXPECT_TRUE(t.ws.control("mnu_PopupPictures_SavePatch").enabled);
    EXPECT_TRUE(t.ws.control("mnu_Fullflash_SavePatch").enabled);
    EXPECT_EQ(t.ws.pictureInfo, "10 :: 2 x 1 :: 16bit :: uncompressed :: 4 bytes");
    EXPECT_TRUE(t.ui.exhausted());
}

TEST(LoadReplacementPicture, OneBitIsOnlyStagedUncompressed) {
    const struct {
        bool cmpGPF;
        std::vector<bool> answers;
        int staged;  // code, or 0 for refused
    } cases[] = {{false, {true}, 0}, {false, {false}, 0x01}, {true, {}, 0}};
    for (const auto& c : cases) {
        LoadedWorkspace t(elevenPictures());
        t.ws.cmpGPF = c.cmpGPF;
        t.ws.selectedRow = 1;
        t.ui.choosePath(t.dir.write("new.gpf2", source("\xE0\x1C")));
        for (bool answer : c.answers) t.ui.answer(answer);
        mnu_PopupPictures_Load_Click(t.ws, t.ui, kSaveGpf1Bit);
        EXPECT_EQ(t.ws.rows[1].changed, c.staged != 0);
        if (c.staged != 0) {
            EXPECT_EQ(stagedCodeAndNumber(t, 1).first, c.staged);
        } else {
            EXPECT_EQ(t.ui.messageTexts().back(), "1bit GPF ");
        }
    }
}

TEST(LoadReplacementPicture, RefusedSourcesStageNothingAndKeepAnEarlierStaging) {
    const struct {
        const char* name;
        std::string content;
        std::string message;
        bool pathFollows;
    } cases[] = {
        {"notes.txt", "text", "Only GPF, GPF2, BMP, GIF, JPG and PNG files can be loaded!\r", true},
        {"bad.gpf2", "NotAGraphicFile.................", "error was occupated", false},
    };
    for (const auto& c : cases) {
        LoadedWorkspace t(elevenPictures());
        t.ws.cmpGPF = true;
        t.ws.selectedRow = 2;
        t.ui.choosePath(t.dir.write("first.gpf2", source("\x01\x02")));
        mnu_PopupPictures_Load_Click(t.ws, t.ui, kSaveGpf8Bit);
        const std::string staged = ReadWholeFile(StagingFilePath(t.ws, 2));

        const std::string path = t.dir.write(c.name, c.content);
        t.ui.choosePath(path);
        mnu_PopupPictures_Load_Click(t.ws, t.ui, kSaveGpf8Bit);
        EXPECT_EQ(t.ui.messageTexts().back(), c.pathFollows ? c.message + path : c.message);
        EXPECT_EQ(ReadWholeFile(StagingFilePath(t.ws, 2)), staged) << c.name;
    }
    LoadedWorkspace t(elevenPictures());
    t.ws.selectedRow = 2;
    t.ui.choosePath(t.dir.file("gone.gpf2"));
    mnu_PopupPictures_Load_Click(t.ws, t.ui, kSaveGpf8Bit);
    EXPECT_EQ(t.ui.messageTexts(), (std::vector<std::string>{"!\r" + t.dir.file("gone.gpf2")}));
    EXPECT_FALSE(t.ws.rows[2].changed);
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

TEST(LoadReplacementPicture, OutsidePicturesAreReadThenStaged) {
    LoadedWorkspace t(elevenPictures());
    t.ws.cmpGPF = true;
    t.ws.selectedRow = 3;
    DecodedPicture picture;
    picture.width = 2;
    picture.height = 1;
    picture.at(0, 0) = {200, 10, 30, 0};
    picture.at(1, 0) = {0, 0, 255, 0};
    t.ui.choosePath(t.dir.write("new.bmp", GPFcodec::BmpFileBytes(picture, false)));
    mnu_PopupPictures_Load_Click(t.ws, t.ui, kSaveGpf24Bit);
    picture.pictureNumber = 3;
    EXPECT_EQ(ReadWholeFile(StagingFilePath(t.ws, 3)), GPFcodec::GpfFileBytes(picture, 0x8A, true));
    EXPECT_TRUE(t.ws.rows[3].changed);

    // Without the converter a PNG is refused twice: by the read and by the load.
    t.ws.nConvert = t.dir.file("no converter");
    t.ws.selectedRow = 4;
    t.ui.dialogs.clear();
    t.ui.choosePath(t.dir.write("new.png", "\x89PNG\r\n\x1A\n"));
    mnu_PopupPictures_Load_Click(t.ws, t.ui, kSaveGpf24Bit);
    EXPECT_EQ(t.ui.messageTexts(), (std::vector<std::string>{"!", "!"}));
    EXPECT_EQ(t.ui.dialogs.back().title, "nConvert");
    EXPECT_FALSE(t.ws.rows[4].changed);
}

}  // namespace
