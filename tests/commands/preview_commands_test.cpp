#include "commands/preview_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "codec/gpf_file.h"
#include "common/loaded_workspace.h"

namespace {

using namespace std::string_literals;

constexpr std::uint16_t kBlue565 = 0x001F;
constexpr std::uint16_t kMarker565 = 0xE000;

FlashBuilder pictures() {
    FlashBuilder flash;
    // 0: 2 x 2 uncompressed 16-bit: blue, marker, blue, (169, 0, 0)-ish red
    flash.addPicture(2, 2, 0x08,
                     Rgb565(kBlue565) + Rgb565(kMarker565) + Rgb565(kBlue565) + Rgb565(0xA800));
    // 1: a type whose low digit names no format
    flash.addPicture(3, 3, 0x03, std::string(9, '\x00'));
    // 2: 3 x 1 compressed 16-bit: a run of three blue pixels
    flash.addPicture(3, 1, 0x88, "\x03"s + Rgb565(kBlue565));
    return flash;
}

TEST(ShowSelectedPicture, DecodesTheRowAndWritesTheInformationLine) {
    LoadedWorkspace t(pictures());
    EXPECT_FALSE(ShowSelectedPicture(t.ws, t.ui)) << "no selection: nothing to show";
    EXPECT_TRUE(t.ws.pictureInfo.empty());
    const struct {
        std::size_t row;
        std::string info;
    } cases[] = {
        {0, "0000 :: 2 x 2 :: 16bit :: uncompressed :: 8 bytes"},
        {2, "0002 :: 3 x 1 :: 16bit :: compressed :: 3 bytes"},
    };
    for (const auto& c : cases) {
        t.ws.selectedRow = c.row;
        EXPECT_TRUE(ShowSelectedPicture(t.ws, t.ui));
        EXPECT_EQ(t.ws.pictureInfo, c.info);
    }
    EXPECT_EQ(t.ws.picture.at(2, 0), (Cell{0, 0, 255, 0}));
    EXPECT_TRUE(t.ui.dialogs.empty());
}

TEST(ShowSelectedPicture, UnknownTypeKeepsThePictureAndShowsTheRowWithZeroBits) {
    LoadedWorkspace t(pictures());
    t.ws.selectedRow = 0;
    ASSERT_TRUE(ShowSelectedPicture(t.ws, t.ui));
    const auto before = t.ws.preview.pixels;

    t.ws.selectedRow = 1;
    EXPECT_FALSE(ShowSelectedPicture(t.ws, t.ui));
    ASSERT_EQ(t.ui.dialogs.size(), 1u);
    EXPECT_EQ(t.ui.dialogs[0].text, "Not Supported GPF!");
    EXPECT_EQ(t.ui.dialogs[0].title, "0bit");
    EXPECT_EQ(t.ws.pictureInfo, "0001 :: 3 x 3 :: 0bit :: uncompressed :: 8 bytes");
    EXPECT_EQ(t.ws.preview.pixels, before);
}

TEST(ShowSelectedPicture, ChangedRowShowsItsStagingFile) {
    FlashBuilder flash;
    for (int i = 0; i < 13; ++i) flash.addPicture(1, 1, 0x05, "\x1C");
    LoadedWorkspace t(flash);
    GPFcodec::GpfHeader header{4, 1, 0x8A, 12, true};
    t.dir.write("0012.gpf2",
                GPFcodec::PadToSixteen(GPFcodec::WriteGpfHeader(header) + "\xFF\x10\x20\x30\x40"s +
                                       "\x03\x01\x02\x03\x04"s));
    t.ws.rows[12].changed = true;
    t.ws.selectedRow = 12;
    EXPECT_TRUE(ShowSelectedPicture(t.ws, t.ui));
    EXPECT_EQ(t.ws.pictureInfo, "12 :: 4 x 1 :: 24bit :: compressed :: 10 bytes");
    EXPECT_EQ(t.ws.picture.at(0, 0), (Cell{0x30, 0x20, 0x10, 0x40}));
    EXPECT_TRUE(t.ws.picture.hasAlpha);
}

TEST(ShowGpfFile, UnknownHeaderOrMissingFileGiveTheirMessagesAndChangeNothing) {
    LoadedWorkspace t(pictures());
    t.ws.selectedRow = 0;
    ShowSelectedPicture(t.ws, t.ui);
    const std::string info = t.ws.pictureInfo;
    t.ws.setText("str_UNKfile", "Unknown file");

    const std::string path = t.dir.write("bad.gpf", "GraphicPatchFilX" + std::string(32, '\0'));
    EXPECT_FALSE(ShowGpfFile(t.ws, t.ui, path));
    EXPECT_EQ(t.ui.messageTexts(),
              (std::vector<std::string>{"Unknown file", "error was occupated"}));
    EXPECT_TRUE(t.ws.unknownFile);
    EXPECT_EQ(t.ws.pictureInfo, info);

    t.ui.dialogs.clear();
    const std::string gone = t.dir.file("gone.gpf");
    EXPECT_FALSE(ShowGpfFile(t.ws, t.ui, gone));
    EXPECT_EQ(t.ui.messageTexts(), (std::vector<std::string>{"!\r" + gone}));
    EXPECT_EQ(t.ws.pictureInfo, info);
}

// A GPF file is mapped, not read whole: a 16 GiB file (sparse, so it costs no
// disk) shows its small picture without the memory a full read would need.
TEST(ShowGpfFile, AHugeFileCostsOnlyWhatTheDecoderReads) {
    LoadedWorkspace t(pictures());
    const std::string path =
        t.dir.write("huge.gpf", GPFcodec::WriteGpfHeader({1, 1, 0x05, 3, false}) + "\x1C"s);
    std::filesystem::resize_file(path, std::uintmax_t{16} << 30);
    EXPECT_TRUE(ShowGpfFile(t.ws, t.ui, path));
    EXPECT_EQ(t.ws.pictureInfo, "3 :: 1 x 1 :: 8bit :: uncompressed :: 1 bytes");
}

TEST(DrawPicture, TransparencySwitchRepaintsWithoutDecoding) {
    LoadedWorkspace t(pictures());
    t.ws.backgroundRed = 10;
    t.ws.backgroundGreen = 20;
    t.ws.backgroundBlue = 30;
    t.ws.selectedRow = 0;
    ShowSelectedPicture(t.ws, t.ui);
    // Cell (1, 0) is the marker: the background shows through it.
    EXPECT_EQ(t.ws.preview.pixels[1], 0xFF0A141Eu);
    EXPECT_EQ(t.ws.preview.pixels[0], 0xFF0000FFu);

    t.ws.picture.dataSize = 12345;  // untouched unless something decodes again
    const auto revision = t.ws.previewRevision;
    t.ws.transparency = false;
    DrawPicture(t.ws);
    EXPECT_GT(t.ws.previewRevision, revision);
    EXPECT_EQ(t.ws.preview.pixels[1], 0xFFA9ABA9u);
    EXPECT_EQ(t.ws.picture.dataSize, 12345);
}

}  // namespace
