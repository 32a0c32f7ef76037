#include "codec/paint_picture.h"

#include <gtest/gtest.h>

#include "codec_test_support.h"

using namespace GPFcodec;
using namespace codec_test;

TEST(PaintPicture, TransparencyRules) {
    struct Case {
        const char* name;
        bool transparency;
        bool hasAlpha;
        Cell cell;
        std::uint32_t pixel;  ///< on the background 0xF0, 0xE0, 0xD0
    };
    const Case cases[] = {
        {"off: the cell's colour", false, false, Cell{1, 2, 3, 0}, 0xFF010203},
        {"off: the marker shows its grey", false, false, TransparencyMarker, 0xFFA9ABA9},
        {"on, no alpha: the marker shows the background", true, false, TransparencyMarker,
         0xFFF0E0D0},
        {"on, alpha 0: the background", true, true, Cell{10, 20, 30, 0}, 0xFFF0E0D0},
        {"on, alpha 255: darkened by 255 minus the background", true, true,
         Cell{255, 255, 100, 255}, 0xFFF0E035},
        {"on, half alpha: clamped to the background", true, true, Cell{200, 100, 0, 128},
         0xFFF0C450},
        {"on, alpha: the marker has no special meaning", true, true, Cell{169, 171, 169, 255},
         0xFF9A8C7A},
    };
    for (const Case& c : cases) {
        DecodedPicture picture = Picture(2, 1, c.hasAlpha, [&](int, int) { return c.cell; });
        const PaintedImage image = PaintPicture(picture, c.transparency, 0xF0, 0xE0, 0xD0);
        ASSERT_EQ(image.width, 2) << c.name;
        ASSERT_EQ(image.height, 1) << c.name;
        EXPECT_EQ(image.pixels, (std::vector<std::uint32_t>{c.pixel, c.pixel})) << c.name;
    }
}

TEST(PaintPicture, RowOrderAndSizes) {
    DecodedPicture picture = Picture(2, 2, false, [](int x, int y) {
        return Cell{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 0, 0};
    });
    EXPECT_EQ(PaintPicture(picture, false, 0, 0, 0).pixels,
              (std::vector<std::uint32_t>{0xFF000000, 0xFF010000, 0xFF000100, 0xFF010100}));
    struct Size {
        int width, height, paintedWidth, paintedHeight;
    };
    for (const Size s : {Size{0, 5, 0, 0}, Size{5, -3, 0, 0}, Size{500, 32767, 241, 321}}) {
        picture.width = static_cast<std::int16_t>(s.width);
        picture.height = static_cast<std::int16_t>(s.height);
        const PaintedImage image = PaintPicture(picture, true, 1, 2, 3);
        EXPECT_EQ(image.width, s.paintedWidth);
        EXPECT_EQ(image.height, s.paintedHeight);
        EXPECT_EQ(image.pixels.size(), static_cast<std::size_t>(s.paintedWidth * s.paintedHeight));
    }
}

TEST(PaintPicture, KeepingTransparencyLeavesTransparentCellsToWhatLiesBeneath) {
    const DecodedPicture marked = Picture(3, 1, false, [](int x, int) {
        return x == 2 ? TransparencyMarker : Cell{1, 2, 3, 0};
    });
    EXPECT_EQ(PaintPictureKeepingTransparency(marked, true).pixels,
              (std::vector<std::uint32_t>{0xFF010203, 0xFF010203, 0x00A9ABA9}));
    EXPECT_EQ(PaintPictureKeepingTransparency(marked, false).pixels,
              (std::vector<std::uint32_t>{0xFF010203, 0xFF010203, 0xFFA9ABA9}));
    const DecodedPicture shaded = Picture(2, 1, true, [](int x, int) {
        return Cell{200, 100, 0, static_cast<std::uint8_t>(x == 1 ? 128 : 255)};
    });
    EXPECT_EQ(PaintPictureKeepingTransparency(shaded, true).pixels,
              (std::vector<std::uint32_t>{0xFFC86400, 0x80C86400}));
}
