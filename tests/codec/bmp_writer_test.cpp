#include "codec/bmp_writer.h"

#include <gtest/gtest.h>

#include "codec_test_support.h"

using namespace GPFcodec;
using namespace codec_test;

constexpr Cell M = TransparencyMarker;

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

TEST(BmpWriter, PicturesBeyondTheCanvasAreCutToIt) {
    DecodedPicture picture = Picture(300, 400, false, [](int, int) { return Cell{}; });
    EXPECT_EQ(BmpFileBytes(picture, true).substr(0, kBmpHeaderSize), WriteBmpHeader(241, 321, 32));
    picture.width = -4;
    EXPECT_EQ(BmpFileBytes(picture, false), WriteBmpHeader(0, 321, 24));
}
