#pragma once
// The facts of a PNG file that Pictavo needs before the converter turns it
// into a bitmap: size, bit depth, colour type, palette, background and
// transparency. The chunks are walked without decoding pixels or checking
// checksums.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace PNGcodec {

struct PaletteEntry {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 0;

    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

struct PngInfo {
    /// IHDR size; sizes above 32767 are held as 32767, which no picture limit admits.
    std::int16_t width = 0;
    std::int16_t height = 0;
    std::uint8_t bitDepth = 0;
    std::uint8_t colourType =
        0;  ///< 0 grey, 2 truecolour, 3 indexed, 4 grey+alpha, 6 truecolour+alpha
    std::array<PaletteEntry, 256> palette{};  ///< PLTE colours; alpha stays 0
    std::int16_t background = 0;  ///< bKGD: palette index, or the first two bytes as 16 bits
    std::array<PaletteEntry, 256> transparency{};  ///< tRNS of an indexed picture, in alpha
    /// Entries the PLTE and tRNS chunks filled (entries beyond 256 are dropped).
    int paletteEntries = 0;
    int transparencyEntries = 0;
};

/// The PNG signature, 89 "PNG" CR LF 1A LF.
[[nodiscard]] bool HasPngSignature(std::span<const std::uint8_t> bytes);

/// Walks the chunks from the signature to IEND or the end of the bytes. Each
/// chunk is read only within its own data, whatever its length field claims.
/// nullopt when the bytes do not start with the PNG signature.
[[nodiscard]] std::optional<PngInfo> ReadPngInfo(std::span<const std::uint8_t> bytes);

}  // namespace PNGcodec
