// The decoder on hand-worked streams, and on streams and sizes that do not fit
// the canvas or the source: it must stay inside both, keep later pixels in
// their places and terminate, and consume exactly what StreamLength finds
// without decoding. The formats the encoder writes are also checked
// pixel by pixel through the round trip.

#include "codec/picture_decoder.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "codec/stream_length.h"
#include "codec_test_support.h"
#include "common/scripted_ui.h"

using namespace GPFcodec;
using namespace codec_test;

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr Cell U = kUntouched;
constexpr Cell M = TransparencyMarker;
constexpr Cell B{0, 0, 0, 0};  ///< black, and what bytes past the end give
constexpr Cell W{255, 255, 255, 0};
constexpr Cell Blue{0, 0, 255, 0};
constexpr Cell Red{255, 0, 0, 0};
constexpr Cell Green{0, 255, 0, 0};

/// Decodes a hand-worked stream; compares the bytes consumed and the cells of
/// the first rows, `columns` to a row, with `region`.
void ExpectCells(const char* name, int type, double width, double height, const std::string& stream,
                 double dataSize, int columns, const std::vector<Cell>& region,
                 std::size_t start = 0) {
    SCOPED_TRACE(name);
    const DecodedPicture picture = Decode(Data(stream), type, width, height, start);
    std::vector<Cell> cells;
    for (int i = 0; i < static_cast<int>(region.size()); ++i) {
        cells.push_back(picture.at(i % columns, i / columns));
    }
    EXPECT_EQ(cells, region);
    EXPECT_EQ(picture.dataSize, dataSize);
    EXPECT_EQ(picture.width, width);
    EXPECT_EQ(picture.height, height);
}

struct Probe {
    int x;
    int y;
    Cell cell;
};

void ExpectBounded(const char* name, int type, double width, double height, const Bytes& stream,
                   double dataSize, std::initializer_list<Probe> probes) {
    SCOPED_TRACE(name);
    const DecodedPicture picture = Decode(stream, type, width, height);
    for (const Probe& p : probes) EXPECT_EQ(picture.at(p.x, p.y), p.cell) << p.x << "," << p.y;
    EXPECT_EQ(picture.dataSize, dataSize);
}

/// 24-bit pixel i as stored bytes (blue, green, red = i low, middle, high; alpha 1).
Bytes Counting24(std::size_t pixels) {
    Bytes data;
    for (std::size_t i = 0; i < pixels; ++i) {
        data.insert(data.end(), {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8),
                                 static_cast<std::uint8_t>(i >> 16), 1});
    }
    return data;
}

Cell Counted(std::size_t i) {
    return Cell{static_cast<std::uint8_t>(i >> 16), static_cast<std::uint8_t>(i >> 8),
                static_cast<std::uint8_t>(i), 1};
}

/// `size` bytes of `fill` with some bytes set.
Bytes Filler(std::size_t size, std::uint8_t fill,
             std::initializer_list<std::pair<std::size_t, std::uint8_t>> set = {}) {
    Bytes data(size, fill);
    for (const auto& [at, value] : set) data[at] = value;
    return data;
}

}  // namespace

TEST(DecodePicture, HandWorkedStreams) {
    ExpectCells("1-bit control bytes 80, 7F, C5, 85", 0x81, 17, 1, Hex("80 7F C5 85"), 4, 18,
                {B, B, B, B, B, B, B, B, B, B, B, B, W, W, W, W, W, U});
    ExpectCells("1-bit literal bits 6 down to 0, on into the next rows", 0x81, 3, 3, Hex("55"), 1,
                3, {B, W, B, W, B, W, B, U, U});
    ExpectCells("a run past the last row still stores every pixel", 0x85, 2, 1, Hex("05 E0 07 FF"),
                2, 2, {Red, Red, Red, Red, Red, U});
    ExpectCells("a run of 0 consumes its pixel", 0x85, 1, 1, Hex("00 E0 01 1C"), 4, 1, {Green});
    ExpectCells("literal 80 takes 128 pixels", 0x85, 128, 1,
                Hex("80") + std::string(128, '\x1C') + Hex("05 FF"), 129, 1, {Green});
    ExpectCells("no columns: only the first block is consumed", 0x85, 0, 5, Hex("05 E0 05 E0"), 2,
                4, {U, U, U, U});
    ExpectCells("no rows: the first block is still stored", 0x85, 4, 0, Hex("03 E0 05 1C"), 2, 4,
                {Red, Red, Red, U});
    ExpectCells("negative sizes behave as none", 0x85, -4, -2, Hex("03 E0 05 1C"), 2, 4,
                {U, U, U, U});
    ExpectCells("start beyond the end: a zero control byte, a run of none", 0x85, 4, 1,
                Hex("03 E0"), 0, 4, {U, U, U, U}, 1000);
    ExpectCells("literal cut short by the end of the source", 0x85, 3, 1, Hex("FD E0"), 2, 4,
                {Red, B, B, U});
    ExpectCells("a pixel cut short: its missing byte reads as 00", 0x08, 2, 1, Hex("1F 00 1F"), 3,
                3, {Blue, Blue, U});
}

