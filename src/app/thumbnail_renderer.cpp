#include "app/thumbnail_renderer.h"

#include <QPainter>
#include <algorithm>

#include "app/picture_image.h"
#include "commands/preview_commands.h"

namespace {

/// Light squares of four picture pixels under the tile, so transparent parts
/// show as such whatever their colour.
void paintCheckerboard(QImage& tile) {
    QPainter painter(&tile);
    constexpr int kSquare = 4;
    for (int y = 0; y < tile.height(); y += kSquare) {
        for (int x = 0; x < tile.width(); x += kSquare) {
            const bool light = (x / kSquare + y / kSquare) % 2 == 0;
            painter.fillRect(x, y, kSquare, kSquare,
                             light ? QColor(255, 255, 255) : QColor(216, 216, 216));
        }
    }
}

}  // namespace

QImage RenderThumbnail(const ThumbnailSource& source, int size) {
    // One canvas per worker: a decode never clears it, and the tile is cut to
    // the picture's own size, so what earlier pictures left never shows.
    thread_local DecodedPicture picture;
    const bool decoded =
        source.stagingPath.empty()
            ? source.flash && DecodeFullflashPicture(picture, source.flash->bytes(), source.entry)
            : DecodeGpfFile(picture, source.stagingPath);
    if (!decoded) return {};
    const QImage image = PictureWithAlpha(picture);
    if (image.isNull()) return {};
    const int factor = std::min(size / image.width(), size / image.height());
    const QImage scaled =
        factor >= 1 ? image.scaled(image.size() * factor)
                    : image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage tile(scaled.size(), QImage::Format_RGB32);
    paintCheckerboard(tile);
    QPainter(&tile).drawImage(0, 0, scaled);
    return tile;
}
