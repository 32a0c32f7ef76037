#include "codec/stream_length.h"

#include <algorithm>

namespace GPFcodec {

namespace {

/// Larger than any width or height a picture table or GPF2 header can hold,
/// as the decoder limits them.
constexpr std::uint64_t kLargestExtent = 65535;

/// Bytes per stored pixel of the byte-aligned formats; 0 for 1 bit and for
/// depths the decoder refuses.
std::size_t pixelBytes(int bitDepth) {
    switch (bitDepth) {
        case 8:
            return 1;
        case 12:
        case 16:
            return 2;
        case 24:
            return 4;
        default:
            return 0;
    }
}

/// The control blocks the decoder reads: it stops once the pixels stored
/// fill `rows` rows of `columns`, or at the end of the source, tested after
/// each whole block. A picture without columns reads exactly one block.
std::size_t walkBlocks(std::span<const std::uint8_t> source, std::size_t position,
                       std::uint64_t columns, std::uint64_t rows, int bitDepth) {
    const std::size_t size = source.size();
    const std::size_t bytes = pixelBytes(bitDepth);
    std::uint64_t pixels = 0;
    do {
        if (position >= size) break;
        const std::uint8_t control = source[position++];
        std::uint64_t payload = 0;
        if (bitDepth == 1) {
            pixels += control < 0x80 ? 7 : control & 0x3F;
        } else if (control < 0x80) {
            payload = bytes;  // one pixel stored `control` times
            pixels += control;
        } else {
            payload = static_cast<std::uint64_t>(256 - control) * bytes;  // a literal
            pixels += static_cast<std::uint64_t>(256 - control);
        }
        position += static_cast<std::size_t>(std::min<std::uint64_t>(payload, size - position));
    } while (columns > 0 && pixels / columns < rows && position < size);
    return position;
}

}  // namespace

std::optional<std::size_t> StreamLength(std::span<const std::uint8_t> source, std::size_t start,
                                        unsigned width, unsigned height, PictureTypeInfo type) {
    const int bitDepth = type.bitDepth;
    if (bitDepth != 1 && pixelBytes(bitDepth) == 0) return std::nullopt;
    if (start >= source.size()) return 0;
    const std::uint64_t columns = std::min<std::uint64_t>(width, kLargestExtent);
    const std::uint64_t rows = columns > 0 ? std::min<std::uint64_t>(height, kLargestExtent) : 0;
    const std::uint64_t available = source.size() - start;
    if (type.compressed) return walkBlocks(source, start, columns, rows, bitDepth) - start;
    const std::uint64_t rowBytes =
        bitDepth == 1 ? (columns + 7) / 8 : columns * pixelBytes(bitDepth);
    return static_cast<std::size_t>(std::min(available, rows * rowBytes));
}

}  // namespace GPFcodec
