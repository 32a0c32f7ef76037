#include "picture_io/picture_pixels.h"

#include <QImage>
#include <algorithm>

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
    const auto data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QImage decoded;
    if (!decoded.loadFromData(data)) return std::nullopt;
    const QImage image = decoded.convertToFormat(QImage::Format_ARGB32);
    PicturePixels pixels;
    pixels.width = std::max(width, 0);
    pixels.height = std::max(height, 0);
    pixels.cells.resize(static_cast<std::size_t>(pixels.width) *
                        static_cast<std::size_t>(pixels.height));
    const int rows = std::min(pixels.height, image.height());
    const int columns = std::min(pixels.width, image.width());
    for (int y = 0; y < rows; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < columns; ++x) {
            const QRgb pixel = line[x];
            const int alpha = qAlpha(pixel);
            pixels.cells[static_cast<std::size_t>(y) * pixels.width + x] = {
                blend(qRed(pixel), alpha, background.red),
                blend(qGreen(pixel), alpha, background.green),
                blend(qBlue(pixel), alpha, background.blue), 0};
        }
    }
    return pixels;
}

}  // namespace PictureIO
