#include "codec/picture_encoder.h"

#include <gtest/gtest.h>

#include "codec_test_support.h"

using namespace GPFcodec;
using namespace codec_test;

namespace {

constexpr Cell Red{255, 0, 0, 255};
constexpr Cell Green{0, 255, 0, 255};
constexpr Cell Black{0, 0, 0, 255};
constexpr Cell White{255, 255, 255, 255};
constexpr Cell M = TransparencyMarker;

/// A picture of one row per `rows` entry.
DecodedPicture Rows(const std::vector<std::vector<Cell>>& rows, bool hasAlpha = false) {
    return Picture(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()), hasAlpha,
                   [&](int x, int y) {
                       return rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
                   });
}

std::vector<Cell> Repeat(const Cell& cell, std::size_t count) {
    return std::vector<Cell>(count, cell);
}

std::vector<Cell> Join(std::vector<Cell> a, const std::vector<Cell>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<Cell> Alternating(std::size_t count) {
    std::vector<Cell> cells;
    for (std::size_t i = 0; i < count; ++i) cells.push_back(i % 2 ? Green : Red);
    return cells;
}

std::string AlternatingBytes(std::size_t count) {
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) bytes += i % 2 ? '\x1C' : '\xE0';
    return bytes;
}

struct EncodeCase {
    const char* name;
    DecodedPicture picture;
    int typeCode;
    std::string stream;
};

// Expected streams cut by hand from the run/literal rules and format tables.
std::vector<EncodeCase> Cases() {
    return {
        {"three equal pixels, compressed 16-bit: one run", Rows({Repeat(Red, 3)}), 0x88,
         Hex("03 00 F8")},
        {"two different pixels, compressed 8-bit: one literal", Rows({{Red, Green}}), 0x85,
         Hex("FE E0 1C")},
        {"130 equal pixels: runs of 127 and 3", Rows({Repeat(Red, 130)}), 0x85, Hex("7F E0 03 E0")},
        {"127 equal pixels: one full run", Rows({Repeat(Red, 127)}), 0x85, Hex("7F E0")},
        {"254 equal pixels: two full runs", Rows({Repeat(Red, 127), Repeat(Red, 127)}), 0x85,
         Hex("7F E0 7F E0")},
        {"after a full run the next pixel starts afresh", Rows({Join(Repeat(Red, 128), {Green})}),
         0x85, Hex("7F E0 FE E0 1C")},
        {"after a full run the next pixels may run",
         Rows({Join(Repeat(Red, 127), Repeat(Green, 2))}), 0x85, Hex("7F E0 02 1C")},
        {"128 alternating pixels: literals of 127 and 1", Rows({Alternating(128)}), 0x85,
         Hex("81") + AlternatingBytes(127) + Hex("FF 1C")},
        {"A A B: run of 2, literal of 1", Rows({{Red, Red, Green}}), 0x85, Hex("02 E0 FF 1C")},
        {"A B B: literal of 1, run of 2", Rows({{Red, Green, Green}}), 0x85, Hex("FF E0 02 1C")},
        {"A B C C: literal of 2, run of 2", Rows({{Red, Green, Black, Black}}), 0x85,
         Hex("FE E0 1C 02 00")},
        {"runs cross row ends", Rows({{Red, Red}, {Red, Green}}), 0x85, Hex("03 E0 FF 1C")},
        {"1 x 1, compressed: a literal of one", Rows({{Red}}), 0x85, Hex("FF E0")},
        {"1-bit rows end on a byte, completed with 1 bits",
         Rows({Repeat(White, 10),
               {Black, White, Black, White, Black, White, Black, White, Black, White}}),
         0x01, Hex("00 3F AA BF")},
        {"1-bit brightness is a double-precision sum of thirds",
         Rows({{Cell{34, 253, 94, 0}, Cell{127, 127, 127, 0}, Cell{255, 125, 0, 0},
                Cell{255, 126, 0, 0}}}),
         0x01, Hex("AF")},
        {"red reduces to 8-bit E0", Rows({{Red}}), 0x05, Hex("E0")},
        {"red reduces to 16-bit 00 F8", Rows({{Red}}), 0x08, Hex("00 F8")},
        {"the marker reduces to C0 and 00 E0", Rows({{M}}), 0x05, Hex("C0")},
        {"the marker in 16 bits", Rows({{M, Cell{169, 171, 170, 0}}}), 0x08, Hex("00 E0 55 AD")},
        {"alpha below 127 becomes the marker without alpha",
         Rows({{Cell{255, 0, 0, 100}, Cell{255, 0, 0, 200}}}, true), 0x08, Hex("00 E0 00 F8")},
        {"no alpha in the 24 format: marker alpha 0, others 255", Rows({{M, Cell{10, 20, 30, 7}}}),
         0x0A, Hex("A9 AB A9 00 1E 14 0A FF")},
        {"with alpha, different fourth bytes form no run",
         Rows({{Cell{10, 20, 30, 1}, Cell{10, 20, 30, 2}}}, true), 0x8A,
         Hex("FE 1E 14 0A 01 1E 14 0A 02")},
        {"pixels equal after reduction but not before form no run",
         Rows({{Cell{255, 0, 0, 0}, Cell{254, 0, 0, 0}}}), 0x85, Hex("FE E0 E0")},
        {"a picture wider than the canvas is cut to it", Rows({Repeat(Red, 300)}), 0x85,
         Hex("7F E0 72 E0")},
    };
}

}  // namespace

TEST(EncodePicture, EdgeCases) {
    for (const EncodeCase& c : Cases()) {
        EXPECT_EQ(EncodePicture(c.picture, c.typeCode), c.stream) << c.name;
    }
}

TEST(EncodePicture, RefusedCodesAndEmptyPictures) {
    const DecodedPicture picture = Rows({{Red, Green}});
    for (int code : {0x81, 0x07, 0x87, 0x00, 0x8B, 0x105, -1}) {
        EXPECT_FALSE(IsEncodableType(code)) << code;
        EXPECT_EQ(EncodePicture(picture, code), "") << code;
    }
    for (int code : {0x01, 0x05, 0x08, 0x0A, 0x85, 0x88, 0x8A}) {
        EXPECT_TRUE(IsEncodableType(code)) << code;
        DecodedPicture empty = picture;
        empty.height = 0;
        EXPECT_EQ(EncodePicture(empty, code), "") << code;
        empty.height = -3;
        EXPECT_EQ(EncodePicture(empty, code), "") << code;
    }
}
