#include "devtools/picture_streams.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr SourcePixel kBlack{0, 0, 0};
constexpr SourcePixel kWhite{255, 255, 255};
constexpr SourcePixel kBlue{0, 0, 255};
constexpr SourcePixel kClear{0, 0, 0, true};

std::vector<SourcePixel> repeat(std::initializer_list<SourcePixel> unit, std::size_t times) {
    std::vector<SourcePixel> pixels;
    for (std::size_t i = 0; i < times; ++i) pixels.insert(pixels.end(), unit);
    return pixels;
}

}  // namespace

// Expected bytes worked out by hand from the firmware's stream rules.
TEST(PictureStreams, KindsOfStream) {
    struct Case {
        std::string name;
        std::uint8_t type;
        int width;
        int height;
        std::vector<SourcePixel> pixels;
        Bytes stream;
    };
    const Case cases[] = {
        {"1 bit, rows of whole bytes", 0x01, 10, 2, repeat({kBlack}, 20), {0xFF, 0xC0, 0xFF, 0xC0}},
        {"1 bit, white is 0", 0x01, 3, 1, {kWhite, kBlack, kWhite}, {0x40}},
        {"1 bit compressed, black run", 0x81, 10, 1, repeat({kBlack}, 10), {0xCA}},
        {"1 bit compressed, run longer than 63", 0x81, 70, 1, repeat({kWhite}, 70), {0xBF, 0x87}},
        {"1 bit compressed, literal then exact tail",
         0x81,
         9,
         1,
         {kBlack, kWhite, kBlack, kWhite, kBlack, kWhite, kBlack, kBlack, kBlack},
         {0x55, 0xC2}},
        {"8 bit", 0x05, 3, 1, {kWhite, kClear, {0xC0, 0x00, 0x00}}, {0xFF, 0xC0, 0xC1}},
        {"12 bit", 0x07, 2, 1, {kClear, kWhite}, {0xFF, 0x0F, 0xFE, 0x0F}},
        {"16 bit",
         0x08,
         3,
         1,
         {kClear, {0xE0, 0x00, 0x00}, kBlue},
         {0x00, 0xE0, 0x01, 0xE0, 0x1F, 0x00}},
        {"24 bit",
         0x0A,
         2,
         1,
         {{0x30, 0x20, 0x10}, kClear},
         {0x10, 0x20, 0x30, 0xFF, 0x00, 0x00, 0x00, 0x00}},
        {"16 bit compressed run", 0x88, 3, 1, repeat({kBlue}, 3), {0x03, 0x1F, 0x00}},
        {"16 bit compressed literal", 0x88, 2, 1, {kBlue, kWhite}, {0xFE, 0x1F, 0x00, 0xFF, 0xFF}},
        {"8 bit compressed, run of 200",
         0x85,
         200,
         1,
         repeat({kWhite}, 200),
         {0x7F, 0xFF, 0x49, 0xFF}},
        {"24 bit compressed, literal then run",
         0x8A,
         3,
         1,
         {kClear, kBlue, kBlue},
         {0xFF, 0, 0, 0, 0, 0x02, 0xFF, 0, 0, 0xFF}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PictureStream(c.type, c.width, c.height, c.pixels), c.stream) << c.name;
    }
}

TEST(PictureStreams, LongLiteralsSplitAt128) {
    std::vector<SourcePixel> pixels;
    for (int i = 0; i < 130; ++i) pixels.push_back({static_cast<std::uint8_t>(i), 0, 0});
    const Bytes stream = RunLengthPixelsStream(24, pixels);
    ASSERT_EQ(stream.size(), 1 + 128 * 4 + 1 + 2 * 4u);
    EXPECT_EQ(stream[0], 0x80);
    EXPECT_EQ(stream[1 + 128 * 4], 0xFE);
}

TEST(PictureStreams, PatternsHaveTransparentCorners) {
    for (int pattern = 0; pattern < kPixelPatternCount; ++pattern) {
        const auto pixels = MakePixels(8, 8, static_cast<PixelPattern>(pattern), {10, 20, 30});
        ASSERT_EQ(pixels.size(), 64u);
        EXPECT_TRUE(pixels[0].transparent && pixels[7].transparent && pixels[63].transparent);
        EXPECT_FALSE(pixels[3 * 8 + 3].transparent);
    }
    EXPECT_FALSE(MakePixels(3, 3, PixelPattern::Checks, {})[0].transparent);
}
