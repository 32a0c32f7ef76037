#include "picture_io/png_chunks.h"

#include <algorithm>
#include <string_view>

#include "support/byte_cursor.h"

namespace PNGcodec {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::uint8_t kIndexed = 3;

std::uint32_t u32be(ByteCursor& in) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = (value << 8) | in.u8();
    return value;
}

std::int16_t sizeField(std::uint32_t value) {
    return static_cast<std::int16_t>(std::min<std::uint32_t>(value, 32767));
}

void readHeader(ByteCursor& data, PngInfo& info) {
    info.width = sizeField(u32be(data));
    info.height = sizeField(u32be(data));
    info.bitDepth = data.u8();
    info.colourType = data.u8();
}

void readPalette(std::span<const std::uint8_t> data, PngInfo& info) {
    info.paletteEntries = static_cast<int>(std::min<std::size_t>(data.size() / 3, 256));
    for (int i = 0; i < info.paletteEntries; ++i) {
        const std::size_t at = static_cast<std::size_t>(i) * 3;
        info.palette[static_cast<std::size_t>(i)] = {data[at], data[at + 1], data[at + 2], 0};
    }
}

void readTransparency(std::span<const std::uint8_t> data, PngInfo& info) {
    if (info.colourType != kIndexed) return;
    info.transparencyEntries = static_cast<int>(std::min<std::size_t>(data.size(), 256));
    for (int i = 0; i < info.transparencyEntries; ++i) {
        info.transparency[static_cast<std::size_t>(i)].alpha = data[static_cast<std::size_t>(i)];
    }
}

void readBackground(ByteCursor& data, PngInfo& info) {
    if (info.colourType == kIndexed) {
        info.background = data.u8();
        return;
    }
    const std::uint16_t high = data.u8();
    info.background = static_cast<std::int16_t>((high << 8) | data.u8());
}

}  // namespace

bool HasPngSignature(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= kSignature.size() &&
           std::equal(kSignature.begin(), kSignature.end(), bytes.begin());
}

std::optional<PngInfo> ReadPngInfo(std::span<const std::uint8_t> bytes) {
    if (!HasPngSignature(bytes)) return std::nullopt;
    PngInfo info;
    ByteCursor in(bytes, kSignature.size());
    // Every chunk moves the position on by at least its 12 framing bytes, so
    // the walk ends at the end of the bytes whatever the lengths claim.
    while (!in.atEnd()) {
        const std::uint32_t length = u32be(in);
        const std::string type = in.bytes(4);
        const std::size_t start = std::min(in.position(), bytes.size());
        const std::span<const std::uint8_t> data =
            bytes.subspan(start, std::min<std::size_t>(length, bytes.size() - start));
        ByteCursor chunk(data);
        if (type == "IHDR") {
            readHeader(chunk, info);
        } else if (type == "PLTE") {
            readPalette(data, info);
        } else if (type == "tRNS") {
            readTransparency(data, info);
        } else if (type == "bKGD") {
            readBackground(chunk, info);
        } else if (type == "IEND") {
            break;
        }
        in.seek(in.position() + length);
        in.skip(4);  // CRC, not checked
    }
    return info;
}

}  // namespace PNGcodec
