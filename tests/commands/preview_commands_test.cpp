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

// Each row decodes to the picture and its information line; a staged row
// shows its staging file; an unknown type keeps the picture shown before.
TEST(ShowSelectedPicture, DecodesTheRowOrItsStagingFileAndWritesTheInformationLine) {
    FlashBuilder flash = pictures();
    for (int i = 3; i < 13; ++i) flash.addPicture(1, 1, 0x05, "\x1C");
    LoadedWorkspace t(flash);
    EXPECT_FALSE(ShowSelectedPicture(t.ws, t.ui)) << "no selection: nothing to show";
    EXPECT_TRUE(t.ws.pictureInfo.empty());
    const GPFcodec::GpfHeader header{4, 1, 0x8A, 12, true};
    t.dir.write("0012.gpf2",
                GPFcodec::PadToSixteen(GPFcodec::WriteGpfHeader(header) + "\xFF\x10\x20\x30\x40"s +
                                       "\x03\x01\x02\x03\x04"s));
    t.ws.rows[12].changed = true;
    const struct {
        std::size_t row;
        bool shown;
        std::string info;
        Cell first;  ///< the picture's first cell
    } cases[] = {
        {0, true, "0000 :: 2 x 2 :: 16bit :: uncompressed :: 8 bytes", {0, 0, 255, 0}},
        {1, false, "0001 :: 3 x 3 :: 0bit :: uncompressed :: 8 bytes", {0, 0, 255, 0}},
        {2, true, "0002 :: 3 x 1 :: 16bit :: compressed :: 3 bytes", {0, 0, 255, 0}},
        {12, true, "12 :: 4 x 1 :: 24bit :: compressed :: 10 bytes", {0x30, 0x20, 0x10, 0x40}},
    };
    for (const auto& c : cases) {
        const auto before = t.ws.preview.pixels;
        t.ws.selectedRow = c.row;
        EXPECT_EQ(ShowSelectedPicture(t.ws, t.ui), c.shown);
        EXPECT_EQ(t.ws.pictureInfo, c.info);
        EXPECT_EQ(t.ws.picture.at(0, 0), c.first) << c.row;
        if (!c.shown) {
            EXPECT_EQ(t.ws.preview.pixels, before);
        }
    }
    EXPECT_TRUE(t.ws.picture.hasAlpha) << "the staged picture stays shown";
    EXPECT_EQ(t.ui.transcript(), std::vector<std::string>{"Not Supported GPF! | 0bit"});
}

// A GPF file is mapped, not read whole: a 16 GiB file (sparse, so it costs no
// disk) shows its small picture without the memory a full read would need. An
// unknown header or a missing file give their messages and change nothing.
TEST(ShowGpfFile, AHugeFileCostsOnlyWhatTheDecoderReadsAndBadFilesChangeNothing) {
    LoadedWorkspace t(pictures());
    const std::string path =
        t.dir.write("huge.gpf", GPFcodec::WriteGpfHeader({1, 1, 0x05, 3, false}) + "\x1C"s);
    std::filesystem::resize_file(path, std::uintmax_t{16} << 30);
    EXPECT_TRUE(ShowGpfFile(t.ws, t.ui, path));
    const std::string info = "3 :: 1 x 1 :: 8bit :: uncompressed :: 1 bytes";
    EXPECT_EQ(t.ws.pictureInfo, info);

    t.ws.setText("str_UNKfile", "Unknown file");
    EXPECT_FALSE(ShowGpfFile(t.ws, t.ui,
                             t.dir.write("bad.gpf", "GraphicPatchFilX" + std::string(32, '\0'))));
    EXPECT_TRUE(t.ws.unknownFile);
    const std::string gone = t.dir.file("gone.gpf");
    EXPECT_FALSE(ShowGpfFile(t.ws, t.ui, gone));
    EXPECT_EQ(t.ws.pictureInfo, info);
    EXPECT_EQ(t.ui.transcript(),
              (std::vector<std::string>{"Unknown file", "error was occupated", "!\r" + gone}));
}

}  // namespace
