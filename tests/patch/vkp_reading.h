#pragma once
// A VKP reading in the community parser's terms, one JSON line as
// tests/vkp_judge/judge.mjs prints it without its case name:
//   {"writes":[[LINE,ADDRESS,OLD,NEW],...],"errors":[LINE,...]}
// ADDRESS is 8 upper-case hex digits or "outside", OLD null for a record
// without old data; the errors are the lines refused, once each.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/run_program.h"
#include "patch/vkp_reader.h"

inline std::string HexText(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char c : bytes) text += {kDigits[c >> 4], kDigits[c & 15]};
    return text;
}

inline std::string VkpReading(const Vkp::Document& doc) {
    std::ostringstream out;
    out << R"({"writes":[)";
    for (std::size_t i = 0; i < doc.records.size(); ++i) {
        const Vkp::Record& r = doc.records[i];
        char address[16] = "outside";
        if (r.address >= 0 && r.address <= 0xFFFFFFFF)
            std::snprintf(address, sizeof address, "%08llX", static_cast<long long>(r.address));
        out << (i > 0 ? "," : "") << '[' << r.line << ",\"" << address << "\","
            << (r.oldBytes ? '"' + HexText(*r.oldBytes) + '"' : "null") << ",\""
            << HexText(r.newBytes) << "\"]";
    }
    std::set<int> lines;
    for (const Vkp::Finding& f : doc.errors) lines.insert(f.line);
    out << R"(],"errors":[)";
    for (auto it = lines.begin(); it != lines.end(); ++it)
        out << (it != lines.begin() ? "," : "") << *it;
    out << "]}";
    return out.str();
}

/// A line of the judge's output without its "case" field, as the hand-written
/// cases keep their expected readings.
inline std::string WithoutCaseName(const std::string& judged) {
    const std::size_t writes = judged.find(R"("writes")");
    return writes == std::string::npos ? judged : "{" + judged.substr(writes);
}

struct VkpCase {
    std::string name;
    std::string text;
    std::string expected;  ///< the stored reading of a hand-written case, else empty
};

/// The hand-written texts of tests/data/vkp/, one per construct of the
/// format, each with its expected reading (NAME.expected.json: what the
/// community parser makes of it), in name order.
inline std::vector<VkpCase> HandWrittenVkpCases() {
    std::vector<VkpCase> cases;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(PICTAVO_TESTDATA_DIR) + "/vkp")) {
        const std::filesystem::path& path = entry.path();
        if (path.extension() != ".vkp") continue;
        std::filesystem::path expected = path;
        expected.replace_extension(".expected.json");
        std::string reading = ReadWholeFile(expected.string());
        while (!reading.empty() && reading.back() == '\n') reading.pop_back();
        cases.push_back({path.filename().string(), ReadWholeFile(path.string()), reading});
    }
    std::sort(cases.begin(), cases.end(),
              [](const VkpCase& a, const VkpCase& b) { return a.name < b.name; });
    return cases;
}
