#include "app/picture_image.h"

#include <cstring>

QImage PictureWithAlpha(const DecodedPicture& picture) {
    QImage image(picture.canvasColumns(), picture.canvasRows(), QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const Cell& cell = picture.at(x, y);
            const int alpha = picture.hasAlpha ? cell.fourth : isTransparencyMarker(cell) ? 0 : 255;
            line[x] = qRgba(cell.red, cell.green, cell.blue, alpha);
        }
    }
    return image;
}

QImage PaintedToImage(const GPFcodec::PaintedImage& painted) {
    if (painted.width <= 0 || painted.height <= 0) return {};
    QImage image(painted.width, painted.height, QImage::Format_ARGB32);
    for (int y = 0; y < painted.height; ++y) {
        std::memcpy(image.scanLine(y),
                    painted.pixels.data() + static_cast<std::size_t>(y) * painted.width,
                    static_cast<std::size_t>(painted.width) * sizeof(std::uint32_t));
    }
    return image;
}
