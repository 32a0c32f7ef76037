#include "codec/picture_encoder.h"

#include <vector>

#include "codec/pixel_formats.h"

namespace GPFcodec {

namespace {

using namespace formats;

constexpr int kLongestRun = 127;
constexpr std::size_t kLongestLiteral = 127;

bool isTwentyFourFormat(int typeCode) { return typeCode == 0x0A || typeCode == 0x8A; }

// One writer per byte-aligned format: appends one pixel reduced to it.

struct Put8 {
    static void pixel(std::string& out, const PixelBytes& p) {
        out += static_cast<char>(reduceTo8(p));
    }
};

struct Put16 {
    static void pixel(std::string& out, const PixelBytes& p) {
        const auto bytes = reduceTo16(p);
        out += static_cast<char>(bytes[0]);
        out += static_cast<char>(bytes[1]);
    }
};

struct Put24 {
    static void pixel(std::string& out, const PixelBytes& p) {
        out.append(reinterpret_cast<const char*>(p.data()), p.size());
    }
};

template <class Put>
void writeRaw(std::string& out, const std::vector<PixelBytes>& pixels, int) {
    for (const PixelBytes& p : pixels) Put::pixel(out, p);
}

/// Eight pixels a byte, most significant bit first; a row's last byte is
/// completed with 1 (black) bits so the next row starts on a byte.
void writeBitsRaw(std::string& out, const std::vector<PixelBytes>& pixels, int columns) {
    const auto width = static_cast<std::size_t>(columns);
    for (std::size_t rowStart = 0; rowStart < pixels.size(); rowStart += width) {
        unsigned bits = 0;
        int filled = 0;
        for (std::size_t x = 0; x < width; ++x) {
            bits = bits << 1 | (isDark(pixels[rowStart + x]) ? 1u : 0u);
            if (++filled == 8) {
                out += static_cast<char>(bits);
                bits = 0;
                filled = 0;
            }
        }
        if (filled > 0) {
            const int spare = 8 - filled;
            out += static_cast<char>(bits << spare | ((1u << spare) - 1));
        }
    }
}

/// Cuts the pixels into runs (control n = 2..127, one pixel) and literals
/// (control 256 - k for k = 1..127, k pixels). The pending pixel `pending`
/// either grows a run or joins the literal that ends right before it.
template <class Put>
void writeRuns(std::string& out, const std::vector<PixelBytes>& pixels, int) {
    const std::size_t count = pixels.size();
    if (count == 0) return;
    auto writeRun = [&](std::size_t index, int length) {
        out += static_cast<char>(length);
        Put::pixel(out, pixels[index]);
    };
    auto writeLiteral = [&](std::size_t first, std::size_t length) {
        out += static_cast<char>(256 - length);
        for (std::size_t i = first; i < first + length; ++i) Put::pixel(out, pixels[i]);
    };

    std::size_t pending = 0;
    int run = 1;
    std::size_t literalFirst = 0;
    std::size_t literalLength = 0;
    bool hasPending = true;
    for (std::size_t i = 1; i < count; ++i) {
        if (pixels[i] == pixels[pending]) {
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

using EncodeFunction = void (*)(std::string&, const std::vector<PixelBytes>&, int columns);

struct Encoder {
    int typeCode;
    EncodeFunction write;
    int bytesPerPixel;  ///< room to reserve; compressed streams rarely need more
};

constexpr Encoder kEncoders[] = {
    {0x01, writeBitsRaw, 1},       // 1 bit, uncompressed
    {0x05, writeRaw<Put8>, 1},     // 8 bit RRRGGGBB, uncompressed
    {0x08, writeRaw<Put16>, 2},    // 16 bit RGB565, uncompressed
    {0x0A, writeRaw<Put24>, 4},    // blue, green, red, alpha, uncompressed
    {0x85, writeRuns<Put8>, 1},    // 8 bit, runs and literals
    {0x88, writeRuns<Put16>, 2},   // 16 bit, runs and literals
    {0x8A, writeRuns<Put24>, 4},   // blue, green, red, alpha, runs and literals
};

const Encoder* encoderFor(int typeCode) {
    for (const Encoder& encoder : kEncoders) {
        if (encoder.typeCode == typeCode) return &encoder;
    }
    return nullptr;
}

}  // namespace

bool IsEncodableType(int typeCode) { return encoderFor(typeCode) != nullptr; }

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

    std::vector<PixelBytes> pixels;
    pixels.reserve(static_cast<std::size_t>(columns * rows));
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            pixels.push_back(CellToPixelBytes(picture.hasAlpha, typeCode, picture.at(x, y)));
        }
    }
    std::string out;
    out.reserve(pixels.size() * static_cast<std::size_t>(encoder->bytesPerPixel) + 64);
    encoder->write(out, pixels, columns);
    return out;
}

}  // namespace GPFcodec
