#pragma once
// What a picture shows, as the codec defines it, in a form two pictures can be
// compared by whatever format either comes from: one word per pixel, with a
// transparent pixel the same whether it was the transparency marker colour of
// a picture without alpha or an alpha of zero.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "codec/decoded_picture.h"
#include "fullflash/picture_table.h"

/// A picture's size and its pixels row after row: 0 for a transparent pixel,
/// else alpha << 24 | red << 16 | green << 8 | blue, the alpha 255 for every
/// pixel of a picture without alpha.
struct ShownPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    friend bool operator==(const ShownPixels&, const ShownPixels&) = default;
};

/// The pixels of `picture` (width x height, which the canvas must hold).
[[nodiscard]] ShownPixels ShownPixelsOf(const DecodedPicture& picture);

/// Decodes the entry's stream and returns what it shows; nothing for a type
/// the decoder refuses or a picture larger than the canvas. `scratch` is the
/// decoder's canvas, kept by the caller so a loop decodes without allocating.
[[nodiscard]] std::optional<ShownPixels> ReadShownPixels(std::span<const std::uint8_t> flash,
                                                         const PictureEntry& entry,
                                                         DecodedPicture& scratch);

/// A cheap hash of the pixels, so equal pictures are found without comparing
/// every pair.
[[nodiscard]] std::uint64_t PixelHash(const ShownPixels& shown);
