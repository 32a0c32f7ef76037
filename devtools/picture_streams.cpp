#include "devtools/picture_streams.h"

#include <algorithm>
#include <cstddef>

#include "codec/picture_encoder.h"

namespace {

std::uint8_t ramp(int position, int length) {
    return length <= 1 ? 0 : static_cast<std::uint8_t>(position * 255 / (length - 1));
}

std::uint8_t inverse(std::uint8_t value) {
    return static_cast<std::uint8_t>(255 - value);
}

SourcePixel patternPixel(int x, int y, int width, int height, PixelPattern pattern,
                         SourcePixel tint) {
    switch (pattern) {
        case PixelPattern::HorizontalGradient: {
            const std::uint8_t v = ramp(x, width);
            return {v, tint.green, inverse(v)};
        }
        case PixelPattern::VerticalGradient: {
            const std::uint8_t v = ramp(y, height);
            return {tint.red, v, inverse(v)};
        }
        case PixelPattern::Stripes:
            return (x / 4) % 2 == 0
                       ? tint
                       : SourcePixel{inverse(tint.red), inverse(tint.green), inverse(tint.blue)};
        case PixelPattern::Checks:
            return ((x / 8) + (y / 8)) % 2 == 0 ? tint : SourcePixel{255, 255, 255};
        case PixelPattern::Diagonal: {
            const std::uint8_t v = ramp(x + y, width + height - 1);
            return {v, inverse(v), tint.blue};
        }
    }
    return tint;
}

// The corner triangles whose legs are a quarter of the shorter side.
bool inTransparentCorner(int x, int y, int width, int height) {
    if (width < 4 || height < 4) return false;
    const int leg = std::min(width, height) / 4;
    const int dx = std::min(x, width - 1 - x);
    const int dy = std::min(y, height - 1 - y);
    return dx + dy < leg;
}

bool isBlack(const SourcePixel& pixel) {
    return pixel.red * 299 + pixel.green * 587 + pixel.blue * 114 < 128 * 1000;
}

StoredPixel storedWord(std::uint16_t word) {
    return {{static_cast<std::uint8_t>(word), static_cast<std::uint8_t>(word >> 8)}, 2};
}

void append(std::vector<std::uint8_t>& out, const StoredPixel& pixel) {
    out.insert(out.end(), pixel.bytes.begin(), pixel.bytes.begin() + pixel.size);
}

std::vector<StoredPixel> storeAll(int bitDepth, const std::vector<SourcePixel>& pixels) {
    std::vector<StoredPixel> stored;
    stored.reserve(pixels.size());
    for (const SourcePixel& pixel : pixels) stored.push_back(StorePixel(bitDepth, pixel));
    return stored;
}

}  // namespace

std::vector<SourcePixel> MakePixels(int width, int height, PixelPattern pattern, SourcePixel tint) {
    std::vector<SourcePixel> pixels;
    pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            SourcePixel pixel = patternPixel(x, y, width, height, pattern, tint);
            pixel.transparent = inTransparentCorner(x, y, width, height);
            pixels.push_back(pixel);
        }
    }
    return pixels;
}

int BitDepthOf(std::uint8_t type) {
    switch (type & 0x0F) {
        case 0x1:
            return 1;
        case 0x5:
            return 8;
        case 0x7:
            return 12;
        case 0x8:
            return 16;
        case 0xA:
            return 24;
        default:
            return 0;
    }
}

StoredPixel StorePixel(int bitDepth, const SourcePixel& pixel) {
    const unsigned r = pixel.red;
    const unsigned g = pixel.green;
    const unsigned b = pixel.blue;
    switch (bitDepth) {
        case 8: {
            // RRRGGGBB; 0xC0 is the transparent value.
            if (pixel.transparent) return {{0xC0}, 1};
            const auto value = static_cast<std::uint8_t>((r & 0xE0) | ((g >> 3) & 0x1C) | (b >> 6));
            return {{value == 0xC0 ? std::uint8_t{0xC1} : value}, 1};
        }
        case 12: {
            // Word 0000RRRRGGGGBBBB; 0x0FFF (bytes FF 0F) is the transparent value.
            if (pixel.transparent) return storedWord(0x0FFF);
            const auto word =
                static_cast<std::uint16_t>(((r >> 4) << 8) | ((g >> 4) << 4) | (b >> 4));
            return storedWord(word == 0x0FFF ? 0x0FFE : word);
        }
        case 16: {
            // RGB565; 0xE000 (bytes 00 E0) is the transparent value.
            if (pixel.transparent) return storedWord(0xE000);
            const auto word =
                static_cast<std::uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
            return storedWord(word == 0xE000 ? 0xE001 : word);
        }
        case 24:
            return {{pixel.blue, pixel.green, pixel.red,
                     static_cast<std::uint8_t>(pixel.transparent ? 0 : 255)},
                    4};
        default:
            return {};
    }
}

