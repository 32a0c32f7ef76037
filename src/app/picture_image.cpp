#include "app/picture_image.h"

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
