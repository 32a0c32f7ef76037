#include "codec/picture_type.h"

#include <gtest/gtest.h>

using namespace GPFcodec;

TEST(PictureType, InfoFromText) {
    struct Case {
        const char* text;
        bool compressed;
        int bitDepth;
    };
    const Case cases[] = {
        {"8A", true, 24}, {"0A", false, 24},  {"88", true, 16},   {"08", false, 16},
        {"87", true, 12}, {"07", false, 12},  {"85", true, 8},    {"05", false, 8},
        {"81", true, 1},  {"01", false, 1},   {"82", true, 0},    {"0B", false, 0},
        {"8a", true, 0},  {"185", false, 16}, {"8A00", true, 24}, {"9A", false, 24},
        {"8", true, 0},   {"", false, 0},
    };
    for (const Case& c : cases) {
        const PictureTypeInfo info = TypeInfoFromText(c.text);
        EXPECT_EQ(info.compressed, c.compressed) << c.text;
        EXPECT_EQ(info.bitDepth, c.bitDepth) << c.text;
    }
}

TEST(PictureType, TextFromCode) {
    const std::pair<int, const char*> cases[] = {
        {0x8A, "8A"}, {0x0A, "0A"},   {0x01, "01"},   {0, "00"},
        {0x85, "85"}, {0x185, "185"}, {-123, "FF85"}, {0x18A, "18A"},
    };
    for (const auto& [code, text] : cases) EXPECT_EQ(TypeTextFromCode(code), text) << code;
}
