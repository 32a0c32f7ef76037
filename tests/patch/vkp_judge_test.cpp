// Our VKP reader against the phone community's parser (@sie-js/vkp, pinned in
// tests/vkp_judge and installed by ./test.sh with npm ci): both read the same
// texts and must give the same records (line, address, old, new) or refuse the
// same lines. The parser must also still read each hand-written case as its
// stored expected reading says, which vkp_reader_test.cpp holds our reader to
// on machines without the parser.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "cli/run_program.h"
#include "devtools/seeded_random.h"
#include "patch/vkp_reader.h"
#include "patch/vkp_reading.h"

namespace {

/// A text mixing the constructs from a few fragments each; one fragment in
/// 24 is a broken one.
std::string generatedText(SeededRandom& random) {
    using List = std::vector<std::string>;
    static const List kAddresses = {"10:", "0x0A:", "0XfF:", "000123500:", "FFFFFFFF:", "a0:"};
    static const List kBadAddresses = {"100000000:", "10 :", "10", "0x:"};
    static const List kData = {"00",    "A1b2",      "12,34",        "0x1F",       "0x123",
                               "0n101", "0i+12",     "0i255",        "0i-00001",   "0i12345",
                               "''",    "\"\\x41\"", "\"\\101\\t\"", "'\\u0410z'", "'\xC0'"};
    static const List kBadData = {"0011223", "\"\\q\"", "0i1?", "FFg",      "\"a/*\"",
                                  "0x12;",   "\xC0",    "0n12", "0i256",    "0xXX1G",
                                  "XX??g",   "1??2",    "0xXX", "\"\\x7F\""};
    static const List kJoins = {",", ",", "\\\n"};
    static const List kBadJoins = {"", ", "};
    static const List kBlanks = {" ", " ", "\t", " \\\n "};
    static const List kNoBlank = {""};
    static const List kComments = {"", "", "/* a */ ", "/* a\nb */ "};
    static const List kTails = {"", "", " ; note", " // note", " # note", " /* note */"};
    static const List kBadTails = {" /* open", " */", " \\", " 00", " 10: 00 11"};
    static const List kLines = {"+10",
                                "-0x20",
                                "+0",
                                "+1 ; x",
                                "#pragma enable old_equal_ff",
                                "#pragma disable old_equal_ff",
                                "#pragma enable undo",
                                "; x",
                                ""};
    static const List kBadLines = {"+100000000", "#pragma once", "/* block", "end */",
                                   "Picture 1",  "\"open",       "-1 2"};
    static const List kLineEnds = {"\n", "\n", "\r\n", "\r"};
    auto pick = [&random](const List& good, const List& bad) -> const std::string& {
        const List& from = random.between(0, 23) == 0 ? bad : good;
        return from[static_cast<std::size_t>(random.between(0, static_cast<int>(from.size()) - 1))];
    };
    auto field = [&] {
        std::string text = pick(kData, kBadData);
        while (random.between(0, 3) == 0) text += pick(kJoins, kBadJoins) + pick(kData, kBadData);
        return text;
    };
    std::string text;
    for (int line = random.between(1, 8); line > 0; --line) {
        if (random.between(0, 4) == 0) {
            text += pick(kLines, kBadLines);
        } else {
            // Old data mostly as long as the new: the same fragments.
            const std::string old = field();
            text += pick(kComments, kBadLines) + pick(kAddresses, kBadAddresses) +
                    pick(kBlanks, kNoBlank) + old;
            if (random.between(0, 3) > 0)
                text += pick(kBlanks, kBlanks) + (random.between(0, 2) > 0 ? old : field());
            text += pick(kTails, kBadTails);
        }
        text += pick(kLineEnds, kLineEnds);
    }
    // The parser places an error at the very end of the text on line 1.
    return text + "; end\n";
}

/// What keeps the judge from running, or nothing.
std::optional<std::string> judgeMissing() {
    const std::filesystem::path folder = PICTAVO_VKP_JUDGE_DIR;
    if (std::filesystem::exists(folder / "node_modules/@sie-js/vkp/package.json"))
        return std::nullopt;
    const std::string why = ReadWholeFile((folder / "unavailable.txt").string());
    return "the community VKP parser is not installed in " + folder.string() + ": " +
           (why.empty() ? "./test.sh installs it with npm ci" : why);
}

TEST(VkpJudge, ReadsEveryTextAsTheCommunityParserDoes) {
    if (const auto missing = judgeMissing()) GTEST_SKIP() << *missing;
    std::vector<VkpCase> cases = HandWrittenVkpCases();
    ASSERT_FALSE(cases.empty());
    SeededRandom random(20240611);
    constexpr int kGenerated = 3000;
    for (int i = 0; i < kGenerated; ++i)
        cases.push_back({"generated " + std::to_string(i), generatedText(random), {}});

    const TempDir dir("pictavo vkp judge");
    std::map<std::string, std::string> ours;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        std::string name = std::to_string(100000 + i).substr(1) + ".vkp";
        dir.write(name, cases[i].text);
        ours[name] = VkpReading(Vkp::ParseVkp(cases[i].text));
    }
    const ProgramRun run =
        RunExecutable("/usr/bin/env",
                      {"node", PICTAVO_VKP_JUDGE_SCRIPT,
                       std::string(PICTAVO_VKP_JUDGE_DIR) + "/node_modules", dir.path().string()});
    if (run.exitCode == 127) GTEST_SKIP() << "node is not installed";
    ASSERT_EQ(run.exitCode, 0) << run.err;

    std::istringstream judged(run.out);
    std::string line;
    int differences = 0;
    auto it = ours.begin();
    for (std::size_t i = 0; std::getline(judged, line) && it != ours.end(); ++i, ++it) {
        line = WithoutCaseName(line);
        EXPECT_TRUE(cases[i].expected.empty() || line == cases[i].expected)
            << cases[i].name << ": the parser now reads it as " << line
            << "; its .expected.json says " << cases[i].expected;
        if (line == it->second || ++differences > 10) continue;
        ADD_FAILURE() << cases[i].name << ":\n"
                      << testing::PrintToString(cases[i].text) << "\n judge: " << line
                      << "\n   ours: " << it->second;
    }
    EXPECT_EQ(it, ours.end()) << "the judge read fewer texts: " << run.err;
    EXPECT_EQ(differences, 0);
}

}  // namespace
