#pragma once
// How every stored pixel format turns into a canvas cell, and how a cell's
// pixel bytes reduce back into each format. Private to the codec: only the
// decoder and the encoder include it.

#include <array>
#include <cstddef>
#include <cstdint>

#include "codec/decoded_picture.h"
#include "codec/picture_encoder.h"

namespace GPFcodec::formats {

// Both values are never negative, so adding 0.5 and truncating rounds right, and
// std::lround would not be constexpr before C++23.
// NOLINTBEGIN(bugprone-incorrect-roundings)

/// A stored channel of 0..maxValue widened to 0..255: (255 / maxValue) x value
/// in double precision, rounded. No input meets an exact half.
constexpr std::uint8_t widen(int value, int maxValue) {
    return static_cast<std::uint8_t>(255.0 / maxValue * value + 0.5);
}

/// A 0..255 channel narrowed to 0..maxValue: value x maxValue / 255, rounded.
constexpr std::uint8_t narrow(int value, int maxValue) {
    return static_cast<std::uint8_t>(value * maxValue / 255.0 + 0.5);
}

// NOLINTEND(bugprone-incorrect-roundings)

template <std::size_t Size>
constexpr std::array<std::uint8_t, Size> widenTable() {
    std::array<std::uint8_t, Size> table{};
    for (std::size_t v = 0; v < Size; ++v) table[v] = widen(static_cast<int>(v), Size - 1);
    return table;
}

template <int MaxValue>
constexpr std::array<std::uint8_t, 256> narrowTable() {
    std::array<std::uint8_t, 256> table{};
    for (int v = 0; v < 256; ++v) table[static_cast<std::size_t>(v)] = narrow(v, MaxValue);
    return table;
}

// Stored channel fields widened to 8 bits.
inline constexpr auto kWiden2 = widenTable<4>();   // 8-bit blue (bits 1..0): x 85
inline constexpr auto kWiden3 = widenTable<8>();   // 8-bit red (7..5) and green (4..2)
inline constexpr auto kWiden4 = widenTable<16>();  // 12-bit red, green, blue: x 17
inline constexpr auto kWiden5 = widenTable<32>();  // 16-bit red (15..11) and blue (4..0)
inline constexpr auto kWiden6 = widenTable<64>();  // 16-bit green (10..5)

// 8-bit channels narrowed to the stored fields.
inline constexpr auto kNarrow2 = narrowTable<3>();   // 8-bit blue
inline constexpr auto kNarrow3 = narrowTable<7>();   // 8-bit red and green
inline constexpr auto kNarrow5 = narrowTable<31>();  // 16-bit red and blue
inline constexpr auto kNarrow6 = narrowTable<63>();  // 16-bit green

/// Every byte of format 8 as its cell; 0xC0 is the transparent value.
inline constexpr std::array<Cell, 256> kCells8 = [] {
    std::array<Cell, 256> cells{};
    for (std::size_t v = 0; v < cells.size(); ++v) {
        cells[v] = Cell{kWiden3[v >> 5], kWiden3[(v & 0x1F) >> 2], kWiden2[v & 3], 0};
    }
    cells[0xC0] = TransparencyMarker;
    return cells;
}();

inline constexpr Cell kBlack{0, 0, 0, 0};
inline constexpr Cell kWhite{255, 255, 255, 0};

// One reader per byte-aligned format: kBytes stored bytes per pixel, toCell()
// converts them in file order.

/// Format 8: one byte RRRGGGBB.
struct Stored8 {
    static constexpr std::size_t kBytes = 1;
    static Cell toCell(const std::uint8_t* p) { return kCells8[p[0]]; }
};

/// Format 12: little-endian word xxxx RRRR GGGG BBBB; bytes FF 0F are transparent.
struct Stored12 {
    static constexpr std::size_t kBytes = 2;
    static Cell toCell(const std::uint8_t* p) {
        if (p[0] == 0xFF && p[1] == 0x0F) return TransparencyMarker;
        return Cell{kWiden4[p[1] & 0x0F], kWiden4[p[0] >> 4], kWiden4[p[0] & 0x0F], 0};
    }
};

/// Format 16: little-endian word RRRRR GGGGGG BBBBB; bytes 00 E0 are transparent.
struct Stored16 {
    static constexpr std::size_t kBytes = 2;
    static Cell toCell(const std::uint8_t* p) {
        if (p[0] == 0x00 && p[1] == 0xE0) return TransparencyMarker;
        return Cell{kWiden5[p[1] >> 3], kWiden6[((p[1] & 7) << 3) | (p[0] >> 5)],
                    kWiden5[p[0] & 0x1F], 0};
    }
};

/// Format 24: blue, green, red, alpha; no transparent value.
struct Stored24 {
    static constexpr std::size_t kBytes = 4;
    static Cell toCell(const std::uint8_t* p) { return Cell{p[2], p[1], p[0], p[3]}; }
};

[[nodiscard]] constexpr bool isMarker(const PixelBytes& p) {
    return p[2] == TransparencyMarker.red && p[1] == TransparencyMarker.green &&
           p[0] == TransparencyMarker.blue;
}

/// Every channel value divided by 3 in double precision (bit for bit what the
/// division at run time gives).
inline constexpr std::array<double, 256> kThirds = [] {
    std::array<double, 256> thirds{};
    for (std::size_t v = 0; v < thirds.size(); ++v) thirds[v] = static_cast<double>(v) / 3.0;
    return thirds;
}();

/// Format 1: black (bit 1) when red / 3 + green / 3 + blue / 3 is below 127,
/// summed in that order in double precision; sums like 34/3 + 253/3 + 94/3
/// land just below 127 although the exact value is 127.
[[nodiscard]] inline bool isDark(const PixelBytes& p) {
    return kThirds[p[2]] + kThirds[p[1]] + kThirds[p[0]] < 127;
}

/// Format 8: RRRGGGBB, the marker as 0xC0.
[[nodiscard]] inline std::uint8_t reduceTo8(const PixelBytes& p) {
    if (isMarker(p)) return 0xC0;
    return static_cast<std::uint8_t>(kNarrow3[p[2]] << 5 | kNarrow3[p[1]] << 2 | kNarrow2[p[0]]);
}

/// Format 16: RGB565 as two little-endian bytes, the marker as 00 E0.
[[nodiscard]] inline std::array<std::uint8_t, 2> reduceTo16(const PixelBytes& p) {
    if (isMarker(p)) return {0x00, 0xE0};
    const int green = kNarrow6[p[1]];
    return {static_cast<std::uint8_t>((green & 7) << 5 | kNarrow5[p[0]]),
            static_cast<std::uint8_t>(kNarrow5[p[2]] << 3 | green >> 3)};
}

}  // namespace GPFcodec::formats
