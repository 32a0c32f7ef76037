#include "pixels.h"

#include "codec/bmp_writer.h"
#include "support/byte_cursor.h"

PagePixels PaintedPixels(const GPFcodec::PaintedImage& image) {
    PagePixels pixels{image.width, image.height, 4, {}};
    pixels.bytes.reserve(image.pixels.size() * 4);
    for (const std::uint32_t pixel : image.pixels) {
        pixels.bytes += static_cast<char>((pixel >> 16) & 0xFF);
        pixels.bytes += static_cast<char>((pixel >> 8) & 0xFF);
        pixels.bytes += static_cast<char>(pixel & 0xFF);
        pixels.bytes += static_cast<char>(0xFF);
    }
    return pixels;
}

PagePixels BitmapPixels(const std::string& bitmap) {
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(bitmap.data()),
                                              bitmap.size());
    ByteCursor in(bytes, 18);
    const auto width = static_cast<int>(in.u32le());
    const auto height = static_cast<int>(in.u32le());
    in.skip(2);
    const int bits = in.u16le();
    if (bitmap.size() < GPFcodec::kBmpHeaderSize || bitmap.compare(0, 2, "BM") != 0 ||
        (bits != 24 && bits != 32) || width <= 0 || height <= 0)
        return {};
    PagePixels pixels{width, height, bits / 8, {}};
    const auto rowBytes = (static_cast<std::size_t>(width) * (bits / 8) + 3) / 4 * 4;
    pixels.bytes.reserve(static_cast<std::size_t>(width) * height * pixels.channels);
    for (int y = 0; y < height; ++y) {
        ByteCursor row(
            bytes, GPFcodec::kBmpHeaderSize + static_cast<std::size_t>(height - 1 - y) * rowBytes);
        for (int x = 0; x < width; ++x) {
            const std::uint8_t blue = row.u8();
            const std::uint8_t green = row.u8();
            pixels.bytes += static_cast<char>(row.u8());
            pixels.bytes += static_cast<char>(green);
            pixels.bytes += static_cast<char>(blue);
            if (bits == 32) pixels.bytes += static_cast<char>(row.u8());
        }
    }
    return pixels;
}

PagePixels PictureWithAlpha(const DecodedPicture& picture) {
    return BitmapPixels(GPFcodec::BmpFileBytes(picture, true));
}
