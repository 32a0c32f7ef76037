#include "picture_io/picture_file_info.h"

#include "support/byte_cursor.h"

namespace PictureIO {

namespace {

constexpr std::uint32_t kOs2CoreHeaderSize = 12;

std::uint16_t u16be(ByteCursor& in) {
    const std::uint16_t high = in.u8();
    return static_cast<std::uint16_t>((high << 8) | in.u8());
}

}  // namespace

PictureKind PictureKindOf(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 2) return PictureKind::None;
    const std::uint8_t first = bytes[0];
    const std::uint8_t second = bytes[1];
    if (first == 'B' && second == 'M') return PictureKind::Bmp;
    if (first == 'G' && second == 'I') return PictureKind::Gif;
    if (first == 0xFF && second == 0xD8) return PictureKind::Jpeg;
    if (first == 0x89 && second == 'P') return PictureKind::Png;
    return PictureKind::None;
}

const char* PictureKindName(PictureKind kind) {
    switch (kind) {
        case PictureKind::Bmp:
            return "bmp";
        case PictureKind::Gif:
            return "gif";
        case PictureKind::Jpeg:
            return "jpeg";
        case PictureKind::Png:
            return "png";
        case PictureKind::None:
            break;
    }
    return "none";
}

PictureFileInfo ReadBmpInfo(std::span<const std::uint8_t> bytes) {
    ByteCursor in(bytes);
    PictureFileInfo info;
    in.seek(10);
    info.dataOffset = in.u16le();
    in.seek(14);
    const std::uint32_t headerSize = in.u32le();
    info.width = static_cast<std::int16_t>(in.u16le());
    // The 12-byte OS/2 1.x header holds 16-bit sizes: its height comes right
    // after the width and its bits where longer headers keep the planes.
    const bool os2Core = headerSize == kOs2CoreHeaderSize;
    in.seek(os2Core ? 20 : 22);
    info.height = static_cast<std::int16_t>(in.u16le());
    in.seek(os2Core ? 24 : 28);
    info.colourBits = in.u8();
    return info;
}

PictureFileInfo ReadGifInfo(std::span<const std::uint8_t> bytes) {
    ByteCursor in(bytes, 6);
    PictureFileInfo info;
    info.width = static_cast<std::int16_t>(in.u16le());
    info.height = static_cast<std::int16_t>(in.u16le());
    const std::uint8_t packed = in.u8();
    info.colourBits = static_cast<std::uint8_t>((packed & 7) + 1);
    if (packed & 0x80) {
        // The background index may point past the table the packed byte
        // declares; the entry is then read from whatever follows, or as 0.
        const std::uint8_t index = in.u8();
        in.seek(13 + 3 * static_cast<std::size_t>(index));
        info.backgroundRed = in.u8();
        info.backgroundGreen = in.u8();
        info.backgroundBlue = in.u8();
    }
    return info;
}

PictureFileInfo ReadJpegInfo(std::span<const std::uint8_t> bytes, std::size_t start) {
    constexpr std::uint8_t kStartOfScan = 0xDA;
    ByteCursor in(bytes, start);
    PictureFileInfo info;
    // Every pass reads at least the four bytes of marker and length, so the
    // walk ends at the end of the file whatever the lengths say.
    while (!in.atEnd()) {
        const std::uint8_t first = in.u8();
        const std::uint8_t marker = in.u8();
        const auto length = static_cast<std::int16_t>(u16be(in));
        if (first == 0xFF && marker == kStartOfScan) break;
        if (first == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
            in.skip(1);  // sample precision
            info.height = static_cast<std::int16_t>(u16be(in));
            info.width = static_cast<std::int16_t>(u16be(in));
            if (length > 7) in.skip(static_cast<std::size_t>(length - 7));
        } else if (length > 2) {
            in.skip(static_cast<std::size_t>(length - 2));
        }
    }
    return info;
}

}  // namespace PictureIO
