#include "codec/picture_decoder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "codec/pixel_cursor.h"
#include "codec/pixel_formats.h"
#include "codec/stream_reader.h"

namespace GPFcodec {

namespace {

using namespace formats;

constexpr std::int64_t kCanvasColumns = DecodedPicture::kCanvasWidth;
constexpr std::int64_t kCanvasRows = DecodedPicture::kCanvasHeight;
/// Larger than any width or height a picture table or GPF2 header can hold.
constexpr std::int64_t kLargestExtent = 65535;

/// Nearest integer, halves to even; NaN counts as 0 and huge values saturate.
std::int64_t roundHalfEven(double value) {
    constexpr double kLimit = 1e15;
    if (std::isnan(value)) return 0;
    value = std::clamp(value, -kLimit, kLimit);
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0)) whole += 1;
    return static_cast<std::int64_t>(whole);
}

std::int16_t toInt16(std::int64_t value) {
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

Cell* rowCells(DecodedPicture& picture, std::int64_t y) {
    return picture.canvas.data() + y * kCanvasColumns;
}

// Uncompressed streams: the kept part of every row, then arithmetic skips over
// the columns and rows the canvas has no room for.

template <class Format>
void decodeRaw(StreamReader& in, DecodedPicture& picture, std::int64_t columns, std::int64_t rows) {
    const std::int64_t keptColumns = std::min(columns, kCanvasColumns);
    const std::int64_t keptRows = std::min(rows, kCanvasRows);
    const auto rowBytes = static_cast<std::uint64_t>(columns) * Format::kBytes;
    for (std::int64_t y = 0; y < keptRows; ++y) {
        Cell* row = rowCells(picture, y);
        if (const std::uint8_t* bytes =
                in.span(static_cast<std::size_t>(keptColumns) * Format::kBytes)) {
            for (std::int64_t x = 0; x < keptColumns; ++x) {
                row[x] = Format::toCell(bytes + x * static_cast<std::int64_t>(Format::kBytes));
            }
        } else {
            for (std::int64_t x = 0; x < keptColumns; ++x) {
                row[x] = Format::toCell(in.take(Format::kBytes));
            }
        }
        in.skip(static_cast<std::uint64_t>(columns - keptColumns) * Format::kBytes);
    }
    in.skip(static_cast<std::uint64_t>(rows - keptRows) * rowBytes);
}

/// Every row starts on a new byte, most significant bit first; the low bits
/// of a row's last byte that pass the width are ignored.
void decodeBitsRaw(StreamReader& in, DecodedPicture& picture, std::int64_t columns,
                   std::int64_t rows) {
    const std::int64_t keptColumns = std::min(columns, kCanvasColumns);
    const std::int64_t keptRows = std::min(rows, kCanvasRows);
    const std::int64_t rowBytes = (columns + 7) / 8;
    const std::int64_t keptBytes = (keptColumns + 7) / 8;
    for (std::int64_t y = 0; y < keptRows; ++y) {
        Cell* row = rowCells(picture, y);
        for (std::int64_t first = 0; first < keptColumns; first += 8) {
            const std::uint8_t bits = in.byte();
            const std::int64_t last = std::min(first + 8, keptColumns);
            for (std::int64_t x = first; x < last; ++x) {
                row[x] = (bits >> (7 - (x - first))) & 1 ? kBlack : kWhite;
            }
        }
        in.skip(static_cast<std::uint64_t>(rowBytes - keptBytes));
    }
    in.skip(static_cast<std::uint64_t>(rows - keptRows) * static_cast<std::uint64_t>(rowBytes));
}

// Compressed streams: control blocks until the rows are filled or the source
// ends, tested after each whole block.

template <class Format>
void decodeRuns(StreamReader& in, DecodedPicture& picture, std::int64_t columns,
                std::int64_t rows) {
    PixelCursor cursor(picture, columns);
    do {
        const std::uint8_t control = in.byte();
        if (control < 0x80) {
            // A run: one pixel stored `control` times (0 consumes it and stores nothing).
            cursor.fill(Format::toCell(in.take(Format::kBytes)), control);
            continue;
        }
        // A literal of 256 - control pixels: 0x80 is 128, 0xFF one.
        for (int count = 256 - control; count > 0; --count) {
            if (cursor.onCanvas()) {
                cursor.store(Format::toCell(in.take(Format::kBytes)));
            } else {
                in.skip(Format::kBytes);
                cursor.pass();
            }
        }
    } while (cursor.row() < rows && !in.atEnd());
}

void decodeBitRuns(StreamReader& in, DecodedPicture& picture, std::int64_t columns,
                   std::int64_t rows) {
    PixelCursor cursor(picture, columns);
    do {
        const std::uint8_t control = in.byte();
        if (control < 0x80) {
            // 0lllllll: seven literal pixels, bit 6 first, all stored even past the last row.
            for (int bit = 6; bit >= 0; --bit) cursor.store((control >> bit) & 1 ? kBlack : kWhite);
        } else {
            // 1cnnnnnn: n pixels of colour c (1 black).
            cursor.fill(control & 0x40 ? kBlack : kWhite, control & 0x3F);
        }
    } while (cursor.row() < rows && !in.atEnd());
}

using DecodeFunction = void (*)(StreamReader&, DecodedPicture&, std::int64_t, std::int64_t);

struct Decoder {
    int bitDepth;
    DecodeFunction raw;
    DecodeFunction runs;
};

constexpr Decoder kDecoders[] = {
    {1, decodeBitsRaw, decodeBitRuns},                // type x1: 1 bit, 1 = black
    {8, decodeRaw<Stored8>, decodeRuns<Stored8>},     // type x5: RRRGGGBB
    {12, decodeRaw<Stored12>, decodeRuns<Stored12>},  // type x7: 0RGB words
    {16, decodeRaw<Stored16>, decodeRuns<Stored16>},  // type x8: RGB565 words
    {24, decodeRaw<Stored24>, decodeRuns<Stored24>},  // type xA: blue, green, red, alpha
};

const Decoder* decoderFor(int bitDepth) {
    for (const Decoder& decoder : kDecoders) {
        if (decoder.bitDepth == bitDepth) return &decoder;
    }
    return nullptr;
}

}  // namespace

