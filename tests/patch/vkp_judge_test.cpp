// Our VKP reader against the phone community's parser (@sie-js/vkp, pinned in
// tests/vkp_judge and installed by ./test.sh with npm ci): both read the same
// texts and must give the same records (line, address, old, new) or refuse the
// same lines.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "cli/run_program.h"
#include "devtools/seeded_random.h"
#include "patch/vkp_reader.h"

namespace {

struct Case {
    std::string name;
    std::string text;
};

const std::vector<Case> kHandWritten = {
    {"own shape",
     "; ### banner\r\n\r\n; ##### Picture 12 #####\r\n0000101C: 0101050000000"
     "9A0 0201050000000A00\r\n00090000: 00112233445566778899AABBCCDDEEFF "
     "FFEEDDCCBBAA99887766554433221100\r\n"},
    {"line ends", "10: 00 01\r11: 02 03\n12: 04 05\r\n13: 06 07"},
    {"blanks and tabs", "  \n\t10:\t00\t01  \n   \n"},
    {"address forms", "0x0a: 00 01\n0XfF: 02 03\n8A3C10: 00 01\n000123500: 00 01\nFFFFFFFF: 1 2\n"},
    {"no blank after the colon", "10:0011 2233\n"},
    {"comments", "// a\n# b\n; c\n10: 00 01 ; d\n11: 02 03 // e\n12: 04 05 # f\n"},
    {"block comments", "/* a */ 10: 00 01 /* b */\n/* c\nd */ 11: 02 03\n10: 00 /* e */ 01\n"},
    {"8-bit bytes in a comment and in data", "; \xC0\x98\xFF\n10: 00\xC0 01\n"},
    {"commas", "10: 00,11,22 33,44,55\n11: ,00 11\n12: 00, 11\n"},
    {"old_equal_ff",
     "#pragma enable old_equal_ff\n10: 0102\n#pragma disable old_equal_ff\n11: 03\n"},
    {"other pragmas", "#pragma disable warn_no_old_on_apply\n10: 01\n#pragma enable undo\n"},
    {"unknown pragmas",
     "#pragma once\n#pragma enable old_equal_ff x1\n#pragma\n#pragmas enable undo\n"},
    {"pragma, comment, junk",
     "#pragma enable old_equal_ff ; on\n10: 01\n#pragma disable old_equal_ff-\n"},
    {"offsets", "+100\n10: 01 02\n-0x10\n20: 01 02\n+0\n30: 01 02\n+0x\n"},
    {"offsets past 32 bits", "+100000000\n-20\n10: 01 02\n+FFFFFFFF\n1: 01 02\n+0\n"},
    {"new data only", "10: 0102\n11: 03 ; note\n"},
    {"odd hex", "10: 0011223 00112233\n11: 00 112\n"},
    {"old shorter, longer", "10: 001122 00112233\n11: 0011223344 00112233\n"},
    {"not hex", "10: 0011GG33 00\n11: 00 11_\n12: 00 x1\n"},
    {"placeholders",
     "10: 00 XX\n11: 1??2 3344\n12: 0xXX 11\n13: 0XX 11\n14: 0nn1 11\n15: 0i1? 11\n"},
    {"placeholders that fail", "10: XX??g 00\n11: 0nnf 00\n12: 0i1x?? 00\n13: MSML 0000\n"},
    {"missing colon", "00123500 0011 4455\n00123500 : 00 11\n0x00123500 00 11\n"},
    {"three fields and two records", "10: 00 11 22\n10: 00 11 20: 22 33\n10: 00 11 /* x\n */ 22\n"},
    {"address without data", "10:\n11: ; note\n12: /* x */\n"},
    {"address past 32 bits", "100000000: 00 11\n0x100000000: 00 11\n"},
    {"banner lines", "+-------+\nPicture 12\n===\n*/\n"},
    {"hex numbers", "10: 0x1 0x12\n11: 0x123 0x1234\n12: 0x12345678 0x123456789\n13: 0xAB;c\n"},
    {"binary numbers", "10: 0n1 0n11111111\n11: 0n100000000 0n1\n12: 0n2 00\n"},
    {"decimal numbers", "10: 0i255 0i+127\n11: 0i256 00\n12: 0i-128 00\n13: 0i00300 0i65535\n"},
    {"decimal digit counts", "10: 0i1234 00\n11: 0i18446744073709551615 0i-0000000000000000001\n"},
    {"strings", "10: \"ab\" \"\\x41\\101\"\n11: 'a' \"\\t\\n\"\n12: \"\" \"\"\n13: '\xC0' 0011\n"},
    {"string escapes that fail",
     "10: \"\\x7F\" 00\n11: \"\\u0041\" 00\n12: \"\\q\" 00\n13: \"\\400\" 0\n"},
    {"strings over lines", "10: \"a\nb\" 001122\n11: \"a\\\nb\" 0011\n12: 'a\"b' 00\n"},
    {"comment signs in strings", "10: \"a/*\" 00\n11: \"//\" 00\n12: \"*/\" 00\n"},
    {"numbers and strings in one field", "10: 00\"ab\"0x0102,0n1 00112233AABB\n"},
    {"line escapes", "10: 00\\\n11 2233\n11: 00 \\\n 11\n12: 00 11\\\n\n\\\n13: 00 11\n"},
    {"unclosed block comment", "10: 00 01\n/* open\n11: 00 01\n"},
};

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

std::string hex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char c : bytes) text += {kDigits[c >> 4], kDigits[c & 15]};
    return text;
}

