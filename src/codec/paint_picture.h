#pragma once
// The preview's painting rules as a plain pixel buffer, so every front end
// (and every test) draws the same thing.

#include <cstdint>
#include <vector>

#include "codec/decoded_picture.h"

namespace GPFcodec {

struct PaintedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  ///< 0xFFRRGGBB, row after row from the top
};

/// Paints the part of `picture` the canvas holds (empty for a width or height
/// of 0 or less) on the background bgR, bgG, bgB.
/// - `transparency` off: every cell shows its red, green, blue.
/// - on, with `hasAlpha`: each channel is clamp(C - alpha + bg, 0, bg), so
///   alpha 0 shows the background.
/// - on, without alpha: TransparencyMarker cells show the background.
[[nodiscard]] PaintedImage PaintPicture(const DecodedPicture& picture, bool transparency,
                                        std::uint8_t bgR, std::uint8_t bgG, std::uint8_t bgB);

/// Two background colours in squares, so that transparent pixels show as a
/// pattern whatever colour they have.
struct Checkerboard {
    std::uint32_t light = 0xFFFFFFFF;  ///< 0xFFRRGGBB
    std::uint32_t dark = 0xFFCCCCCC;
    int square = 8;  ///< cells per side of a square; below 1 counts as 1
};

/// The same rules, each cell on the checkerboard colour under it; a pixel with
/// alpha is mixed with its square (alpha 255 its own colour, 0 the square's).
[[nodiscard]] PaintedImage PaintPicture(const DecodedPicture& picture, bool transparency,
                                        const Checkerboard& checkerboard);

}  // namespace GPFcodec
