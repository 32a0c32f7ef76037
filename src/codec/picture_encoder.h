#pragma once
// Turns the current picture into a firmware picture data stream.

#include <array>
#include <cstdint>
#include <string>

#include "codec/decoded_picture.h"

namespace GPFcodec {

/// One canvas cell as stream bytes: blue, green, red, fourth (alpha).
using PixelBytes = std::array<std::uint8_t, 4>;

/// True for the type codes EncodePicture writes: 0x01, 0x05, 0x08, 0x0A
/// (uncompressed 1, 8, 16, 24) and 0x85, 0x88, 0x8A (compressed 8, 16, 24).
[[nodiscard]] bool IsEncodableType(int typeCode);

/// The pixel bytes a cell is encoded from. With alpha, a 24-format code
/// (0x0A, 0x8A) keeps the alpha byte; other codes keep pixels of alpha 127 or
/// more with a zero fourth byte and turn the rest into the TransparencyMarker.
/// Without alpha, a 24-format code gives alpha 255, or 0 for marker cells;
/// other codes give a zero fourth byte.
[[nodiscard]] PixelBytes CellToPixelBytes(bool hasAlpha, int typeCode, const Cell& cell);

/// The stream for `picture` in the format of `typeCode`, using `hasAlpha`.
/// Covers the part of the picture the canvas holds (canvasColumns() x
/// canvasRows()): a picture decoded wider or taller than the canvas is saved at
/// the canvas size, so callers write that size into their headers.
/// Uncompressed 1-bit rows end on a byte, the last one completed with black
/// (1) bits. Compressed streams are cut into runs of 2..127 equal pixel bytes
/// and literals of 1..127 pixels. Returns an empty string for a code that
/// IsEncodableType refuses (0x81, 0x07, 0x87, anything else) and for a picture
/// without pixels.
[[nodiscard]] std::string EncodePicture(const DecodedPicture& picture, int typeCode);

}  // namespace GPFcodec
