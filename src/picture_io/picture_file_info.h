#pragma once
// The main facts of an outside picture file, taken from its header before the
// picture itself is read: size, colour bits and, for GIF, the background
// colour. Pure functions over the file's bytes; nothing is decoded.

#include <cstdint>
#include <span>

namespace PictureIO {

/// What each probe returns. A probe fills only its own fields; the others stay 0.
struct PictureFileInfo {
    std::int16_t width = 0;
    std::int16_t height = 0;
    std::uint8_t colourBits = 0;
    std::uint16_t dataOffset = 0;  ///< BMP: where the pixel rows start
    std::uint8_t backgroundRed = 0;
    std::uint8_t backgroundGreen = 0;
    std::uint8_t backgroundBlue = 0;

    friend bool operator==(const PictureFileInfo&, const PictureFileInfo&) = default;
};

/// The kinds File > Open tells apart by a file's first two bytes.
enum class PictureKind { None, Bmp, Gif, Jpeg, Png };

/// "BM", "GI", FF D8 or 89 "P"; anything else (also a file shorter than two
/// bytes) is None. The extension plays no part.
[[nodiscard]] PictureKind PictureKindOf(std::span<const std::uint8_t> bytes);

/// "bmp", "gif", "jpeg", "png" or "none".
[[nodiscard]] const char* PictureKindName(PictureKind kind);

/// Low 16 bits of the BMP header fields: data offset (10), width (18),
/// height (22, negative for rows stored top down) and the low byte of the bits
/// per pixel (28); for the 12-byte OS/2 1.x header height (20) and bits (24).
[[nodiscard]] PictureFileInfo ReadBmpInfo(std::span<const std::uint8_t> bytes);

/// The GIF logical screen size, the colour bits of its packed byte and, when a
/// global colour table follows, the colour of its background index.
[[nodiscard]] PictureFileInfo ReadGifInfo(std::span<const std::uint8_t> bytes);

/// Walks the JPEG segments from `start` (just behind the FF D8 start marker)
/// up to the start of scan and keeps the size of the last baseline (FF C0) or
/// progressive (FF C2) frame header met. Other frame types give size 0.
[[nodiscard]] PictureFileInfo ReadJpegInfo(std::span<const std::uint8_t> bytes,
                                           std::size_t start = 2);

}  // namespace PictureIO
