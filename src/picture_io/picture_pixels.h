#pragma once
// The pixels of an outside picture file, as the canvas takes them. 32-bit
// bitmaps are read here byte by byte so their alpha survives; every other
// picture goes through the picture reader library (QImage: BMP of any depth,
// GIF's first frame, JPEG, PNG), loaded on the first such picture.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "codec/decoded_picture.h"

namespace PictureIO {

/// A picture's cells, top row first, each row left to right.
struct PicturePixels {
    int width = 0;
    int height = 0;
    std::vector<Cell> cells;

    [[nodiscard]] const Cell& at(int x, int y) const {
        return cells[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                     static_cast<std::size_t>(x)];
    }
};

/// Reads `width` x `height` pixels of four bytes (blue, green, red, alpha) from
/// `dataOffset` on, rows from the bottom one up unless `topDown`. Bytes the
/// file lacks read as 0. Negative sizes count as 0.
[[nodiscard]] PicturePixels ReadBmp32Pixels(std::span<const std::uint8_t> bytes,
                                            std::size_t dataOffset, int width, int height,
                                            bool topDown);

/// Decodes the bytes with the picture reader, whatever the kind, and takes
/// `width` x `height` cells as (red, green, blue, 0): pixels that are not
/// opaque are blended over `background`, as a picture box shows them; cells
/// outside the decoded picture are black. nullopt when the bytes cannot be
/// decoded or the reader cannot be loaded (PictureReaderProblem() tells).
[[nodiscard]] std::optional<PicturePixels> LoadPicturePixels(std::span<const std::uint8_t> bytes,
                                                             int width, int height,
                                                             Cell background);

}  // namespace PictureIO
