#pragma once
// Data streams of synthetic firmware pictures: structured pixel content
// (gradients, stripes, checks, transparent corners) stored in the firmware's
// pixel formats, uncompressed or run-length compressed the way the firmware's
// decoder reads them. One function per kind of stream.

#include <array>
#include <cstdint>
#include <vector>

struct SourcePixel {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool transparent = false;
};

enum class PixelPattern { HorizontalGradient, VerticalGradient, Stripes, Checks, Diagonal };
inline constexpr int kPixelPatternCount = 5;

/// A width x height picture, row after row, coloured by `tint`. The corners of
/// pictures of at least 4 x 4 pixels are transparent.
[[nodiscard]] std::vector<SourcePixel> MakePixels(int width, int height, PixelPattern pattern,
                                                  SourcePixel tint);

/// Bit depth number named by a type byte's low nibble: 1, 8, 12, 16, 24, or 0.
[[nodiscard]] int BitDepthOf(std::uint8_t type);

/// A pixel as the firmware stores it: 1 byte (8 bit), 2 (12 and 16 bit) or
/// 4 (24 bit: blue, green, red, alpha).
struct StoredPixel {
    std::array<std::uint8_t, 4> bytes{};
    int size = 0;

    friend bool operator==(const StoredPixel&, const StoredPixel&) = default;
};

/// Transparent pixels get the format's transparent value (alpha 0 in 24 bit);
/// an opaque colour that would land on that value is nudged off it.
[[nodiscard]] StoredPixel StorePixel(int bitDepth, const SourcePixel& pixel);

/// Type 0x01: rows of ceil(width / 8) bytes, most significant bit first, 1 = black.
[[nodiscard]] std::vector<std::uint8_t> PackedBitsStream(int width, int height,
                                                         const std::vector<SourcePixel>& pixels);

/// Type 0x81: a control byte below 0x80 holds seven pixels in bits 6..0; 0x80
/// and above is a run of (c & 0x3F) pixels, black when bit 6 is set. Literals
/// are used only where seven pixels remain, so nothing is stored past the end.
[[nodiscard]] std::vector<std::uint8_t> RunLengthBitsStream(const std::vector<SourcePixel>& pixels);

/// Types 0x05, 0x07, 0x08, 0x0A: every pixel's stored bytes in order.
[[nodiscard]] std::vector<std::uint8_t> PackedPixelsStream(int bitDepth,
                                                           const std::vector<SourcePixel>& pixels);

/// Types 0x85, 0x87, 0x88, 0x8A by the decoding rules: a control byte c below 0x80 is followed by
/// one pixel stored c times; 0x80 and above by 256 - c literal pixels.
[[nodiscard]] std::vector<std::uint8_t> RunLengthPixelsStream(
    int bitDepth, const std::vector<SourcePixel>& pixels);

/// Types 0x85, 0x88, 0x8A as the program's encoder writes them (width and
/// height at most 240 x 320, the canvas size).
[[nodiscard]] std::vector<std::uint8_t> EncodedStream(std::uint8_t type, int width, int height,
                                                      const std::vector<SourcePixel>& pixels);

/// The stream of a picture of `type` (one of the ten decodable type bytes).
[[nodiscard]] std::vector<std::uint8_t> PictureStream(std::uint8_t type, int width, int height,
                                                      const std::vector<SourcePixel>& pixels);