bool DecodePicture(DecodedPicture& picture, Ui& ui, ByteCursor& source, std::int16_t pictureNumber,
                   double width, double height, bool compressed, int bitDepth,
                   const PhraseBook& words) {
    const Decoder* decoder = decoderFor(bitDepth);
    if (decoder == nullptr) {
        constexpr Phrase kNotSupported{"str_NoDecode", "Not Supported GPF!"};
        constexpr Phrase kDepth{"str_DepthBit", "%1bit"};
        ui.message(words(kNotSupported), words(kDepth, {std::to_string(bitDepth)}),
                   MessageButtons::Ok);
        return false;
    }
    const std::int64_t roundedWidth = roundHalfEven(width);
    const std::int64_t roundedHeight = roundHalfEven(height);
    const std::int64_t columns = std::clamp<std::int64_t>(roundedWidth, 0, kLargestExtent);
    const std::int64_t rows = std::clamp<std::int64_t>(roundedHeight, 0, kLargestExtent);

    const std::size_t start = source.position();
    StreamReader in(source.data(), start);
    (compressed ? decoder->runs : decoder->raw)(in, picture, columns, columns > 0 ? rows : 0);
    const std::size_t end = std::max(start, in.position());
    source.seek(end);

    picture.width = toInt16(roundedWidth);
    picture.height = toInt16(roundedHeight);
    picture.pictureNumber = pictureNumber;
    picture.dataSize = static_cast<double>(end - start);
    picture.hasAlpha = bitDepth == 24;
    return true;
}

}  // namespace GPFcodec
