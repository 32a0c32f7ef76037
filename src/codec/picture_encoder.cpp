#include "codec/picture_encoder.h"

#include <cstring>
#include <vector>

#include "codec/pixel_formats.h"

namespace GPFcodec {

namespace {

using namespace formats;

constexpr int kLongestRun = 127;
constexpr std::size_t kLongestLiteral = 127;

bool isTwentyFourFormat(int typeCode) {
    return typeCode == 0x0A || typeCode == 0x8A;
}

/// The four pixel bytes as one word. memcpy rather than std::bit_cast, which
/// the web build's standard library lacks; both compile to one load.
std::uint32_t word(const PixelBytes& p) {
    std::uint32_t value = 0;
    std::memcpy(&value, p.data(), sizeof value);
    return value;
}

/// All four pixel bytes equal, compared as one word (std::array's == is a
/// memcmp call here).
bool same(const PixelBytes& a, const PixelBytes& b) {
    return word(a) == word(b);
}

// Writers fill a buffer sized for the worst case up front (see Encoder), so
// they append without checking for room.
using Out = std::uint8_t*;

// One writer per byte-aligned format: appends one pixel reduced to it.

struct Put8 {
    static constexpr int kBytes = 1;
    static void pixel(Out& out, const PixelBytes& p) { *out++ = reduceTo8(p); }
};

struct Put16 {
    static constexpr int kBytes = 2;
    static void pixel(Out& out, const PixelBytes& p) {
        const auto bytes = reduceTo16(p);
        *out++ = bytes[0];
        *out++ = bytes[1];
    }
};

struct Put24 {
    static constexpr int kBytes = 4;
    static void pixel(Out& out, const PixelBytes& p) {
        out[0] = p[0];
        out[1] = p[1];
        out[2] = p[2];
        out[3] = p[3];
        out += 4;
    }
};

template <class Put>
void writeRaw(Out& out, const std::vector<PixelBytes>& pixels, int) {
    for (const PixelBytes& p : pixels) Put::pixel(out, p);
}

/// Eight pixels a byte, most significant bit first; a row's last byte is
/// completed with 1 (black) bits so the next row starts on a byte.
void writeBitsRaw(Out& out, const std::vector<PixelBytes>& pixels, int columns) {
    const auto width = static_cast<std::size_t>(columns);
    for (std::size_t rowStart = 0; rowStart < pixels.size(); rowStart += width) {
        unsigned bits = 0;
        int filled = 0;
        for (std::size_t x = 0; x < width; ++x) {
            bits = bits << 1 | (isDark(pixels[rowStart + x]) ? 1u : 0u);
            if (++filled == 8) {
                *out++ = static_cast<std::uint8_t>(bits);
                bits = 0;
                filled = 0;
            }
        }
        if (filled > 0) {
            const int spare = 8 - filled;
            *out++ = static_cast<std::uint8_t>(bits << spare | ((1u << spare) - 1));
        }
    }
}

/// Cuts the pixels into runs (control n = 2..127, one pixel) and literals
/// (control 256 - k for k = 1..127, k pixels). The pending pixel `pending`
/// either grows a run or joins the literal that ends right before it.
template <class Put>
void writeRuns(Out& out, const std::vector<PixelBytes>& pixels, int) {
    const std::size_t count = pixels.size();
    if (count == 0) return;
    auto writeRun = [&](std::size_t index, int length) {
        *out++ = static_cast<std::uint8_t>(length);
        Put::pixel(out, pixels[index]);
    };
    auto writeLiteral = [&](std::size_t first, std::size_t length) {
        *out++ = static_cast<std::uint8_t>(256 - length);
        for (std::size_t i = first; i < first + length; ++i) Put::pixel(out, pixels[i]);
    };

    std::size_t pending = 0;
    int run = 1;
    std::size_t literalFirst = 0;
    std::size_t literalLength = 0;
    bool hasPending = true;
    for (std::size_t i = 1; i < count; ++i) {
        if (same(pixels[i], pixels[pending])) {
            if (literalLength > 0) writeLiteral(literalFirst, literalLength);
            literalLength = 0;
            if (++run == kLongestRun) {
                writeRun(pending, run);
                // The pixel after a full run starts afresh, whatever it is.
                hasPending = i + 1 < count;
                pending = ++i;
                run = 1;
            }
        } else if (run > 1) {
            writeRun(pending, run);
            pending = i;
            run = 1;
        } else {
            if (literalLength == 0) literalFirst = pending;
            pending = i;
            if (++literalLength == kLongestLiteral) {
                writeLiteral(literalFirst, literalLength);
                literalLength = 0;
            }
        }
    }
    if (!hasPending) return;
    if (run > 1) {
        writeRun(pending, run);
    } else {
        if (literalLength == 0) literalFirst = pending;
        writeLiteral(literalFirst, literalLength + 1);
    }
}

using EncodeFunction = void (*)(Out&, const std::vector<PixelBytes>&, int columns);

struct Encoder {
    int typeCode;
    EncodeFunction write;
    /// Room for the longest stream: at most this many bytes per pixel. A
    /// compressed stream needs one control byte per literal of 127 pixels or
    /// per run of 2 or more, which one byte per pixel more always covers; a
    /// 1-bit row needs at most one byte per pixel.
    int roomPerPixel;
};

constexpr Encoder kEncoders[] = {
    {0x01, writeBitsRaw, 1},                      // 1 bit, uncompressed
    {0x05, writeRaw<Put8>, Put8::kBytes},         // 8 bit RRRGGGBB, uncompressed
    {0x08, writeRaw<Put16>, Put16::kBytes},       // 16 bit RGB565, uncompressed
    {0x0A, writeRaw<Put24>, Put24::kBytes},       // blue, green, red, alpha, uncompressed
    {0x85, writeRuns<Put8>, Put8::kBytes + 1},    // 8 bit, runs and literals
    {0x88, writeRuns<Put16>, Put16::kBytes + 1},  // 16 bit, runs and literals
    {0x8A, writeRuns<Put24>, Put24::kBytes + 1},  // blue, green, red, alpha, runs and literals
};

const Encoder* encoderFor(int typeCode) {
    for (const Encoder& encoder : kEncoders) {
        if (encoder.typeCode == typeCode) return &encoder;
    }
    return nullptr;
}

}  // namespace

bool IsEncodableType(int typeCode) {
    return encoderFor(typeCode) != nullptr;
}

PixelBytes CellToPixelBytes(bool hasAlpha, int typeCode, const Cell& cell) {
    constexpr PixelBytes kMarker{TransparencyMarker.blue, TransparencyMarker.green,
                                 TransparencyMarker.red, 0};
    const bool keepsAlpha = isTwentyFourFormat(typeCode);
    if (hasAlpha) {
        if (keepsAlpha) return {cell.blue, cell.green, cell.red, cell.fourth};
        if (cell.fourth >= 127) return {cell.blue, cell.green, cell.red, 0};
        return kMarker;
    }
    if (!keepsAlpha) return {cell.blue, cell.green, cell.red, 0};
    if (isTransparencyMarker(cell)) return kMarker;
    return {cell.blue, cell.green, cell.red, 255};
}

std::string EncodePicture(const DecodedPicture& picture, int typeCode) {
    const Encoder* encoder = encoderFor(typeCode);
    if (encoder == nullptr) return {};
    const int columns = picture.canvasColumns();
    const int rows = picture.canvasRows();

    // Locals, not picture fields: the byte stores below may alias anything, and
    // the compiler would reload the fields for every pixel.
    const bool hasAlpha = picture.hasAlpha;
    std::vector<PixelBytes> pixels(static_cast<std::size_t>(columns * rows));
    PixelBytes* next = pixels.data();
    for (int y = 0; y < rows; ++y) {
        const Cell* row = &picture.at(0, y);
        for (int x = 0; x < columns; ++x) *next++ = CellToPixelBytes(hasAlpha, typeCode, row[x]);
    }
    std::string stream(pixels.size() * static_cast<std::size_t>(encoder->roomPerPixel), '\0');
    const Out begin = reinterpret_cast<std::uint8_t*>(stream.data());
    Out out = begin;
    encoder->write(out, pixels, columns);
    stream.resize(static_cast<std::size_t>(out - begin));
    return stream;
}

}  // namespace GPFcodec
