// Streams and sizes that do not fit the canvas or the source: the decoder
// must stay inside both, keep later pixels in their places and terminate.

#include <gtest/gtest.h>

#include "codec/picture_decoder.h"
#include "codec_test_support.h"
#include "common/scripted_ui.h"

using namespace GPFcodec;
using namespace codec_test;

namespace {

constexpr Cell U = kUntouched;
constexpr Cell Zero{0, 0, 0, 0};
constexpr Cell Red{255, 0, 0, 0};
constexpr Cell Blue{0, 0, 255, 0};

struct Outcome {
    DecodedPicture picture = Filled(U);
    std::size_t position = 0;
};

Outcome Decode(const std::vector<std::uint8_t>& data, double width, double height, bool compressed,
               int bitDepth, std::size_t start = 0) {
    Outcome outcome;
    ByteCursor source(data, start);
    ScriptedUi ui;
    EXPECT_TRUE(DecodePicture(outcome.picture, ui, source, 0, width, height, compressed, bitDepth));
    outcome.position = source.position();
    return outcome;
}

/// 24-bit pixel i as stored bytes (blue, green, red = i low, middle, high; alpha 1).
std::vector<std::uint8_t> Counting24(std::size_t pixels) {
    std::vector<std::uint8_t> data;
    for (std::size_t i = 0; i < pixels; ++i) {
        data.insert(data.end(), {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8),
                                 static_cast<std::uint8_t>(i >> 16), 1});
    }
    return data;
}

Cell Counted(std::size_t i) {
    return Cell{static_cast<std::uint8_t>(i >> 16), static_cast<std::uint8_t>(i >> 8),
                static_cast<std::uint8_t>(i), 1};
}

}  // namespace

TEST(DecodeBounds, WideRowsKeepTheirPlaces) {
    // Compressed as literals of 100 pixels: the cursor crosses the canvas edge
    // inside a block.
    const auto pixels = Counting24(600);
    std::vector<std::uint8_t> literals;
    for (std::size_t first = 0; first < 600; first += 100) {
        literals.push_back(256 - 100);
        literals.insert(literals.end(), pixels.begin() + static_cast<long>(first * 4),
                        pixels.begin() + static_cast<long>((first + 100) * 4));
    }
    for (const bool compressed : {false, true}) {
        const auto& data = compressed ? literals : pixels;
        const Outcome out = Decode(data, 300, 2, compressed, 24);
        EXPECT_EQ(out.picture.at(240, 0), Counted(240));
        EXPECT_EQ(out.picture.at(0, 1), Counted(300));
        EXPECT_EQ(out.picture.at(240, 1), Counted(540));
        EXPECT_EQ(out.picture.at(0, 2), U);
        EXPECT_EQ(out.picture.dataSize, static_cast<double>(data.size()));
    }
}

TEST(DecodeBounds, TallPicturesDropRowsBelowTheCanvas) {
    std::vector<std::uint8_t> raw(400);
    raw[320] = 0xE0;
    raw[321] = 0xE0;
    const Outcome uncompressed = Decode(raw, 1, 400, false, 8);
    EXPECT_EQ(uncompressed.picture.at(0, 320), Red);
    EXPECT_EQ(uncompressed.picture.dataSize, 400);

    // 4095 rows of 241 pixels as runs of 127 and a final run; rows past 320 are dropped.
    std::vector<std::uint8_t> runs;
    std::size_t left = 241u * 4095u;
    while (left > 0) {
        const std::size_t run = std::min<std::size_t>(left, 127);
        runs.insert(runs.end(), {static_cast<std::uint8_t>(run), 0x1F, 0x00});
        left -= run;
    }
    runs.insert(runs.end(), {0x05, 0x00, 0xF8});  // never read: the rows are complete
    const Outcome compressed = Decode(runs, 241, 4095, true, 16);
    EXPECT_EQ(compressed.picture.at(240, 320), Blue);
    EXPECT_EQ(compressed.picture.dataSize, static_cast<double>(runs.size() - 3));
}