// Every stored value against exact integer rounding of value x 255 / max.
TEST(DecodePicture, ConversionsMatchExactRounding) {
    struct Field {
        int shift;
        int bits;
    };
    struct Format {
        int type;
        std::uint32_t marker;
        Field red, green, blue;
    };
    const Format formats[] = {
        {0x05, 0xC0, {5, 3}, {2, 3}, {0, 2}},
        {0x07, 0x0FFF, {8, 4}, {4, 4}, {0, 4}},
        {0x08, 0xE000, {11, 5}, {5, 6}, {0, 5}},
    };
    const auto channel = [](std::uint32_t v, Field field) {
        const int max = (1 << field.bits) - 1;
        const int value = static_cast<int>(v >> field.shift) & max;
        return static_cast<std::uint8_t>((2 * value * 255 + max) / (2 * max));
    };
    for (const Format& f : formats) {
        SCOPED_TRACE(f.type);
        const std::uint32_t count = f.type == 0x05 ? 256 : 65536;
        Bytes stream;
        for (std::uint32_t v = 0; v < count; ++v) {
            stream.push_back(static_cast<std::uint8_t>(v));
            if (count > 256) stream.push_back(static_cast<std::uint8_t>(v >> 8));
        }
        const DecodedPicture picture = Decode(stream, f.type, 241, (count + 240) / 241);
        for (std::uint32_t v = 0; v < count; ++v) {
            const Cell expected =
                v == f.marker ? M
                              : Cell{channel(v, f.red), channel(v, f.green), channel(v, f.blue), 0};
            ASSERT_EQ(picture.canvas[v], expected) << "stored value " << v;
        }
    }
}

// Widths of one uncompressed 8-bit row from a 50000-byte source.
TEST(DecodePicture, SizesRoundHalfToEvenAndFitTheFields) {
    const Bytes data(50000, 0x1C);
    const auto expectWidth = [&data](double width, std::int16_t stored, double dataSize) {
        const DecodedPicture picture = Decode(data, 0x05, width, 1);
        EXPECT_EQ(picture.width, stored) << width;
        EXPECT_EQ(picture.height, 1);
        EXPECT_EQ(picture.dataSize, dataSize) << width;
    };
    expectWidth(2.5, 2, 2);
    expectWidth(3.5, 4, 4);
    expectWidth(1.4999, 1, 1);
    expectWidth(-0.5, 0, 0);
    expectWidth(-3, -3, 0);
    expectWidth(40000, 32767, 40000);
    expectWidth(65535, 32767, 50000);
    expectWidth(-40000, -32768, 0);
    expectWidth(1e300, 32767, 50000);
    expectWidth(std::numeric_limits<double>::quiet_NaN(), 0, 0);
    expectWidth(std::numeric_limits<double>::infinity(), 32767, 50000);
}

