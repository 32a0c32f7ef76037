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

// Expected streams cut by hand from the run/literal rules. What each format
// makes of a pixel is checked by the round trip.
std::vector<EncodeCase> Cases() {
    return {
        {"130 equal pixels: runs of 127 and 3", Rows({Repeat(Red, 130)}), 0x85, Hex("7F E0 03 E0")},
        {"254 equal pixels: two full runs", Rows({Repeat(Red, 127), Repeat(Red, 127)}), 0x85,
         Hex("7F E0 7F E0")},
        {"after a full run the next pixel starts afresh", Rows({Join(Repeat(Red, 128), {Green})}),
         0x85, Hex("7F E0 FE E0 1C")},
        {"128 alternating pixels: literals of 127 and 1", Rows({Alternating(128)}), 0x85,
         Hex("81") + AlternatingBytes(127) + Hex("FF 1C")},
        {"A A B: run of 2, literal of 1", Rows({{Red, Red, Green}}), 0x85, Hex("02 E0 FF 1C")},
        {"A B C C: literal of 2, run of 2", Rows({{Red, Green, Black, Black}}), 0x85,
         Hex("FE E0 1C 02 00")},
        {"runs cross row ends", Rows({{Red, Red}, {Red, Green}}), 0x85, Hex("03 E0 FF 1C")},
        {"1 x 1, compressed: a literal of one", Rows({{Red}}), 0x85, Hex("FF E0")},
        {"1-bit rows end on a byte, completed with 1 bits",
         Rows({Repeat(White, 10),
               {Black, White, Black, White, Black, White, Black, White, Black, White}}),
         0x01, Hex("00 3F AA BF")},
        {"with alpha, different fourth bytes form no run",
         Rows({{Cell{10, 20, 30, 1}, Cell{10, 20, 30, 2}}}, true), 0x8A,
         Hex("FE 1E 14 0A 01 1E 14 0A 02")},
        {"pixels equal after reduction but not before form no run",
         Rows({{Cell{255, 0, 0, 0}, Cell{254, 0, 0, 0}}}), 0x85, Hex("FE E0 E0")},
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
