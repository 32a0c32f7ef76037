#pragma once
// How many bytes a picture's data stream takes, found without decoding a
// pixel: compressed streams are walked block by block, uncompressed ones are
// sized by arithmetic. Lets two streams be compared byte for byte before
// anyone pays for decoding them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "codec/picture_type.h"

namespace GPFcodec {

/// Exactly the `dataSize` that DecodePicture reports for the stream at
/// `start` of `source` (same width, height, compression and depth, sizes
/// already whole numbers); nothing for a depth the decoder refuses.
[[nodiscard]] std::optional<std::size_t> StreamLength(std::span<const std::uint8_t> source,
                                                      std::size_t start, unsigned width,
                                                      unsigned height, PictureTypeInfo type);

}  // namespace GPFcodec
