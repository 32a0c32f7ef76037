// What the reader says about a text. Which records it reads and which lines it
// refuses is held to the community parser: on every machine through the
// hand-written cases' stored readings, and where the parser is installed by
// vkp_judge_test.cpp on thousands of generated texts too. The messages and
// warnings, which the verify report shows, and the limits are ours.

#include "patch/vkp_reader.h"

#include <gtest/gtest.h>

#include "patch/vkp_reading.h"

namespace {

using Vkp::Finding;

// source: tests/data/vkp/*.expected.json, the community parser's reading of
// each case (printed by tests/vkp_judge/judge.mjs, checked again by
// vkp_judge_test.cpp wherever the parser is installed).
TEST(ParseVkp, ReadsEachHandWrittenCaseAsTheCommunityParserDoes) {
    const std::vector<VkpCase> cases = HandWrittenVkpCases();
    ASSERT_EQ(cases.size(), 37u);
    for (const VkpCase& c : cases) {
        ASSERT_FALSE(c.expected.empty()) << c.name << " has no .expected.json beside it";
        EXPECT_EQ(VkpReading(Vkp::ParseVkp(c.text)), c.expected) << c.name;
    }
}

TEST(ParseVkp, SaysWhyALineIsRefusedOrOdd) {
    const struct {
        std::string text;
        std::vector<Finding> errors;
        std::vector<Finding> warnings;
    } cases[] = {
        {"10: 0011223 00112233\n", {{1, "odd number of hex digits in \"0011223\""}}, {}},
        {"\n10: 001122 00112233\n", {{2, "old data has 3 bytes, new data 4"}}, {}},
        {"10: 0G 11\n", {{1, "\"0G 11\" is no hex data, number or string"}}, {}},
        {"10:", {{1, "address without data"}}, {}},
        {"10: 00 XX\n", {{1, "placeholder instead of new data"}}, {}},
        {"10: 11XX 2233\n", {}, {{1, "placeholder in the old data, read as 00"}}},
        {"10: 0011 22\n", {}, {{1, "old data has 2 bytes, new data 1: the rest stays as it is"}}},
        {"10: \"\" \"\"\n", {}, {{1, "writes no bytes"}}},
        {"+10\n10: 01 02\n", {}, {{1, "offset not set back to +0 at the end"}}},
        {"\n#pragma enable old_equal_ff\n", {}, {{2, "old_equal_ff still enabled at the end"}}},
        {"10: 01 02 /* open\n20: 01 02\n", {}, {{1, "\"/*\" never closed"}}},
        {"*/\n", {}, {{1, "\"*/\" without \"/*\""}}},
    };
    for (const auto& c : cases) {
        const Vkp::Document doc = Vkp::ParseVkp(c.text);
        EXPECT_EQ(doc.errors, c.errors) << c.text;
        EXPECT_EQ(doc.warnings, c.warnings) << c.text;
    }
}

TEST(ParseVkp, KeepsTheFirstFindingsOfAGarbageText) {
    std::string text;
    for (std::size_t i = 0; i < Vkp::kKeptFindings + 5; ++i) text += "garbage */\n";
    const Vkp::Document doc = Vkp::ParseVkp(text);
    EXPECT_EQ(doc.errors.size(), Vkp::kKeptFindings);
    EXPECT_EQ(doc.errorsNotKept, 5u);
    EXPECT_EQ(doc.errors.back().line, static_cast<int>(Vkp::kKeptFindings));
    EXPECT_EQ(doc.lines, static_cast<int>(Vkp::kKeptFindings + 5));

    const Vkp::Document records = Vkp::ParseVkp("1:00\n2:00\n3:00\n4:00\n", 2);
    EXPECT_EQ(records.records.size(), 2u);
    EXPECT_EQ(records.recordsNotKept, 2u);
    EXPECT_EQ(records.firstRecordNotKept, 3);
}

}  // namespace
