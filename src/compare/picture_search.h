#pragma once
// A picture looked for among the pictures of a fullflash: those that show it
// exactly, and those that look most like it.

#include <cstddef>
#include <span>
#include <vector>

#include "compare/shown_pixels.h"

struct SimilarPicture {
    int number = 0;
    /// 0 for the same picture; a colour-depth reduction of it stays within a
    /// few units; unrelated pictures lie tens apart.
    double distance = 0;
};

/// How far apart two pictures look. Both are averaged onto a grid of the
/// first one's size, at most 32 x 32 cells, and compared cell by cell by a
/// colour distance weighted as the eye weighs red, green and blue (0 to 255),
/// with transparency counting as fully as colour; a difference in size adds
/// up to 100 per side.
[[nodiscard]] double PictureDistance(const ShownPixels& wanted, const ShownPixels& other);

/// The `count` pictures nearest to `wanted`, nearest first (the lower number
/// first among equals). Pictures that cannot be decoded are left out.
[[nodiscard]] std::vector<SimilarPicture> FindSimilarPictures(std::span<const std::uint8_t> flash,
                                                              std::span<const PictureEntry> entries,
                                                              const ShownPixels& wanted,
                                                              std::size_t count);
