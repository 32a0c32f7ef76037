#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/run_program.h"
#include "codec/bmp_writer.h"
#include "commands/preview_commands.h"
#include "devtools/test_files.h"

namespace {

/// The first picture of the layout of `type`, at least 4 x 4 (transparent corners).
const MkflashPicture& firstOfType(const MkflashLayout& layout, std::uint8_t type) {
    for (const MkflashPicture& p : layout.pictures) {
        if (p.type == type && p.width >= 4 && p.height >= 4) return p;
    }
    ADD_FAILURE() << "no picture of type " << int{type};
    return layout.pictures.front();
}

TEST(CliFind, FindsPicturesExactlyAndTheNearest) {
    TempDir dir{"pictavo find"};
    const ProgramTempFolder temp(dir.path().string());
    const std::string flash = dir.file("flash.bin");
    const MkflashLayout layout = WriteFlash(flash, SmallSGold(60));
    const MkflashResult image = MakeFullflash(SmallSGold(60));

    // Exported as the list exports them: 32 bits with alpha for 24-bit
    // pictures, the marker colour for the transparent pixels of the others.
    std::vector<std::string> files;
    std::vector<int> numbers;
    for (const std::uint8_t type : {0x8A, 0x88, 0x05, 0x01}) {
        const int number = firstOfType(layout, type).index;
        ASSERT_EQ(
            RunProgram("pictavo-cli", {"export", flash, "--as", "bmp", "--to", dir.path().string(),
                                       "--pictures", std::to_string(number)})
                .exitCode,
            0);
        files.push_back(dir.file(std::to_string(10000 + number).substr(1) + ".bmp"));
        numbers.push_back(number);
    }
    std::vector<std::string> args{"find", flash};
    args.insert(args.end(), files.begin(), files.end());
    const ProgramRun exact = RunProgram("pictavo-cli", args);
    EXPECT_EQ(exact.exitCode, 0) << exact.err;
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_NE(exact.out.find(files[i] + ": " + std::to_string(numbers[i])), std::string::npos)
            << exact.out;
    }

    // A 16-bit picture as its 24-bit source might have been: every channel
    // a little off, within what the reduction to 16 bits drops.
    const MkflashPicture& sixteen = firstOfType(layout, 0x88);
    DecodedPicture picture;
    ASSERT_TRUE(DecodeFullflashPicture(picture, image.bytes, EntryOf(sixteen)));
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            Cell& cell = picture.at(x, y);
            if (isTransparencyMarker(cell)) continue;
            cell.red = static_cast<std::uint8_t>(cell.red ^ 3);
            cell.green = static_cast<std::uint8_t>(cell.green ^ 1);
            cell.blue = static_cast<std::uint8_t>(cell.blue ^ 2);
        }
    }
    const std::string source = dir.file("source.bmp");
    ASSERT_TRUE(GPFcodec::WriteBmpFile(source, picture, false));
    EXPECT_EQ(RunProgram("pictavo-cli", {"find", flash, source}).out, source + ": none\n");
    const ProgramRun similar =
        RunProgram("pictavo-cli", {"find", flash, source, "--similar", "--json"});
    EXPECT_EQ(similar.exitCode, 0) << similar.err;
    const auto nearest = nlohmann::json::parse(similar.out)["files"][0]["similar"];
    ASSERT_EQ(nearest.size(), 5u) << similar.out;
    EXPECT_EQ(nearest[0]["index"], sixteen.index);
    EXPECT_GT(nearest[0]["distance"].get<double>(), 0.0);
    EXPECT_LT(nearest[0]["distance"].get<double>(), 5.0);
    EXPECT_GT(nearest[1]["distance"].get<double>(), 20.0);

    const std::string text = dir.file("notes.txt");
    WriteBytes(text, {'h', 'i'});
    DecodedPicture wide;
    wide.width = 241;
    wide.height = 1;
    const std::string large = dir.file("wide.bmp");
    ASSERT_TRUE(GPFcodec::WriteBmpFile(large, wide, false));
    for (const auto& [file, said] : {std::pair{text, "Only GPF, GPF2, BMP, GIF, JPG and PNG files"},
                                     std::pair{large, "Picture too large"},
                                     std::pair{dir.file("missing.png"), "File not found"}}) {
        const ProgramRun run = RunProgram("pictavo-cli", {"find", flash, file});
        EXPECT_EQ(run.exitCode, 1) << file;
        EXPECT_NE(run.err.find(said), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

}  // namespace
