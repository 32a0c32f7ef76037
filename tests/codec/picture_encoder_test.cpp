// The encoder's run and literal cutting against hand-cut streams, and the
// round trip: encode, then decode, and every accepted type code gives back
// each pixel as its format can hold it. That expectation is computed here with
// exact integer rounding, independently of the codec's tables.

#include "codec/picture_encoder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "codec_test_support.h"

using namespace GPFcodec;
using namespace codec_test;

namespace {

constexpr int kCodes[] = {0x01, 0x05, 0x08, 0x0A, 0x85, 0x88, 0x8A};

/// round(value x to / from) for the conversions that never meet a half.
int Scale(int value, int to, int from) {
    return (2 * value * to + from) / (2 * from);
}

/// A channel narrowed to `maxValue` and widened again.
std::uint8_t Requantised(int value, int maxValue) {
    return static_cast<std::uint8_t>(Scale(Scale(value, maxValue, 255), 255, maxValue));
}

Cell ExpectedAfterReduction(int code, bool hasAlpha, const Cell& cell) {
    const int format = code & 0x0F;
    const bool marker = isTransparencyMarker(cell);
    if (format == 0x0A) {
        if (hasAlpha) return cell;
        return marker ? TransparencyMarker : Cell{cell.red, cell.green, cell.blue, 255};
    }
    if ((hasAlpha && cell.fourth < 127) || (!hasAlpha && marker)) {
        // The 1-bit format has no transparent value: the marker's grey is light.
        return format == 0x01 ? Cell{255, 255, 255, 0} : TransparencyMarker;
    }
    if (format == 0x01) {
        const bool dark = cell.red / 3.0 + cell.green / 3.0 + cell.blue / 3.0 < 127;
        return dark ? Cell{0, 0, 0, 0} : Cell{255, 255, 255, 0};
    }
    if (format == 0x05) {
        const int stored = Scale(cell.red, 7, 255) << 5 | Scale(cell.green, 7, 255) << 2 |
                           Scale(cell.blue, 3, 255);
        if (stored == 0xC0) return TransparencyMarker;
        return Cell{Requantised(cell.red, 7), Requantised(cell.green, 7), Requantised(cell.blue, 3),
                    0};
    }
    const int stored = Scale(cell.red, 31, 255) << 11 | Scale(cell.green, 63, 255) << 5 |
                       Scale(cell.blue, 31, 255);
    if (stored == 0xE000) return TransparencyMarker;
    return Cell{Requantised(cell.red, 31), Requantised(cell.green, 63), Requantised(cell.blue, 31),
                0};
}

/// Gradients with noise, flat stripes (long runs) and sprinkled markers.
DecodedPicture Structured(int width, int height, bool hasAlpha, unsigned seed) {
    std::mt19937 random(seed);
    return Picture(width, height, hasAlpha, [&](int x, int y) {
        if (y % 7 == 3) return Cell{40, 80, 120, 255};
        if (random() % 23 == 0) return TransparencyMarker;
        const auto noise = static_cast<int>(random() % 5);
        return Cell{static_cast<std::uint8_t>((x + noise) & 0xFF),
                    static_cast<std::uint8_t>(y & 0xFF), static_cast<std::uint8_t>((x * y) & 0xFF),
                    static_cast<std::uint8_t>(random())};
    });
}

DecodedPicture Random(int width, int height, bool hasAlpha, unsigned seed) {
    std::mt19937 random(seed);
    return Picture(width, height, hasAlpha, [&](int, int) { return RandomCell(random); });
}

/// Runs of lengths around the limits (126 to 129) of alternating colours.
DecodedPicture RunLengths(bool hasAlpha) {
    std::vector<Cell> sequence;
    for (int length : {126, 127, 128, 129, 1, 2, 254, 255, 3}) {
        const Cell cell{static_cast<std::uint8_t>(length), 0, 255, 255};
        sequence.insert(sequence.end(), static_cast<std::size_t>(length), cell);
    }
    for (int i = 0; i < 300; ++i) sequence.push_back(Cell{static_cast<std::uint8_t>(i), 9, 9, 255});
    const int width = 97;
    const int height = static_cast<int>(sequence.size() + width - 1) / width;
    return Picture(width, height, hasAlpha, [&](int x, int y) {
        const auto i = static_cast<std::size_t>(y * width + x);
        return i < sequence.size() ? sequence[i] : Cell{0, 0, 0, 0};
    });
}

struct Sample {
    std::string name;
    DecodedPicture picture;
};

std::vector<Sample> Samples() {
    std::vector<Sample> samples;
    for (bool alpha : {false, true}) {
        const std::string suffix = alpha ? " with alpha" : "";
        samples.push_back({"random 37 x 23" + suffix, Random(37, 23, alpha, 1)});
        samples.push_back({"random full canvas" + suffix, Random(241, 321, alpha, 2)});
        samples.push_back({"structured 240 x 320" + suffix, Structured(240, 320, alpha, 3)});
        samples.push_back({"run lengths" + suffix, RunLengths(alpha)});
        samples.push_back({"1 x 1" + suffix, Random(1, 1, alpha, 4)});
        samples.push_back({"10 x 3" + suffix, Structured(10, 3, alpha, 5)});
        samples.push_back({"wider than the canvas" + suffix, Structured(300, 5, alpha, 6)});
    }
    return samples;
}

/// One row per text, a cell per letter: R red, r a red one step darker, G
/// green, K black, W white; a and b differ in alpha only.
DecodedPicture Rows(const std::vector<std::string>& rows, bool hasAlpha = false) {
    static const std::map<char, Cell> cells{
        {'R', {255, 0, 0, 255}},     {'r', {254, 0, 0, 255}}, {'G', {0, 255, 0, 255}},
        {'K', {0, 0, 0, 255}},       {'a', {10, 20, 30, 1}},  {'b', {10, 20, 30, 2}},
        {'W', {255, 255, 255, 255}},
    };
    return Picture(
        static_cast<int>(rows.front().size()), static_cast<int>(rows.size()), hasAlpha,
        [&](int x, int y) {
            return cells.at(rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]);
        });
}

