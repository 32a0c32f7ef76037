#include "codec/paint_picture.h"

#include <algorithm>

namespace GPFcodec {

namespace {

std::uint32_t argb(std::uint32_t alpha, int red, int green, int blue) {
    return alpha << 24 | static_cast<std::uint32_t>(red) << 16 |
           static_cast<std::uint32_t>(green) << 8 | static_cast<std::uint32_t>(blue);
}

std::uint32_t opaque(int red, int green, int blue) {
    return argb(0xFF, red, green, blue);
}

/// The preview's own rule on its plain background.
int blendOnBackground(int channel, int alpha, int background) {
    return std::clamp(channel - alpha + background, 0, background);
}

/// The part of the picture the canvas holds, each cell painted as
/// `paintCell(cell)` gives it.
template <class PaintCell>
PaintedImage paintCells(const DecodedPicture& picture, PaintCell paintCell) {
    PaintedImage image;
    image.width = picture.canvasColumns();
    image.height = picture.canvasRows();
    if (image.width == 0 || image.height == 0) return PaintedImage{};
    image.pixels.reserve(static_cast<std::size_t>(image.width) *
                         static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) image.pixels.push_back(paintCell(picture.at(x, y)));
    }
    return image;
}

}  // namespace

PaintedImage PaintPicture(const DecodedPicture& picture, bool transparency, std::uint8_t bgR,
                          std::uint8_t bgG, std::uint8_t bgB) {
    const std::uint32_t background = opaque(bgR, bgG, bgB);
    return paintCells(picture, [&](const Cell& c) {
        if (!transparency) return opaque(c.red, c.green, c.blue);
        if (picture.hasAlpha) {
            return opaque(blendOnBackground(c.red, c.fourth, bgR),
                          blendOnBackground(c.green, c.fourth, bgG),
                          blendOnBackground(c.blue, c.fourth, bgB));
        }
        return isTransparencyMarker(c) ? background : opaque(c.red, c.green, c.blue);
    });
}

PaintedImage PaintPictureKeepingTransparency(const DecodedPicture& picture, bool transparency) {
    return paintCells(picture, [&](const Cell& c) {
        std::uint32_t alpha = 0xFF;
        if (transparency && picture.hasAlpha) alpha = c.fourth;
        if (transparency && !picture.hasAlpha && isTransparencyMarker(c)) alpha = 0;
        return argb(alpha, c.red, c.green, c.blue);
    });
}

}  // namespace GPFcodec