/// Our reading in the shape the judge prints.
std::string ourReading(const std::string& name, const Vkp::Document& doc) {
    std::ostringstream out;
    out << R"({"case":")" << name << R"(","writes":[)";
    for (std::size_t i = 0; i < doc.records.size(); ++i) {
        const Vkp::Record& r = doc.records[i];
        char address[16] = "outside";
        if (r.address >= 0 && r.address <= 0xFFFFFFFF)
            std::snprintf(address, sizeof address, "%08llX", static_cast<long long>(r.address));
        out << (i > 0 ? "," : "") << '[' << r.line << ",\"" << address << "\","
            << (r.oldBytes ? '"' + hex(*r.oldBytes) + '"' : "null") << ",\"" << hex(r.newBytes)
            << "\"]";
    }
    std::set<int> lines;
    for (const Vkp::Finding& f : doc.errors) lines.insert(f.line);
    out << R"(],"errors":[)";
    for (auto it = lines.begin(); it != lines.end(); ++it)
        out << (it != lines.begin() ? "," : "") << *it;
    out << "]}";
    return out.str();
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
    std::vector<Case> cases = kHandWritten;
    SeededRandom random(20240611);
    constexpr int kGenerated = 3000;
    for (int i = 0; i < kGenerated; ++i)
        cases.push_back({"generated " + std::to_string(i), generatedText(random)});

    const TempDir dir("pictavo vkp judge");
    std::map<std::string, std::string> ours;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        std::string name = std::to_string(100000 + i).substr(1) + ".vkp";
        dir.write(name, cases[i].text);
        std::ofstream("/tmp/jcases/" + name) << cases[i].text;
        ours[name] = ourReading(name, Vkp::ParseVkp(cases[i].text));
    }
    const ProgramRun run =
        RunExecutable("/usr/bin/env",
                      {"node", PICTAVO_VKP_JUDGE_SCRIPT,
                       std::string(PICTAVO_VKP_JUDGE_DIR) + "/node_modules", dir.path().string()});
    if (run.exitCode == 127) GTEST_SKIP() << "node is not installed";
    ASSERT_EQ(run.exitCode, 0) << run.err;

    {
        std::ofstream("/tmp/judge_out.txt") << run.out;
        std::ofstream o("/tmp/ours_out.txt");
        for (auto& [k, v] : ours) o << v << "\n";
    }
    {
        std::ofstream("/tmp/judge_out.txt") << run.out;
        std::ofstream o("/tmp/ours_out.txt");
        for (auto& [k, v] : ours) o << v << "\n";
    }
    std::istringstream judged(run.out);
    std::string line;
    int differences = 0;
    auto it = ours.begin();
    for (std::size_t i = 0; std::getline(judged, line) && it != ours.end(); ++i, ++it) {
        if (line == it->second || ++differences > 10) continue;
        ADD_FAILURE() << cases[i].name << ":\n"
                      << testing::PrintToString(cases[i].text) << "\n judge: " << line
                      << "\n   ours: " << it->second;
    }
    EXPECT_EQ(it, ours.end()) << "the judge read fewer texts: " << run.err;
    EXPECT_EQ(differences, 0);
}

}  // namespace
