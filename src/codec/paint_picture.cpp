#include "codec/paint_picture.h"

#include <algorithm>

namespace GPFcodec {

namespace {

std::uint32_t opaque(int red, int green, int blue) {
    return 0xFF000000u | static_cast<std::uint32_t>(red) << 16 |
           static_cast<std::uint32_t>(green) << 8 | static_cast<std::uint32_t>(blue);
}

int blend(int channel, int alpha, int background) {
    return std::clamp(channel - alpha + background, 0, background);
}

}  // namespace

PaintedImage PaintPicture(const DecodedPicture& picture, bool transparency, std::uint8_t bgR,
                          std::uint8_t bgG, std::uint8_t bgB) {
    PaintedImage image;
    image.width = picture.canvasColumns();
    image.height = picture.canvasRows();
    if (image.width == 0 || image.height == 0) return PaintedImage{};
    image.pixels.reserve(static_cast<std::size_t>(image.width * image.height));
    const std::uint32_t background = opaque(bgR, bgG, bgB);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const Cell& c = picture.at(x, y);
            if (!transparency) {
                image.pixels.push_back(opaque(c.red, c.green, c.blue));
            } else if (picture.hasAlpha) {
                image.pixels.push_back(opaque(blend(c.red, c.fourth, bgR),
                                              blend(c.green, c.fourth, bgG),
                                              blend(c.blue, c.fourth, bgB)));
            } else {
                image.pixels.push_back(isTransparencyMarker(c) ? background
                                                               : opaque(c.red, c.green, c.blue));
            }
        }
    }
    return image;
}

}  // namespace GPFcodec
