// The picture reader library: BMP of any depth, GIF's first frame, JPEG and
// PNG decoded by QImage. QtGui only: no window and no QGuiApplication.

#include <QImage>
#include <algorithm>
#include <type_traits>

#include "picture_io/picture_reader_entry.h"

extern "C" __attribute__((visibility("default"))) int pictavo_decode_picture(
    const std::uint8_t* bytes, std::size_t size, int width, int height, std::uint32_t* argb) {
    const auto data =
        QByteArray::fromRawData(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
    QImage decoded;
    if (!decoded.loadFromData(data)) return 0;
    const QImage image = decoded.convertToFormat(QImage::Format_ARGB32);
    const auto columns = static_cast<std::size_t>(std::max(width, 0));
    const auto rows = static_cast<std::size_t>(std::max(height, 0));
    std::fill_n(argb, columns * rows, qRgba(0, 0, 0, 255));
    const auto shownRows = std::min(rows, static_cast<std::size_t>(image.height()));
    const auto shownColumns = std::min(columns, static_cast<std::size_t>(image.width()));
    for (std::size_t y = 0; y < shownRows; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(static_cast<int>(y)));
        std::copy_n(line, shownColumns, argb + y * columns);
    }
    return 1;
}

static_assert(std::is_same_v<decltype(&pictavo_decode_picture), PictavoDecodePicture>,
              "the exported entry must have the signature the core calls");
