#include "codec/paint_picture.h"

#include <algorithm>

namespace GPFcodec {

namespace {

std::uint32_t opaque(int red, int green, int blue) {
    return 0xFF000000u | static_cast<std::uint32_t>(red) << 16 |
           static_cast<std::uint32_t>(green) << 8 | static_cast<std::uint32_t>(blue);
}

/// The preview's own rule on its plain background.
int blendOnBackground(int channel, int alpha, int background) {
    return std::clamp(channel - alpha + background, 0, background);
}

/// A checkerboard square seen through the pixel: alpha 255 is the pixel's
/// colour, 0 the square's, and between them the mix. The rule above, which
/// clamps to the background, would let the squares show through opaque pixels.
int blendOnSquare(int channel, int alpha, int square) {
    return (channel * alpha + square * (255 - alpha) + 127) / 255;
}

int channel(std::uint32_t colour, int shift) {
    return static_cast<int>((colour >> shift) & 0xFF);
}

/// The painting rules with the background colour of each cell given by
/// `backgroundAt(x, y)` as 0xFFRRGGBB, and a pixel with alpha mixed into it
/// channel by channel by `blend(channel, alpha, background)`.
template <class BackgroundAt, class Blend>
PaintedImage paint(const DecodedPicture& picture, bool transparency, BackgroundAt backgroundAt,
                   Blend blend) {
    PaintedImage image;
    image.width = picture.canvasColumns();
    image.height = picture.canvasRows();
    if (image.width == 0 || image.height == 0) return PaintedImage{};
    image.pixels.reserve(static_cast<std::size_t>(image.width) *
                         static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const Cell& c = picture.at(x, y);
            if (!transparency) {
                image.pixels.push_back(opaque(c.red, c.green, c.blue));
                continue;
            }
            const std::uint32_t background = backgroundAt(x, y);
            if (picture.hasAlpha) {
                image.pixels.push_back(opaque(blend(c.red, c.fourth, channel(background, 16)),
                                              blend(c.green, c.fourth, channel(background, 8)),
                                              blend(c.blue, c.fourth, channel(background, 0))));
            } else {
                image.pixels.push_back(isTransparencyMarker(c) ? background
                                                               : opaque(c.red, c.green, c.blue));
            }
        }
    }
    return image;
}

}  // namespace

PaintedImage PaintPicture(const DecodedPicture& picture, bool transparency, std::uint8_t bgR,
                          std::uint8_t bgG, std::uint8_t bgB) {
    const std::uint32_t background = opaque(bgR, bgG, bgB);
    return paint(
        picture, transparency, [background](int, int) { return background; }, blendOnBackground);
}

PaintedImage PaintPicture(const DecodedPicture& picture, bool transparency,
                          const Checkerboard& checkerboard) {
    const int square = std::max(1, checkerboard.square);
    return paint(
        picture, transparency,
        [&checkerboard, square](int x, int y) {
            return (x / square + y / square) % 2 == 0 ? checkerboard.light : checkerboard.dark;
        },
        blendOnSquare);
}

}  // namespace GPFcodec