TEST(DecodeBounds, HugeSizesEndAtTheSource) {
    const std::vector<std::uint8_t> zeros(1 << 20, 0);
    struct Case {
        int bitDepth;
        bool compressed;
    };
    for (const Case c : {Case{1, false}, Case{1, true}, Case{8, false}, Case{8, true},
                         Case{12, true}, Case{16, false}, Case{24, false}, Case{24, true}}) {
        SCOPED_TRACE(c.bitDepth * (c.compressed ? -1 : 1));
        const Outcome out = Decode(zeros, 65535, 65535, c.compressed, c.bitDepth);
        EXPECT_EQ(out.picture.dataSize, static_cast<double>(zeros.size()));
        EXPECT_EQ(out.position, zeros.size());
    }
}

TEST(DecodeBounds, RunsBelowTheCanvasStillCountRows) {
    // Runs of 63 black pixels down a one-pixel-wide picture of 65535 rows:
    // ceil(65535 / 63) = 1041 control bytes fill it.
    const std::vector<std::uint8_t> runs(2000, 0xFF);
    const Outcome out = Decode(runs, 1, 65535, true, 1);
    EXPECT_EQ(out.picture.dataSize, 1041);
    EXPECT_EQ(out.picture.at(0, 320), Zero);
    EXPECT_EQ(out.picture.at(1, 0), U);

    // Width 2: a run of 5 from column 1 fills rows 0 to 2; the next pixel
    // starts row 3.
    const Outcome wide = Decode(Data(Hex("01 E0 05 1C 01 03")), 2, 4, true, 8);
    EXPECT_EQ(wide.picture.at(0, 3), (Cell{0, 0, 255, 0}));
    EXPECT_EQ(wide.picture.at(1, 3), U);
}

TEST(DecodeBounds, UncompressedReadsPastTheEndAsZeroBytes) {
    const Outcome wide = Decode(Counting24(25), 65535, 65535, false, 24);
    EXPECT_EQ(wide.picture.at(24, 0), Counted(24));
    EXPECT_EQ(wide.picture.at(25, 0), Zero);
    EXPECT_EQ(wide.picture.at(240, 320), Zero);
    EXPECT_EQ(wide.picture.dataSize, 100);

    // The second pixel has one byte: its missing high byte reads as 00.
    const Outcome cut = Decode(Data(Hex("1F 00 1F")), 2, 1, false, 16);
    EXPECT_EQ(cut.picture.at(1, 0), Blue);
    EXPECT_EQ(cut.picture.dataSize, 3);
    EXPECT_EQ(cut.position, 3u);
}

TEST(DecodeBounds, OneBitRowsOfHugeWidth) {
    std::vector<std::uint8_t> data(3 * 8192, 0);
    data[8192] = 0xFF;  // first byte of row 1
    const Outcome out = Decode(data, 65535, 3, false, 1);
    EXPECT_EQ(out.picture.at(0, 0), (Cell{255, 255, 255, 0}));
    EXPECT_EQ(out.picture.at(7, 1), Zero);
    EXPECT_EQ(out.picture.at(8, 1), (Cell{255, 255, 255, 0}));
    EXPECT_EQ(out.picture.dataSize, 3 * 8192);
}

TEST(DecodeBounds, DegenerateSizesAndPositions) {
    struct Case {
        const char* name;
        std::string stream;
        double width;
        double height;
        std::size_t start;
        std::vector<Cell> row0;  ///< cells (0..3, 0)
        double dataSize;
    };
    // clang-format off
    const Case cases[] = {
        {"no columns: only the first block is consumed", Hex("05 E0 05 E0"), 0, 5, 0,
         {U, U, U, U}, 2},
        {"no rows: the first block is still stored", Hex("03 E0 05 1C"), 4, 0, 0,
         {Red, Red, Red, U}, 2},
        {"negative sizes behave as none", Hex("03 E0 05 1C"), -4, -2, 0, {U, U, U, U}, 2},
        {"start beyond the end: a zero control byte, a run of none", Hex("03 E0"), 4, 1, 1000,
         {U, U, U, U}, 0},
        {"literal cut short by the end of the source", Hex("FD E0"), 3, 1, 0,
         {Red, Zero, Zero, U}, 2},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome out = Decode(Data(c.stream), c.width, c.height, true, 8, c.start);
        const std::vector<Cell> row0(out.picture.canvas.begin(), out.picture.canvas.begin() + 4);
        EXPECT_EQ(row0, c.row0);
        EXPECT_EQ(out.picture.dataSize, c.dataSize);
        EXPECT_EQ(out.position, c.start + static_cast<std::size_t>(c.dataSize));
    }
}
