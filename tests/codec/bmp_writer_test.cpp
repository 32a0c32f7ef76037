#include "codec/bmp_writer.h"

#include <gtest/gtest.h>

#include "picture_io/picture_files.h"
#include "picture_io/picture_pixels.h"

using namespace GPFcodec;
using namespace codec_test;

namespace {

constexpr Cell M = TransparencyMarker;

std::uint32_t U32At(const std::string& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i]))
                 << (8 * i);
    }
    return value;
}

}  // namespace

TEST(BmpWriter, WholeFilesOfTinyPictures) {
    const std::string header1x1 =
        Hex("42 4D 3A 00 00 00 00 00 00 00 36 00 00 00 28 00 00 00") +
        Hex("01 00 00 00 01 00 00 00 01 00 18 00 00 00 00 00 04 00 00 00") + std::string(16, '\0');
    const DecodedPicture one = Picture(1, 1, false, [](int, int) { return Cell{10, 20, 30, 40}; });
    EXPECT_EQ(BmpFileBytes(one, false), header1x1 + Hex("1E 14 0A 00"));

    // 2 x 2 without alpha as 32 bits: bottom row first, marker alpha 0, others 255.
    const DecodedPicture square = Picture(2, 2, false, [](int x, int y) {
        return y == 0 ? (x == 0 ? M : Cell{1, 2, 3, 4}) : Cell{5, 6, 7, 8};
    });
    EXPECT_EQ(BmpFileBytes(square, true),
              Hex("42 4D 46 00 00 00 00 00 00 00 36 00 00 00 28 00 00 00") +
                  Hex("02 00 00 00 02 00 00 00 01 00 20 00 00 00 00 00 10 00 00 00") +
                  std::string(16, '\0') + Hex("07 06 05 FF 07 06 05 FF A9 AB A9 00 03 02 01 FF"));
}

TEST(BmpWriter, LengthsAndPadding) {
    struct Case {
        int width;
        int height;
        bool bits32;
        std::uint32_t fileLength;
    };
    const Case cases[] = {
        {1, 1, false, 58}, {5, 2, false, 86},
        {5, 2, true, 94},  {4, 3, false, 90},
        {3, 1, false, 66}, {2, 1, false, 62},
        {0, 5, false, 54}, {241, 321, true, 54 + 241 * 321 * 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        const DecodedPicture picture =
            Picture(c.width, c.height, false, [](int, int) { return Cell{}; });
        const std::string file = BmpFileBytes(picture, c.bits32);
        EXPECT_EQ(file.size(), c.fileLength);
        EXPECT_EQ(U32At(file, 2), c.fileLength);
        EXPECT_EQ(U32At(file, 34), c.fileLength - 54);
        EXPECT_EQ(file.substr(0, 54), WriteBmpHeader(c.width, c.height, c.bits32 ? 32 : 24));
    }
}

// Read back by other readers: QImage for the colours of 24-bit files (every
// row padding), the 32-bit reader of outside pictures for the alpha bytes.
TEST(BmpWriter, ReadBackPixelExact) {
    std::mt19937 random(11);
    for (int width = 1; width <= 4; ++width) {
        for (bool alpha : {false, true}) {
            SCOPED_TRACE(std::to_string(width) + (alpha ? " alpha" : ""));
            const DecodedPicture picture = Picture(
                width, 3, alpha, [&](int x, int) { return x == 1 ? M : RandomCell(random); });
            const auto colours = PictureIO::LoadPicturePixels(AsBytes(BmpFileBytes(picture, false)),
                                                              width, 3, Cell{});
            ASSERT_TRUE(colours);
            const std::string bits32 = BmpFileBytes(picture, true);
            const auto cells = PictureIO::ReadBmp32Pixels(AsBytes(bits32), 54, width, 3, false);
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < width; ++x) {
                    Cell expected = picture.at(x, y);
                    if (!alpha) expected.fourth = isTransparencyMarker(expected) ? 0 : 255;
                    EXPECT_EQ(cells.at(x, y), expected) << x << "," << y;
                    expected.fourth = 0;
                    EXPECT_EQ(colours->at(x, y), expected) << x << "," << y;
                }
            }
        }
    }
}

TEST(BmpWriter, PicturesBeyondTheCanvasAreCutToIt) {
    DecodedPicture picture = Picture(300, 400, false, [](int, int) { return Cell{}; });
    const std::string file = BmpFileBytes(picture, true);
    EXPECT_EQ(U32At(file, 18), 241u);
    EXPECT_EQ(U32At(file, 22), 321u);
    picture.width = -4;
    EXPECT_EQ(BmpFileBytes(picture, false), WriteBmpHeader(0, 321, 24));
}
