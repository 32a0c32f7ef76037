#include "codec/picture_decoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "codec_test_support.h"
#include "common/scripted_ui.h"

using namespace GPFcodec;
using namespace codec_test;

namespace {

constexpr Cell U = kUntouched;
constexpr Cell M = TransparencyMarker;
constexpr Cell B{0, 0, 0, 0};
constexpr Cell W{255, 255, 255, 0};
constexpr Cell Blue{0, 0, 255, 0};
constexpr Cell Red{255, 0, 0, 0};
constexpr Cell Green{0, 255, 0, 0};

struct DecodeCase {
    const char* name;
    int bitDepth;
    bool compressed;
    double width;
    double height;
    std::string stream;
    int regionColumns;  ///< the canvas region compared, from (0, 0)
    std::vector<Cell> region;
    double dataSize;
};

// Expected values worked out by hand from the format tables.
// clang-format off
const DecodeCase kCases[] = {
    {"1-bit rows take whole bytes, extra low bits ignored", 1, false, 10, 2, Hex("FF FF 00 3F"),
     11, {B, B, B, B, B, B, B, B, B, B, U, W, W, W, W, W, W, W, W, W, W, U}, 4},
    {"1-bit control bytes 80, 7F, C5, 85", 1, true, 17, 1, Hex("80 7F C5 85"), 18,
     {B, B, B, B, B, B, B, B, B, B, B, B, W, W, W, W, W, U}, 4},
    {"1-bit literal bits 6 down to 0", 1, true, 7, 1, Hex("55"), 7, {B, W, B, W, B, W, B}, 1},
    {"1-bit literal continues on the next row", 1, true, 3, 3, Hex("7F"), 3,
     {B, B, B, B, B, B, B, U, U}, 1},
    {"16-bit run 03 1F 00 is three blue pixels", 16, true, 3, 1, Hex("03 1F 00"), 4,
     {Blue, Blue, Blue, U}, 3},
    {"16-bit literal FE takes two pixels", 16, true, 2, 1, Hex("FE 1F 00 00 F8"), 2, {Blue, Red}, 5},
    {"16-bit 00 E0 is the marker, 00 E1 is a colour", 16, false, 2, 1, Hex("00 E0 00 E1"), 2,
     {M, Cell{230, 32, 0, 0}}, 4},
    {"8-bit C0 marker, FF white, 1C green", 8, false, 3, 1, Hex("C0 FF 1C"), 3, {M, W, Green}, 3},
    {"12-bit FF 0F marker, FF 0E colour", 12, false, 2, 1, Hex("FF 0F FF 0E"), 2,
     {M, Cell{238, 255, 255, 0}}, 4},
    {"12-bit ignores bits 15..12 but not for the marker", 12, false, 1, 1, Hex("FF 1F"), 1, {W},
     2},
    {"24-bit bytes are blue, green, red, alpha", 24, false, 1, 1, Hex("10 20 30 40"), 1,
     {Cell{0x30, 0x20, 0x10, 0x40}}, 4},
    {"a run past the last row still stores every pixel", 8, true, 2, 1, Hex("05 E0 07 FF"), 2,
     {Red, Red, Red, Red, Red, U}, 2},
    {"2 x 2 uncompressed 16-bit consumes 8 bytes", 16, false, 2, 2,
     Hex("1F 00 1F 00 00 F8 00 F8 AA AA"), 3, {Blue, Blue, U, Red, Red, U}, 8},
    {"a run of 0 consumes its pixel", 8, true, 1, 1, Hex("00 E0 01 1C"), 1, {Green}, 4},
    {"a compressed stream stops at the end of the source", 16, true, 4, 2, Hex("02 1F 00"), 4,
     {Blue, Blue, U, U, U, U, U, U}, 3},
    {"literals and runs cross row ends", 8, true, 3, 2, Hex("FE E0 E0 04 1C"), 3,
     {Red, Red, Green, Green, Green, Green}, 5},
    {"24-bit run keeps the alpha byte", 24, true, 2, 1, Hex("02 01 02 03 04"), 2,
     {Cell{3, 2, 1, 4}, Cell{3, 2, 1, 4}}, 5},
};
// clang-format on

}  // namespace

TEST(DecodePicture, EdgeCases) {
    for (const DecodeCase& c : kCases) {
        SCOPED_TRACE(c.name);
        DecodedPicture picture = Filled(U);
        picture.hasAlpha = c.bitDepth != 24;
        const auto data = Data(c.stream);
        ByteCursor source(data);
        ScriptedUi ui;
        ASSERT_TRUE(
            DecodePicture(picture, ui, source, 7, c.width, c.height, c.compressed, c.bitDepth));
        const int rows = static_cast<int>(c.region.size()) / c.regionColumns;
        std::vector<Cell> region;
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < c.regionColumns; ++x) region.push_back(picture.at(x, y));
        }
        EXPECT_EQ(region, c.region);
        EXPECT_EQ(picture.dataSize, c.dataSize);
        EXPECT_EQ(source.position(), static_cast<std::size_t>(c.dataSize));
        EXPECT_EQ(picture.width, c.width);
        EXPECT_EQ(picture.height, c.height);
        EXPECT_EQ(picture.pictureNumber, 7);
        EXPECT_EQ(picture.hasAlpha, c.bitDepth == 24);
        EXPECT_TRUE(ui.dialogs.empty());
    }
}

