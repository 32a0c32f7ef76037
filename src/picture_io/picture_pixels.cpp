#include "picture_io/picture_pixels.h"

#include <algorithm>

#include "picture_io/picture_reader_loader.h"
#include "support/byte_cursor.h"

namespace PictureIO {

namespace {

std::uint8_t blend(int colour, int alpha, int background) {
    return static_cast<std::uint8_t>((colour * alpha + background * (255 - alpha) + 127) / 255);
}

}  // namespace

PicturePixels ReadBmp32Pixels(std::span<const std::uint8_t> bytes, std::size_t dataOffset,
                              int width, int height, bool topDown) {
    PicturePixels pixels;
    pixels.width = std::max(width, 0);
    pixels.height = std::max(height, 0);
    pixels.cells.resize(static_cast<std::size_t>(pixels.width) *
                        static_cast<std::size_t>(pixels.height));
    ByteCursor in(bytes, dataOffset);
    for (int row = 0; row < pixels.height; ++row) {
        const int y = topDown ? row : pixels.height - 1 - row;
        for (int x = 0; x < pixels.width; ++x) {
            Cell& cell = pixels.cells[static_cast<std::size_t>(y) * pixels.width + x];
            cell.blue = in.u8();
            cell.green = in.u8();
            cell.red = in.u8();
            cell.fourth = in.u8();
        }
    }
    return pixels;
}

std::optional<PicturePixels> LoadPicturePixels(std::span<const std::uint8_t> bytes, int width,
                                               int height, Cell background) {
    const PictavoDecodePicture decode = PictureReader();
    if (decode == nullptr) return std::nullopt;
    PicturePixels pixels;
    pixels.width = std::max(width, 0);
    pixels.height = std::max(height, 0);
    std::vector<std::uint32_t> argb(static_cast<std::size_t>(pixels.width) *
                                    static_cast<std::size_t>(pixels.height));
    if (decode(bytes.data(), bytes.size(), pixels.width, pixels.height, argb.data()) == 0) {
        return std::nullopt;
    }
    pixels.cells.reserve(argb.size());
    for (const std::uint32_t pixel : argb) {
        const int alpha = static_cast<int>(pixel >> 24);
        pixels.cells.push_back(
            {blend(static_cast<int>((pixel >> 16) & 0xFF), alpha, background.red),
             blend(static_cast<int>((pixel >> 8) & 0xFF), alpha, background.green),
             blend(static_cast<int>(pixel & 0xFF), alpha, background.blue), 0});
    }
    return pixels;
}

}  // namespace PictureIO
