#include "patch/vkp_reader.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

using Vkp::Record;

Record rec(int line, std::int64_t address, std::optional<std::string> oldBytes,
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
        {"comment kinds, a record after a block comment",
         "// a\n# b\n/* c\nd */ 20: 01 02 /* e */\n",
         {rec(4, 0x20, "\x01", "\x02")}},
        {"offset lines, one below zero",
         "+100\n10: 01 02\n-10\n20: 01 02\n+0\n30: 01 02\n-20\n10: 01 02\n+0\n",
         {rec(2, 0x110, "\x01", "\x02"), rec(4, 0x10, "\x01", "\x02"), rec(6, 0x30, "\x01", "\x02"),
          rec(8, -0x10, "\x01", "\x02")}},
        {"old_equal_ff",
         "#pragma enable old_equal_ff\n10: 0102\n#pragma disable old_equal_ff\n11: 03\n",
         {rec(2, 0x10, "\xFF\xFF", "\x01\x02"), rec(4, 0x11, std::nullopt, "\x03")}},
        {"numbers, little-endian",
         "10: 0x123 0x0456\n11: 0n1 0i-1\n12: 0i00300 0i+00001\n",
         {rec(1, 0x10, "\x23\x01", "\x56\x04"), rec(2, 0x11, "\x01", "\xFF"),
          rec(3, 0x12, "\x2C\x01", "\x01\x00"s)}},
        {"strings: 8-bit and UTF-16, escapes, over a line end",
         "10: \"a\\x41\\101\\t\" '\\xC0\\u0410'\n11: \"a\r\nb\" '\xC0'\n",
         {rec(1, 0x10, "aAA\t", "\xC0\x00\x10\x04"s), rec(2, 0x11, "a\nb", "\x10\x04")},
         1},
        {"a field over lines, mixed forms",
         "10: 00\\\r\n\"a\",0x01 006201\n",
         {rec(1, 0x10,
              "\x00"s
              "a\x01",
              "\x00"s
              "b\x01")}},
        {"placeholders in old data read as 00",
         "10: 11XX 2233\n",
         {rec(1, 0x10, "\x11\x00"s, "\x22\x33")},
         1},
        {"old longer than new", "10: 0011 22\n", {rec(1, 0x10, "\x00\x11"s, "\x22")}, 1},
        {"new data only, outside 32 bits",
         "FFFFFFFF: 0102\n+10\nFFFFFFF8: 00 11\n",
         {rec(1, 0xFFFFFFFF, std::nullopt, "\x01\x02"), rec(3, 0x100000008, "\x00"s, "\x11")},
         1},
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
        "10: 0011223 00112233\n"      // 1 odd hex
        "10: 001122 00112233\n"       // 2 old shorter than new
        "10: 00 11 22\n"              // 3 three fields
        "00000010 00 11\n"            // 4 no colon
        "00000010 : 00 11\n"          // 5 blank before the colon
        "10: 0G 11\n"                 // 6 not hex
        "10:\n"                       // 7 no data
        "100000000: 00 11\n"          // 8 past 32 bits
        "10: 00 11 20: 00 11\n"       // 9 two records on one line
        "10: 00 \"\\q\"\n"            // 10 unknown escape
        "10: 00 0i1234\n"             // 11 four decimal digits
        "10: 00 XX\n"                 // 12 placeholder as new data
        "#pragma once\n"              // 13
        "+-------+\n"                 // 14
        "Picture 12\n"                // 15
        "10: 00 11 /* a\n b */ 22\n"  // 17 data after a comment over lines
        "10: 00 11\n"                 // 18 fine
        "10:";                        // 19 no data at the end of the text
    const Vkp::Document doc = Vkp::ParseVkp(text);
    std::vector<int> lines;
    for (const auto& e : doc.errors) lines.push_back(e.line);
    EXPECT_EQ(lines, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 19}));
    ASSERT_EQ(doc.records.size(), 1u);
    EXPECT_EQ(doc.records[0].line, 18);
    EXPECT_EQ(doc.lines, 19);
    EXPECT_EQ(doc.errors[0].message, "odd number of hex digits in \"0011223\"");
    EXPECT_EQ(doc.errors[1].message, "old data has 3 bytes, new data 4");
    EXPECT_EQ(doc.errors[5].message, "\"0G 11\" is no hex data, number or string");
}

TEST(ParseVkp, KeepsTheFirstFindingsOfAGarbageText) {
    std::string text;
    for (std::size_t i = 0; i < Vkp::kKeptFindings + 5; ++i) text += "garbage */\n";
    const Vkp::Document doc = Vkp::ParseVkp(text);
    EXPECT_EQ(doc.errors.size(), Vkp::kKeptFindings);
    EXPECT_EQ(doc.errorsNotKept, 5u);
    EXPECT_EQ(doc.errors.back().line, static_cast<int>(Vkp::kKeptFindings));

    const Vkp::Document records = Vkp::ParseVkp("1:00\n2:00\n3:00\n4:00\n", 2);
    EXPECT_EQ(records.records.size(), 2u);
    EXPECT_EQ(records.recordsNotKept, 2u);
    EXPECT_EQ(records.firstRecordNotKept, 3);
}

}  // namespace