TEST(DecodePicture, LiteralControl80TakesAHundredAndTwentyEightPixels) {
    std::string stream = Hex("80");
    for (int i = 0; i < 128; ++i) stream += static_cast<char>(i % 2 == 0 ? 0xE0 : 0x1C);
    stream += Hex("05 FF");
    DecodedPicture picture = Filled(U);
    const auto data = Data(stream);
    ByteCursor source(data);
    ScriptedUi ui;
    ASSERT_TRUE(DecodePicture(picture, ui, source, 0, 128, 1, true, 8));
    for (int x = 0; x < 128; ++x) EXPECT_EQ(picture.at(x, 0), x % 2 ? Green : Red);
    EXPECT_EQ(picture.dataSize, 129);
}

// Every stored value against exact integer rounding of value x 255 / max.
TEST(DecodePicture, ConversionsMatchExactRounding) {
    auto exact = [](int value, int maxValue) {
        return static_cast<std::uint8_t>((2 * value * 255 + maxValue) / (2 * maxValue));
    };
    struct Format {
        int bitDepth;
        int bytes;
        Cell (*expected)(std::uint32_t word, decltype(exact)&);
    };
    const Format formats[] = {
        {8, 1,
         [](std::uint32_t v, decltype(exact)& e) {
             return v == 0xC0 ? M : Cell{e(v >> 5, 7), e((v >> 2) & 7, 7), e(v & 3, 3), 0};
         }},
        {12, 2,
         [](std::uint32_t v, decltype(exact)& e) {
             return v == 0x0FFF
                        ? M
                        : Cell{e((v >> 8) & 15, 15), e((v >> 4) & 15, 15), e(v & 15, 15), 0};
         }},
        {16, 2,
         [](std::uint32_t v, decltype(exact)& e) {
             return v == 0xE000 ? M : Cell{e(v >> 11, 31), e((v >> 5) & 63, 63), e(v & 31, 31), 0};
         }},
    };
    for (const Format& f : formats) {
        SCOPED_TRACE(f.bitDepth);
        const std::uint32_t count = 1u << (8 * f.bytes);
        std::string stream;
        for (std::uint32_t v = 0; v < count; ++v) {
            stream += static_cast<char>(v & 0xFF);
            if (f.bytes == 2) stream += static_cast<char>(v >> 8);
        }
        DecodedPicture picture;
        const auto data = Data(stream);
        ByteCursor source(data);
        ScriptedUi ui;
        const int rows = static_cast<int>((count + 240) / 241);
        ASSERT_TRUE(DecodePicture(picture, ui, source, 0, 241, rows, false, f.bitDepth));
        for (std::uint32_t v = 0; v < count; ++v) {
            ASSERT_EQ(picture.canvas[v], f.expected(v, exact)) << "stored value " << v;
        }
    }
}

TEST(DecodePicture, UnsupportedDepthShowsMessageAndChangesNothing) {
    for (int depth : {0, 2, 7, 32, -1}) {
        DecodedPicture picture = Filled(U);
        picture.width = 5;
        picture.height = 6;
        picture.dataSize = 99;
        picture.pictureNumber = 3;
        const DecodedPicture before = picture;
        const auto data = Data(Hex("01 02 03 04"));
        ByteCursor source(data, 1);
        ScriptedUi ui;
        EXPECT_FALSE(DecodePicture(picture, ui, source, 9, 2, 2, false, depth));
        ASSERT_EQ(ui.dialogs.size(), 1u);
        EXPECT_EQ(ui.dialogs[0].text, "Not Supported GPF!");
        EXPECT_EQ(ui.dialogs[0].title, std::to_string(depth) + "bit");
        EXPECT_EQ(ui.dialogs[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(picture.canvas, before.canvas);
        EXPECT_EQ(picture.width, 5);
        EXPECT_EQ(picture.height, 6);
        EXPECT_EQ(picture.dataSize, 99);
        EXPECT_EQ(picture.pictureNumber, 3);
        EXPECT_EQ(source.position(), 1u);
    }
}

TEST(DecodePicture, SizesRoundHalfToEvenAndFitTheFields) {
    struct Case {
        double width;
        std::int16_t stored;
        double dataSize;  ///< one uncompressed 8-bit row from a 50000-byte source
    };
    const Case cases[] = {
        {2.5, 2, 2},
        {3.5, 4, 4},
        {1.4999, 1, 1},
        {-0.5, 0, 0},
        {-3, -3, 0},
        {40000, 32767, 40000},
        {65535, 32767, 50000},
        {-40000, -32768, 0},
        {1e300, 32767, 50000},
        {std::numeric_limits<double>::quiet_NaN(), 0, 0},
        {std::numeric_limits<double>::infinity(), 32767, 50000},
    };
    const std::vector<std::uint8_t> data(50000, 0x1C);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        DecodedPicture picture;
        ByteCursor source(data);
        ScriptedUi ui;
        ASSERT_TRUE(DecodePicture(picture, ui, source, 0, c.width, 1, false, 8));
        EXPECT_EQ(picture.width, c.stored);
        EXPECT_EQ(picture.height, 1);
        EXPECT_EQ(picture.dataSize, c.dataSize);
    }
}
