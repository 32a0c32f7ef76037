#include "compare/shown_pixels.h"

#include <algorithm>
#include <functional>
#include <string_view>

#include "codec/picture_decoder.h"
#include "codec/picture_type.h"
#include "support/byte_cursor.h"
#include "ui/silent_ui.h"

namespace {

std::uint32_t shownWord(const Cell& cell, bool hasAlpha) {
    const std::uint32_t colour =
        std::uint32_t{cell.red} << 16 | std::uint32_t{cell.green} << 8 | std::uint32_t{cell.blue};
    if (hasAlpha) return cell.fourth == 0 ? 0 : std::uint32_t{cell.fourth} << 24 | colour;
    return isTransparencyMarker(cell) ? 0 : 0xFF000000u | colour;
}

}  // namespace

ShownPixels ShownPixelsOf(const DecodedPicture& picture) {
    ShownPixels shown;
    shown.width = picture.canvasColumns();
    shown.height = picture.canvasRows();
    shown.pixels.reserve(static_cast<std::size_t>(shown.width) *
                         static_cast<std::size_t>(shown.height));
    for (int y = 0; y < shown.height; ++y) {
        const Cell* row = &picture.at(0, y);
        for (int x = 0; x < shown.width; ++x) {
            shown.pixels.push_back(shownWord(row[x], picture.hasAlpha));
        }
    }
    return shown;
}

std::optional<ShownPixels> ReadShownPixels(std::span<const std::uint8_t> flash,
                                           const PictureEntry& entry, DecodedPicture& scratch) {
    const auto info = GPFcodec::TypeInfoFromCode(entry.type);
    if (info.bitDepth == 0 || entry.width > DecodedPicture::kCanvasWidth ||
        entry.height > DecodedPicture::kCanvasHeight) {
        return std::nullopt;
    }
    // A stream cut off by the end of the file leaves cells it does not reach
    // as they were: cleared, they read the same for every picture.
    for (unsigned y = 0; y < entry.height; ++y) {
        std::fill_n(&scratch.at(0, static_cast<int>(y)), entry.width, Cell{});
    }
    ByteCursor source(flash, entry.dataOffset);
    SilentUi quiet;
    GPFcodec::DecodePicture(scratch, quiet, source, static_cast<std::int16_t>(entry.number),
                            entry.width, entry.height, info.compressed, info.bitDepth);
    return ShownPixelsOf(scratch);
}

std::uint64_t PixelHash(const ShownPixels& shown) {
    const std::string_view bytes(reinterpret_cast<const char*>(shown.pixels.data()),
                                 shown.pixels.size() * sizeof(std::uint32_t));
    return std::hash<std::string_view>{}(bytes) ^ (static_cast<std::uint64_t>(shown.width) << 48 |
                                                   static_cast<std::uint64_t>(shown.height) << 32);
}
