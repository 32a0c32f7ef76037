#pragma once
// Bitmaps of 1, 4 and 8 bits per pixel without compression, read here rather
// than by QImage so that a palette shorter than the depth allows reads as the
// common readers read it: its length comes from the header (OS/2 1.x entries
// are 3 bytes, all others 4) and is never taken past the pixel data, and an
// index past its end is black.

#include <cstdint>
#include <optional>
#include <span>

#include "picture_io/picture_pixels.h"

namespace PictureIO {

/// `width` x `height` pixels of the bitmap, rows from the bottom one up unless
/// `topDown`; bytes the file lacks read as 0. nullopt for a bitmap of another
/// depth or with compressed rows.
[[nodiscard]] std::optional<PicturePixels> ReadPalettedBmpPixels(
    std::span<const std::uint8_t> bytes, int width, int height, bool topDown);

}  // namespace PictureIO
