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
    /// 0xAARRGGBB, row after row from the top; alpha below 0xFF only in a
    /// picture painted with its transparency kept.
    std::vector<std::uint32_t> pixels;
};

/// Paints the part of `picture` the canvas holds (empty for a width or height
/// of 0 or less) on the background bgR, bgG, bgB.
/// - `transparency` off: every cell shows its red, green, blue.
/// - on, with `hasAlpha`: each channel is clamp(C - alpha + bg, 0, bg), so
///   alpha 0 shows the background.
/// - on, without alpha: TransparencyMarker cells show the background.
[[nodiscard]] PaintedImage PaintPicture(const DecodedPicture& picture, bool transparency,
                                        std::uint8_t bgR, std::uint8_t bgG, std::uint8_t bgB);

/// The picture with its transparency kept for whatever the front end draws
/// beneath it (a checkerboard in screen pixels): with `transparency` on, a
/// picture with alpha keeps each cell's alpha and the TransparencyMarker cells
/// of one without become fully transparent; off, every cell is opaque.
[[nodiscard]] PaintedImage PaintPictureKeepingTransparency(const DecodedPicture& picture,
                                                           bool transparency);

}  // namespace GPFcodec
