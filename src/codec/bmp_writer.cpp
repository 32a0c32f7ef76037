#include "codec/bmp_writer.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "support/fs_actions.h"

namespace GPFcodec {

namespace {

void putU16(std::string& out, std::size_t offset, std::uint32_t value) {
    out[offset] = static_cast<char>(value & 0xFF);
    out[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void putU32(std::string& out, std::size_t offset, std::uint32_t value) {
    putU16(out, offset, value & 0xFFFF);
    putU16(out, offset + 2, value >> 16);
}

std::size_t rowBytes(int width, int bitsPerPixel) {
    const auto bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel / 8);
    return (bytes + 3) / 4 * 4;
}

}  // namespace

std::string WriteBmpHeader(int width, int height, int bitsPerPixel) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    const std::size_t fileLength =
        kBmpHeaderSize + rowBytes(width, bitsPerPixel) * static_cast<std::size_t>(height);
    std::string header(kBmpHeaderSize, '\0');
    header[0] = 'B';
    header[1] = 'M';
    putU32(header, 2, static_cast<std::uint32_t>(fileLength));
    putU32(header, 10, kBmpHeaderSize);
    putU32(header, 14, 40);
    putU32(header, 18, static_cast<std::uint32_t>(width));
    putU32(header, 22, static_cast<std::uint32_t>(height));
    putU16(header, 26, 1);
    putU16(header, 28, static_cast<std::uint32_t>(bitsPerPixel));
    putU32(header, 34, static_cast<std::uint32_t>(fileLength - kBmpHeaderSize));
    return header;
}

std::string BmpFileBytes(const DecodedPicture& picture, bool bits32) {
    const int width = picture.canvasColumns();
    const int height = picture.canvasRows();
    std::vector<std::uint32_t> argb;
    argb.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Cell& cell = picture.at(x, y);
            const std::uint32_t alpha = picture.hasAlpha             ? cell.fourth
                                        : isTransparencyMarker(cell) ? 0
                                                                     : 255;
            argb.push_back(alpha << 24 | std::uint32_t{cell.red} << 16 |
                           std::uint32_t{cell.green} << 8 | cell.blue);
        }
    }
    return BmpFromArgb(width, height, argb, bits32);
}

std::string BmpFromArgb(int width, int height, std::span<const std::uint32_t> argb, bool bits32) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    const int bits = bits32 ? 32 : 24;
    std::string file = WriteBmpHeader(width, height, bits);
    const std::size_t padding = rowBytes(width, bits) - static_cast<std::size_t>(width * bits / 8);
    file.reserve(file.size() + rowBytes(width, bits) * static_cast<std::size_t>(height));
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t at =
                static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x;
            const std::uint32_t pixel = at < argb.size() ? argb[at] : 0;
            file += static_cast<char>(pixel & 0xFF);
            file += static_cast<char>((pixel >> 8) & 0xFF);
            file += static_cast<char>((pixel >> 16) & 0xFF);
            if (bits32) file += static_cast<char>(pixel >> 24);
        }
        file.append(padding, '\0');
    }
    return file;
}

bool WriteBmpFile(const std::string& path, const DecodedPicture& picture, bool bits32) {
    return FSactions_Tavik::ReplaceFile(path, BmpFileBytes(picture, bits32));
}

}  // namespace GPFcodec
