#include "support/basic_calculations.h"

#include <gtest/gtest.h>

using namespace BasicCalculations_Tavik;
using namespace std::string_literals;

TEST(HexToBytes, PairsOddLengthsAndOrder) {
    struct Case {
        std::string hex;
        bool reversed;
        std::string bytes;
    };
    const Case cases[] = {
        {"1234", false, "\x12\x34"}, {"1234", true, "\x34\x12"},
        {"ABC", false, "\x0A\xBC"},  {"", false, ""},
        {"7", false, "\x07"},        {"00FF", false, "\x00\xFF"s},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HexToBytes(c.hex, c.reversed), c.bytes) << c.hex;
    }
}

TEST(HexToNumber, ReadsLeadingDigitsOnly) {
    const std::pair<std::string, std::uint32_t> cases[] = {
        {"00FF", 255}, {"0123456", 0x123456}, {"12G4", 0x12},           {"", 0},
        {"G1", 0},     {"ff", 255},           {"FFFFFFFF", 0xFFFFFFFF},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(HexToNumber(text), value) << text;
}

TEST(Bits, ByteToBitsAndBack) {
    const std::pair<std::uint8_t, std::string> cases[] = {
        {0, "00000000"}, {255, "11111111"}, {5, "00000101"}, {0xC0, "11000000"}};
    for (const auto& [value, bits] : cases) {
        EXPECT_EQ(ByteToBits(value), bits);
        EXPECT_EQ(BitsToNumber(bits), value);
    }
    EXPECT_EQ(BitsToNumber("111111"), 63);
    EXPECT_EQ(BitsToNumber(""), 0);
}

TEST(TextHelpers, NumberTextNulStringNumberToHex) {
    EXPECT_EQ(NumberText("0012"), "12");
    EXPECT_EQ(NumberText("0000"), "0");
    EXPECT_EQ(NulString(3), "\0\0\0"s);
    EXPECT_EQ(NulString(0), "");
    EXPECT_EQ(NumberToHex(0), "0");
    EXPECT_EQ(NumberToHex(0x8A3C10), "8A3C10");
}
