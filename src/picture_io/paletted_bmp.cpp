#include "picture_io/paletted_bmp.h"

#include <algorithm>
#include <vector>

#include "support/byte_cursor.h"

namespace PictureIO {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kOs2CoreHeaderSize = 12;
constexpr std::uint32_t kUncompressed = 0;

struct PaletteLayout {
    int bits = 0;
    std::uint32_t compression = kUncompressed;
    std::size_t paletteOffset = 0;
    std::size_t entrySize = 4;
    std::size_t entries = 0;
    std::size_t dataOffset = 0;
};

PaletteLayout layoutOf(std::span<const std::uint8_t> bytes) {
    ByteCursor in(bytes, 10);
    PaletteLayout layout;
    layout.dataOffset = in.u32le();
    const std::uint32_t headerSize = in.u32le();
    const bool os2Core = headerSize == kOs2CoreHeaderSize;
    in.seek(os2Core ? 24 : 28);
    layout.bits = in.u16le();
    std::uint32_t used = 0;
    if (!os2Core) {
        layout.compression = in.u32le();
        in.seek(46);
        used = in.u32le();
    }
    layout.paletteOffset = kFileHeaderSize + std::size_t{headerSize};
    layout.entrySize = os2Core ? 3 : 4;
    const std::size_t full = std::size_t{1} << std::clamp(layout.bits, 0, 8);
    layout.entries = used == 0 || used > full ? full : used;
    const std::size_t room = layout.dataOffset > layout.paletteOffset
                                 ? (layout.dataOffset - layout.paletteOffset) / layout.entrySize
                                 : 0;
    layout.entries = std::min(layout.entries, room);
    return layout;
}

std::vector<Cell> paletteOf(std::span<const std::uint8_t> bytes, const PaletteLayout& layout) {
    // Every index a depth of 8 bits can hold has a colour: those past the
    // palette stay black.
    std::vector<Cell> colours(256, Cell{0, 0, 0, 0});
    ByteCursor in(bytes, layout.paletteOffset);
    for (std::size_t i = 0; i < layout.entries; ++i) {
        Cell& colour = colours[i];
        colour.blue = in.u8();
        colour.green = in.u8();
        colour.red = in.u8();
        in.skip(layout.entrySize - 3);
    }
    return colours;
}

}  // namespace

std::optional<PicturePixels> ReadPalettedBmpPixels(std::span<const std::uint8_t> bytes, int width,
                                                   int height, bool topDown) {
    const PaletteLayout layout = layoutOf(bytes);
    const int bits = layout.bits;
    if ((bits != 1 && bits != 4 && bits != 8) || layout.compression != kUncompressed) {
        return std::nullopt;
    }
    const std::vector<Cell> colours = paletteOf(bytes, layout);
    PicturePixels pixels;
    pixels.width = std::max(width, 0);
    pixels.height = std::max(height, 0);
    pixels.cells.resize(static_cast<std::size_t>(pixels.width) *
                        static_cast<std::size_t>(pixels.height));
    // Rows are padded to whole 32-bit words.
    const std::size_t stride = (static_cast<std::size_t>(pixels.width) * bits + 31) / 32 * 4;
    const int perByte = 8 / bits;
    const int mask = (1 << bits) - 1;
    for (int row = 0; row < pixels.height; ++row) {
        const int y = topDown ? row : pixels.height - 1 - row;
        ByteCursor in(bytes, layout.dataOffset + static_cast<std::size_t>(row) * stride);
        std::uint8_t byte = 0;
        for (int x = 0; x < pixels.width; ++x) {
            const int slot = x % perByte;
            if (slot == 0) byte = in.u8();
            const int index = (byte >> (8 - bits * (slot + 1))) & mask;
            pixels.cells[static_cast<std::size_t>(y) * static_cast<std::size_t>(pixels.width) +
                         static_cast<std::size_t>(x)] = colours[static_cast<std::size_t>(index)];
        }
    }
    return pixels;
}

}  // namespace PictureIO
