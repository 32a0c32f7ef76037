#pragma once
// Uncompressed Windows bitmaps of 24 or 32 bits per pixel from the current
// picture.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "codec/decoded_picture.h"

namespace GPFcodec {

inline constexpr std::size_t kBmpHeaderSize = 54;

/// The 54-byte file and information header of a bitmap `width` x `height`
/// (rows stored bottom to top) with 24 or 32 bits per pixel: "BM", file length,
/// pixel data at 54, a 40-byte information header, one plane, no compression,
/// pixel data size, zero resolutions and colour counts. Negative sizes count as 0.
[[nodiscard]] std::string WriteBmpHeader(int width, int height, int bitsPerPixel);

/// The whole bitmap of the part of `picture` the canvas holds: rows from the
/// bottom one up, pixels as blue, green, red (24 bits, rows padded with zero
/// bytes to a multiple of 4) or blue, green, red, alpha (32 bits, no padding).
/// Alpha is the fourth byte when `hasAlpha`, else 255, or 0 for cells showing
/// the TransparencyMarker.
[[nodiscard]] std::string BmpFileBytes(const DecodedPicture& picture, bool bits32);

/// The bitmap the converter writes for a picture it has read: `width` x
/// `height` pixels given as 0xAARRGGBB, top row first, stored from the bottom
/// row up as blue, green, red and alpha (32 bits) or as blue, green, red alone
/// (24 bits, rows padded to a multiple of 4; alpha dropped, nothing blended).
/// Pixels `argb` lacks are written as 0.
[[nodiscard]] std::string BmpFromArgb(int width, int height, std::span<const std::uint32_t> argb,
                                      bool bits32);

/// Writes BmpFileBytes to `path`, replacing an existing file without asking.
/// False when the file cannot be written.
bool WriteBmpFile(const std::string& path, const DecodedPicture& picture, bool bits32);

}  // namespace GPFcodec
