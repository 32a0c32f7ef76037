// The decoder on hand-worked streams, and on streams and sizes that do not fit
// the canvas or the source: it must stay inside both and terminate, and
// consume exactly what StreamLength finds without decoding. The formats the encoder writes are also
// checked pixel by pixel through the round trip.

#include "codec/picture_decoder.h"

#include <gtest/gtest.h>

#include <limits>

#include "codec/stream_length.h"
#include "codec_test_support.h"

using namespace GPFcodec;
using namespace codec_test;

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr Cell U = kUntouched;
constexpr Cell M = TransparencyMarker;
constexpr Cell B{0, 0, 0, 0};  ///< black, and what bytes past the end give
constexpr Cell W{255, 255, 255, 0};
constexpr Cell Blue{0, 0, 255, 0};
constexpr Cell Red{255, 0, 0, 0};
constexpr Cell Green{0, 255, 0, 0};

/// Decodes a hand-worked stream; compares the bytes consumed and the cells of
/// the first rows, `columns` to a row, with `region`.
void ExpectCells(const char* name, int type, double width, double height, const std::string& stream,
                 double dataSize, int columns, const std::vector<Cell>& region,
                 std::size_t start = 0) {
    SCOPED_TRACE(name);
    const DecodedPicture picture = Decode(Data(stream), type, width, height, start);
    std::vector<Cell> cells;
    for (int i = 0; i < static_cast<int>(region.size()); ++i) {
        cells.push_back(picture.at(i % columns, i / columns));
    }
    EXPECT_EQ(cells, region);
    EXPECT_EQ(picture.dataSize, dataSize);
    EXPECT_EQ(picture.width, width);
    EXPECT_EQ(picture.height, height);
}

}  // namespace

TEST(DecodePicture, HandWorkedStreams) {
    ExpectCells("1-bit control bytes 80, 7F, C5, 85", 0x81, 17, 1, Hex("80 7F C5 85"), 4, 18,
                {B, B, B, B, B, B, B, B, B, B, B, B, W, W, W, W, W, U});
    ExpectCells("1-bit literal bits 6 down to 0, on into the next rows", 0x81, 3, 3, Hex("55"), 1,
                3, {B, W, B, W, B, W, B, U, U});
    ExpectCells("1-bit literal of seven, then a run of one", 0x81, 8, 1, Hex("55 C1 85"), 2, 9,
                {B, W, B, W, B, W, B, B, U});
    ExpectCells("a run past the last row still stores every pixel", 0x85, 2, 1, Hex("05 E0 07 FF"),
                2, 2, {Red, Red, Red, Red, Red, U});
    ExpectCells("a run of 0 consumes its pixel", 0x85, 1, 1, Hex("00 E0 01 1C"), 4, 1, {Green});
    ExpectCells("literal 80 takes 128 pixels", 0x85, 128, 1,
                Hex("80") + std::string(128, '\x1C') + Hex("05 FF"), 129, 1, {Green});
    ExpectCells("no columns: only the first block is consumed", 0x85, 0, 5, Hex("05 E0 05 E0"), 2,
                4, {U, U, U, U});
    ExpectCells("no rows: the first block is still stored", 0x85, 4, 0, Hex("03 E0 05 1C"), 2, 4,
                {Red, Red, Red, U});
    ExpectCells("negative sizes behave as none", 0x85, -4, -2, Hex("03 E0 05 1C"), 2, 4,
                {U, U, U, U});
    ExpectCells("start beyond the end: a zero control byte, a run of none", 0x85, 4, 1,
                Hex("03 E0"), 0, 4, {U, U, U, U}, 1000);
    ExpectCells("literal cut short by the end of the source", 0x85, 3, 1, Hex("FD E0"), 2, 4,
                {Red, B, B, U});
    ExpectCells("a pixel cut short: its missing byte reads as 00", 0x08, 2, 1, Hex("1F 00 1F"), 3,
                3, {Blue, Blue, U});
    ExpectCells("12 bits: red, green and blue nibbles from the top; 0FFF is the marker", 0x07, 2, 1,
                Hex("23 01 FF 0F"), 4, 3, {Cell{17, 34, 51, 0}, M, U});
}

// Widths of one uncompressed 8-bit row from a 50000-byte source.
TEST(DecodePicture, SizesRoundHalfToEvenAndFitTheFields) {
    const Bytes data(50000, 0x1C);
    const auto expectWidth = [&data](double width, std::int16_t stored, double dataSize) {
        const DecodedPicture picture = Decode(data, 0x05, width, 1);
        EXPECT_EQ(picture.width, stored) << width;
        EXPECT_EQ(picture.height, 1);
        EXPECT_EQ(picture.dataSize, dataSize) << width;
    };
    expectWidth(2.5, 2, 2);
    expectWidth(3.5, 4, 4);
    expectWidth(1.4999, 1, 1);
    expectWidth(-0.5, 0, 0);
    expectWidth(-3, -3, 0);
    expectWidth(40000, 32767, 40000);
    expectWidth(65535, 32767, 50000);
    expectWidth(-40000, -32768, 0);
    expectWidth(1e300, 32767, 50000);
    expectWidth(std::numeric_limits<double>::quiet_NaN(), 0, 0);
    expectWidth(std::numeric_limits<double>::infinity(), 32767, 50000);
}

// Sizes far beyond the canvas and the source: the decode stays inside both and
// ends where the source does.
TEST(DecodePicture, HugeSizesEndAtTheSource) {
    const Bytes zeros(1 << 20, 0);
    for (const int type : {0x01, 0x81, 0x05, 0x85, 0x87, 0x08, 0x0A, 0x8A}) {
        EXPECT_EQ(Decode(zeros, type, 65535, 65535).dataSize, 1 << 20) << type;
    }
    EXPECT_EQ(StreamLength(zeros, 0, 1, 1, {false, 0}), std::nullopt)
        << "a depth the decoder refuses";
}
