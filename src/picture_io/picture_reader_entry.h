#pragma once
// The one entry point of the picture reader library, the only part of Pictavo
// that needs QtGui. The core loads the library on first use (see
// picture_reader.h), so programs and commands that never decode a BMP, GIF or
// JPEG file start without loading Qt at all. A plain C signature keeps the two
// sides independent of each other's C++ types.

#include <cstddef>
#include <cstdint>

extern "C" {

/// Decodes the `size` bytes of a picture file and writes `width` x `height`
/// pixels as 0xAARRGGBB, top row first, into `argb`. Pixels outside the
/// decoded picture are opaque black. Returns 0 when the bytes cannot be
/// decoded, 1 otherwise.
using PictavoDecodePicture = int (*)(const std::uint8_t* bytes, std::size_t size, int width,
                                     int height, std::uint32_t* argb);

}  // extern "C"

namespace PictureIO {

/// The library's file name and the name under which it exports its
/// PictavoDecodePicture.
inline constexpr const char* kPictureReaderFileName = "libpictavo-picture-reader.so";
inline constexpr const char* kPictureReaderEntryName = "pictavo_decode_picture";

}  // namespace PictureIO
