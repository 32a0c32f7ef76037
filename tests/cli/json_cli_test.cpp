#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/run_program.h"
#include "devtools/flash_edits.h"

namespace {

using nlohmann::json;

json documentOf(const ProgramRun& run) {
    EXPECT_TRUE(json::accept(run.out)) << run.out << run.err;
    return json::accept(run.out) ? json::parse(run.out) : json{};
}

// Each --json document: numbers as numbers, offsets also as the list's hex
// text, and the exit status of the text output.
TEST(CliJson, EveryReportAsOneDocument) {
    TempDir dir{"pictavo json"};
    const ProgramTempFolder temp(dir.path().string());
    const MkflashResult image = MakeFullflash(SmallSGold(12));
    const std::string a = dir.file("a.bin");
    WriteBytes(a, image.bytes);
    FlashEditor editor(image);
    editor.repaint(3);
    const std::string b = dir.file("b.bin");
    WriteBytes(b, editor.bytes());
    const std::string patch = dir.file("a to b.vkp");
    const MkflashPicture& third = image.layout.pictures[3];

    const ProgramRun info = RunProgram("pictavo-cli", {"info", a, "--json"});
    EXPECT_EQ(info.exitCode, 0);
    const json facts = documentOf(info);
    EXPECT_EQ(facts["pictures"], 12);
    EXPECT_EQ(facts["platform"], "SGold");
    EXPECT_EQ(facts["pit_offset_hex"], "A001C");
    EXPECT_EQ(facts["pit_offset"], 0xA001C);

    const json rows = documentOf(RunProgram("pictavo-cli", {"list", a, "--json"}))["pictures"];
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows[3]["width"], third.width);
    EXPECT_EQ(rows[3]["data_offset"], third.dataOffset);
    char hex[16];
    std::snprintf(hex, sizeof hex, "%07X", third.dataOffset);
    EXPECT_EQ(rows[3]["data_offset_hex"], hex);

    const ProgramRun diff = RunProgram("pictavo-cli", {"diff", a, b, "--vkp", patch, "--json"});
    EXPECT_EQ(diff.exitCode, 1);
    const json differences = documentOf(diff);
    EXPECT_EQ(differences["differences"][0]["index"], 3);
    EXPECT_EQ(differences["differences"][0]["kind"], "pixels");
    EXPECT_EQ(differences["summary"], "1 picture differs: 1 in pixels");
    EXPECT_EQ(differences["patch"]["pictures"], 1);

    const ProgramRun verify = RunProgram("pictavo-cli", {"verify", a, patch, "--json"});
    EXPECT_EQ(verify.exitCode, 0) << verify.out;
    const json check = documentOf(verify);
    EXPECT_EQ(check["applicable"], true);
    EXPECT_EQ(check["changed"][0]["index"], 3);
    EXPECT_EQ(documentOf(RunProgram("pictavo-cli", {"verify", b, patch, "--json"}))["applicable"],
              false);

    // A file that is no fullflash has any bytes where the model would be.
    std::vector<std::uint8_t> noFlash(0x90000, 0xC3);
    const std::string garbage = dir.file("garbage.bin");
    WriteBytes(garbage, noFlash);
    EXPECT_EQ(documentOf(RunProgram("pictavo-cli", {"info", garbage, "--json"}))["pictures"], 0);
}

}  // namespace