std::string Repeated(const std::string& text, std::size_t count) {
    std::string repeated;
    for (std::size_t i = 0; i < count; ++i) repeated += text;
    return repeated;
}

struct EncodeCase {
    const char* name;
    DecodedPicture picture;
    int typeCode;
    std::string stream;
};

// Expected streams cut by hand from the run/literal rules. What each format
// makes of a pixel is checked by the round trip.
std::vector<EncodeCase> Cases() {
    const std::string red127(127, 'R');
    return {
        {"130 equal pixels: runs of 127 and 3", Rows({red127 + "RRR"}), 0x85, Hex("7F E0 03 E0")},
        {"254 equal pixels: two full runs", Rows({red127, red127}), 0x85, Hex("7F E0 7F E0")},
        {"after a full run the next pixel starts afresh", Rows({red127 + "RG"}), 0x85,
         Hex("7F E0 FE E0 1C")},
        {"128 alternating pixels: literals of 127 and 1", Rows({Repeated("RG", 64)}), 0x85,
         Hex("81") + Repeated(Hex("E0 1C"), 63) + Hex("E0 FF 1C")},
        {"A A B: run of 2, literal of 1", Rows({"RRG"}), 0x85, Hex("02 E0 FF 1C")},
        {"A B C C: literal of 2, run of 2", Rows({"RGKK"}), 0x85, Hex("FE E0 1C 02 00")},
        {"runs cross row ends", Rows({"RR", "RG"}), 0x85, Hex("03 E0 FF 1C")},
        {"1 x 1, compressed: a literal of one", Rows({"R"}), 0x85, Hex("FF E0")},
        {"1-bit rows end on a byte, completed with 1 bits", Rows({"WWWWWWWWWW", "KWKWKWKWKW"}),
         0x01, Hex("00 3F AA BF")},
        {"with alpha, different fourth bytes form no run", Rows({"ab"}, true), 0x8A,
         Hex("FE 1E 14 0A 01 1E 14 0A 02")},
        {"pixels equal after reduction but not before form no run", Rows({"Rr"}), 0x85,
         Hex("FE E0 E0")},
    };
}

}  // namespace

TEST(RoundTrip, EveryCodeGivesBackTheReducedPixels) {
    for (const Sample& sample : Samples()) {
        const DecodedPicture& original = sample.picture;
        const int columns = original.canvasColumns();
        const int rows = original.canvasRows();
        for (int code : kCodes) {
            SCOPED_TRACE(sample.name + ", type " + TypeTextFromCode(code));
            const std::string stream = EncodePicture(original, code);
            const DecodedPicture decoded = Decode(Data(stream), code, columns, rows);
            EXPECT_EQ(decoded.dataSize, static_cast<double>(stream.size()));
            int mismatches = 0;
            for (int y = 0; y < rows && mismatches < 3; ++y) {
                for (int x = 0; x < columns && mismatches < 3; ++x) {
                    const Cell expected =
                        ExpectedAfterReduction(code, original.hasAlpha, original.at(x, y));
                    if (decoded.at(x, y) != expected) {
                        ++mismatches;
                        ADD_FAILURE() << "cell " << x << "," << y << " is "
                                      << testing::PrintToString(decoded.at(x, y)) << ", expected "
                                      << testing::PrintToString(expected);
                    }
                }
            }
            if (columns < DecodedPicture::kCanvasWidth) {
                EXPECT_EQ(decoded.at(columns, 0), kUntouched);
            }
        }
    }
}

TEST(EncodePicture, EdgeCases) {
    for (const EncodeCase& c : Cases()) {
        EXPECT_EQ(EncodePicture(c.picture, c.typeCode), c.stream) << c.name;
    }
}

TEST(EncodePicture, RefusedCodesAndEmptyPictures) {
    const DecodedPicture picture = Rows({"RG"});
    for (int code : {0x81, 0x07, 0x87, 0x00, 0x8B, 0x105, -1}) {
        EXPECT_FALSE(IsEncodableType(code)) << code;
        EXPECT_EQ(EncodePicture(picture, code), "") << code;
    }
    for (int code : kCodes) {
        EXPECT_TRUE(IsEncodableType(code)) << code;
        DecodedPicture empty = picture;
        empty.height = 0;
        EXPECT_EQ(EncodePicture(empty, code), "") << code;
        empty.height = -3;
        EXPECT_EQ(EncodePicture(empty, code), "") << code;
    }
}
