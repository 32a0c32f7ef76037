#include "app/thumbnail_renderer.h"

#include <QPainter>
#include <algorithm>

#include "app/picture_image.h"
#include "codec/gpf_file.h"
#include "codec/picture_decoder.h"
#include "codec/picture_type.h"
#include "support/byte_cursor.h"
#include "ui/silent_ui.h"

namespace {

bool decodeFromFlash(DecodedPicture& picture, const ThumbnailSource& source) {
    if (!source.flash) return false;
    SilentUi ui;
    const PictureEntry& entry = source.entry;
    const auto type = GPFcodec::TypeInfoFromCode(entry.type);
    ByteCursor in(source.flash->bytes(), entry.dataOffset);
    return GPFcodec::DecodePicture(picture, ui, in, static_cast<std::int16_t>(entry.number),
                                   entry.width, entry.height, type.compressed, type.bitDepth);
}

bool decodeStaged(DecodedPicture& picture, const std::string& path) {
    const auto file = MappedFile::open(path);
    if (!file) return false;
    ByteCursor in(file->bytes());
    const auto header = GPFcodec::ParseGpfHeader(in);
    if (!header) return false;
    SilentUi ui;
    const auto type = GPFcodec::TypeInfoFromCode(header->typeCode);
    return GPFcodec::DecodePicture(picture, ui, in, header->pictureNumber, header->width,
                                   header->height, type.compressed, type.bitDepth);
}

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
    const bool decoded = source.stagingPath.empty() ? decodeFromFlash(picture, source)
                                                    : decodeStaged(picture, source.stagingPath);
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