TEST(DecodePicture, PicturesBeyondTheCanvasOrTheSource) {
    const Bytes pixels = Counting24(600);
    Bytes literals;  // the same pixels as literals of 100: the canvas edge falls inside one
    for (std::size_t first = 0; first < 600; first += 100) {
        literals.push_back(256 - 100);
        literals.insert(literals.end(), pixels.begin() + static_cast<long>(first * 4),
                        pixels.begin() + static_cast<long>((first + 100) * 4));
    }
    Bytes runs;  // 4095 rows of 241 blue pixels in runs of up to 127
    for (std::size_t left = 241u * 4095u; left > 0; left -= std::min<std::size_t>(left, 127)) {
        runs.insert(runs.end(),
                    {static_cast<std::uint8_t>(std::min<std::size_t>(left, 127)), 0x1F, 0x00});
    }
    const auto runBytes = static_cast<double>(runs.size());
    runs.insert(runs.end(), {0x05, 0x00, 0xF8});  // never read: the rows are complete

    const auto wideRows = {Probe{240, 0, Counted(240)}, Probe{0, 1, Counted(300)},
                           Probe{240, 1, Counted(540)}, Probe{0, 2, U}};
    ExpectBounded("wide rows keep their places", 0x0A, 300, 2, pixels, 2400, wideRows);
    ExpectBounded("wide rows of literals", 0x8A, 300, 2, literals, 2406, wideRows);
    ExpectBounded("rows below the canvas are dropped", 0x05, 1, 400,
                  Filler(400, 0, {{320, 0xE0}, {321, 0xE0}}), 400, {{0, 320, Red}});
    ExpectBounded("runs below the canvas still count rows", 0x88, 241, 4095, runs, runBytes,
                  {{240, 320, Blue}});
    ExpectBounded("1-bit runs of 63 fill 65535 rows in 1041 blocks", 0x81, 1, 65535,
                  Filler(2000, 0xFF), 1041, {{0, 320, B}, {1, 0, U}});
    ExpectBounded("a run of 5 from column 1 fills rows 0 to 2", 0x85, 2, 4,
                  Data(Hex("01 E0 05 1C 01 03")), 6, {{0, 3, Blue}, {1, 3, U}});
    ExpectBounded("bytes past the end read as zero", 0x0A, 65535, 65535, Counting24(25), 100,
                  {{24, 0, Counted(24)}, {25, 0, B}, {240, 320, B}});
    ExpectBounded("1-bit rows of huge width", 0x01, 65535, 3, Filler(3 * 8192, 0, {{8192, 0xFF}}),
                  3 * 8192, {{0, 0, W}, {7, 1, B}, {8, 1, W}});
    const Bytes zeros(1 << 20, 0);
    for (const int type : {0x01, 0x81, 0x05, 0x85, 0x87, 0x08, 0x0A, 0x8A}) {
        SCOPED_TRACE(type);
        ExpectBounded("huge sizes end at the source", type, 65535, 65535, zeros, 1 << 20, {});
    }
}

// The length must be exactly what a decode consumes, for every type, for
// sizes on and off the canvas and for streams that end early: random bytes
// reach runs, literals, zero counts and cut-off pixels alike.
TEST(StreamLength, IsWhatTheDecoderConsumes) {
    const struct {
        unsigned width;
        unsigned height;
    } sizes[] = {{0, 5}, {5, 0}, {1, 1}, {7, 3}, {250, 2}, {3, 400}, {300, 330}};
    std::mt19937 random(7);
    std::vector<std::uint8_t> bytes(3000);
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random());
    DecodedPicture picture;
    ScriptedUi quiet;
    for (const int type : {0x01, 0x05, 0x07, 0x08, 0x0A, 0x81, 0x85, 0x87, 0x88, 0x8A}) {
        const PictureTypeInfo info = TypeInfoFromText(TypeTextFromCode(type));
        for (const auto& size : sizes) {
            for (const std::size_t length : {0, 1, 3, 40, 3000}) {
                const std::span<const std::uint8_t> source(bytes.data(), length);
                for (const std::size_t start : {0, 2}) {
                    ByteCursor cursor(source, start);
                    ASSERT_TRUE(DecodePicture(picture, quiet, cursor, 0, size.width, size.height,
                                              info.compressed, info.bitDepth));
                    EXPECT_EQ(StreamLength(source, start, size.width, size.height, info.compressed,
                                           info.bitDepth),
                              static_cast<std::size_t>(picture.dataSize))
                        << "type " << type << ", " << size.width << " x " << size.height << ", "
                        << length << " bytes from " << start;
                }
            }
        }
    }
    EXPECT_EQ(StreamLength(bytes, 0, 1, 1, false, 0), std::nullopt);
}