std::vector<std::uint8_t> PackedBitsStream(int width, int height,
                                           const std::vector<SourcePixel>& pixels) {
    const int rowBytes = (width + 7) / 8;
    std::vector<std::uint8_t> out(static_cast<std::size_t>(rowBytes) *
                                  static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!isBlack(pixels[static_cast<std::size_t>(y * width + x)])) continue;
            out[static_cast<std::size_t>(y * rowBytes + x / 8)] |=
                static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
    }
    return out;
}

std::vector<std::uint8_t> RunLengthBitsStream(const std::vector<SourcePixel>& pixels) {
    std::vector<bool> black;
    black.reserve(pixels.size());
    for (const SourcePixel& pixel : pixels) black.push_back(isBlack(pixel));

    std::vector<std::uint8_t> out;
    const std::size_t n = black.size();
    std::size_t i = 0;
    while (i < n) {
        std::size_t run = 1;
        while (i + run < n && run < 63 && black[i + run] == black[i]) ++run;
        if (run >= 7 || n - i < 7) {
            // 1 b cccccc: a run of c pixels, black when b is set.
            out.push_back(static_cast<std::uint8_t>(0x80 | (black[i] ? 0x40 : 0x00) | run));
            i += run;
        } else {
            // 0 ppppppp: seven pixels, the first in bit 6.
            std::uint8_t control = 0;
            for (std::size_t k = 0; k < 7; ++k) {
                if (black[i + k]) control |= static_cast<std::uint8_t>(0x40 >> k);
            }
            out.push_back(control);
            i += 7;
        }
    }
    return out;
}

std::vector<std::uint8_t> PackedPixelsStream(int bitDepth, const std::vector<SourcePixel>& pixels) {
    std::vector<std::uint8_t> out;
    out.reserve(pixels.size() * 4);
    for (const SourcePixel& pixel : pixels) append(out, StorePixel(bitDepth, pixel));
    return out;
}

std::vector<std::uint8_t> RunLengthPixelsStream(int bitDepth,
                                                const std::vector<SourcePixel>& pixels) {
    const std::vector<StoredPixel> stored = storeAll(bitDepth, pixels);
    const std::size_t n = stored.size();
    const auto sameRun = [&stored, n](std::size_t at, std::size_t limit) {
        std::size_t run = 1;
        while (at + run < n && run < limit && stored[at + run] == stored[at]) ++run;
        return run;
    };

    std::vector<std::uint8_t> out;
    std::size_t i = 0;
    while (i < n) {
        const std::size_t run = sameRun(i, 127);
        if (run >= 2) {
            out.push_back(static_cast<std::uint8_t>(run));
            append(out, stored[i]);
            i += run;
            continue;
        }
        const std::size_t start = i;
        while (i < n && i - start < 128 && sameRun(i, 2) < 2) ++i;
        out.push_back(static_cast<std::uint8_t>(256 - (i - start)));
        for (std::size_t k = start; k < i; ++k) append(out, stored[k]);
    }
    return out;
}

std::vector<std::uint8_t> EncodedStream(std::uint8_t type, int width, int height,
                                        const std::vector<SourcePixel>& pixels) {
    DecodedPicture picture;
    picture.width = static_cast<std::int16_t>(width);
    picture.height = static_cast<std::int16_t>(height);
    picture.hasAlpha = BitDepthOf(type) == 24;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const SourcePixel& pixel = pixels[static_cast<std::size_t>(y * width + x)];
            Cell& cell = picture.at(x, y);
            if (pixel.transparent && !picture.hasAlpha) {
                cell = TransparencyMarker;
            } else {
                cell = {pixel.red, pixel.green, pixel.blue,
                        static_cast<std::uint8_t>(pixel.transparent ? 0 : 255)};
            }
        }
    }
    const std::string stream = GPFcodec::EncodePicture(picture, type);
    return {stream.begin(), stream.end()};
}

std::vector<std::uint8_t> PictureStream(std::uint8_t type, int width, int height,
                                        const std::vector<SourcePixel>& pixels) {
    const int bitDepth = BitDepthOf(type);
    const bool compressed = (type >> 4) == 0x8;
    // The firmware's compressed 8, 16 and 24 bit pictures come from the
    // program's own encoder; 1 and 12 bit ones it never writes, so those are
    // laid by the decoding rules alone.
    if (compressed && bitDepth != 1 && bitDepth != 12) {
        return EncodedStream(type, width, height, pixels);
    }
    if (bitDepth == 1) {
        return compressed ? RunLengthBitsStream(pixels) : PackedBitsStream(width, height, pixels);
    }
    return compressed ? RunLengthPixelsStream(bitDepth, pixels)
                      : PackedPixelsStream(bitDepth, pixels);
}
