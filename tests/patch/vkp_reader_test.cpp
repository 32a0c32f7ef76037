#include "patch/vkp_reader.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

using Vkp::Record;

Record rec(int line, std::uint32_t address, std::optional<std::string> oldBytes,
           std::string newBytes) {
    return {line, address, std::move(oldBytes), std::move(newBytes)};
}

TEST(ParseVkp, ReadsTheWritersLinesAndHandWrittenOnes) {
    const struct {
        const char* what;
        std::string text;
        std::vector<Record> records;
        int warnings = 0;
    } cases[] = {
        {"own shape",
         "; ### banner\r\n\r\n00000010: AABB CCDD\r\n",
         {rec(3, 0x10, "\xAA\xBB", "\xCC\xDD")}},
        {"LF, CR, no final line end",
         "\n10: 00 01\r11: 02 03",
         {rec(2, 0x10, "\x00"s, "\x01"), rec(3, 0x11, "\x02", "\x03")}},
        {"0x, lower case, no blank, tabs, commas, comment after",
         "0x1a:aa,bb\tcc,DD ; note\n",
         {rec(1, 0x1A, "\xAA\xBB", "\xCC\xDD")}},
        {"comment kinds",
         "// a\n# b\n/* c\nd */ 20: 01 02 /* e */\n",
         {rec(4, 0x20, "\x01", "\x02")}},
        {"nine digits with a leading zero",
         "000123500: 01 02\n",
         {rec(1, 0x123500, "\x01", "\x02")}},
        {"offset lines",
         "+100\n10: 01 02\n-10\n20: 01 02\n+0\n30: 01 02\n",
         {rec(2, 0x110, "\x01", "\x02"), rec(4, 0x10, "\x01", "\x02"),
          rec(6, 0x30, "\x01", "\x02")}},
        {"old_equal_ff",
         "#pragma enable old_equal_ff\n10: 0102\n#pragma disable old_equal_ff\n",
         {rec(2, 0x10, "\xFF\xFF", "\x01\x02")}},
        {"new data only", "10: 0102\n", {rec(1, 0x10, std::nullopt, "\x01\x02")}, 1},
        {"offset never reset", "+10\n10: 01 02\n", {rec(2, 0x20, "\x01", "\x02")}, 1},
        {"block never closed", "10: 01 02 /* open\n20: 01 02\n", {rec(1, 0x10, "\x01", "\x02")}, 1},
    };
    for (const auto& c : cases) {
        const Vkp::Document doc = Vkp::ParseVkp(c.text);
        EXPECT_EQ(doc.records, c.records) << c.what;
        EXPECT_TRUE(doc.errors.empty()) << c.what << ": " << doc.errors.front().message;
        EXPECT_EQ(doc.warnings.size(), static_cast<std::size_t>(c.warnings)) << c.what;
    }
}

TEST(ParseVkp, ReportsEachUnreadableLineAndGoesOn) {
    const std::string text =
        "10: 0011223 00112233\n"  // 1 odd hex
        "10: 001122 00112233\n"   // 2 lengths differ
        "10: 00 11 22\n"          // 3 three fields
        "00000010 00 11\n"        // 4 no colon
        "00000010 : 00 11\n"      // 5 blank before the colon
        "10: 0G 11\n"             // 6 not hex
        "10:\n"                   // 7 no data
        "100000000: 00 11\n"      // 8 past 32 bits
        "-20\n10: 00 11\n+0\n"    // 10 below zero
        "FFFFFFFF: 0000 1111\n"   // 12 runs past 32 bits
        "#pragma once\n"          // 13
        "+-------+\n"             // 14
        "Picture 12\n"            // 15
        "10: 00 11\n";            // 16 fine
    const Vkp::Document doc = Vkp::ParseVkp(text);
    std::vector<int> lines;
    for (const auto& e : doc.errors) lines.push_back(e.line);
    EXPECT_EQ(lines, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 10, 12, 13, 14, 15}));
    ASSERT_EQ(doc.records.size(), 1u);
    EXPECT_EQ(doc.records[0].line, 16);
    EXPECT_EQ(doc.lines, 16);
    EXPECT_EQ(doc.errors[0].message, "odd number of hex digits in \"0011223\"");
    EXPECT_EQ(doc.errors[1].message, "old data has 3 bytes, new data 4");
}

}  // namespace
