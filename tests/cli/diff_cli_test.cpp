#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "cli/run_program.h"
#include "devtools/flash_edits.h"

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

// A and a firmware with other pictures throughout, every type among them:
// the patch made from the diff, applied to A, leaves no picture whose pixels
// differ from B's; at most some sit elsewhere.
TEST(CliDiff, PatchTurnsAsPicturesIntoBs) {
    for (const MkflashOptions& options : {SmallSGold(30), SmallNewSGold("E71", 30)}) {
        TempDir dir{"pictavo diff cli"};
        const ProgramTempFolder temp(dir.path().string());
        MkflashOptions other = options;
        other.seed = 9;
        const std::string a = WriteFlashPath(dir, options);
        const std::string b = WriteFlashPath(dir, other);
        const std::string patch = dir.file("a to b.vkp");
        const std::string c = dir.file("c.bin");

        const ProgramRun diff = RunProgram("pictavo-cli", {"diff", a, b, "--vkp", patch});
        EXPECT_EQ(diff.exitCode, 1) << diff.err;
        EXPECT_TRUE(
            diff.out.ends_with("30 pictures differ: 30 in pixels\n" + patch + ": 30 pictures\n"))
            << diff.out;
        const ProgramRun apply = RunProgram("pictavo-cli", {"apply", a, patch, "-o", c});
        ASSERT_EQ(apply.exitCode, 0) << apply.out << apply.err;

        const ProgramRun again = RunProgram("pictavo-cli", {"diff", c, b});
        const auto said = lines(again.out);
        ASSERT_FALSE(said.empty());
        for (std::size_t i = 0; i + 1 < said.size(); ++i)
            EXPECT_NE(said[i].find(" moved: "), std::string::npos) << said[i];
        EXPECT_TRUE(
            std::regex_match(said.back(), std::regex("0 pictures differ|"
                                                     "\\d+ pictures? differs?: \\d+ moved")))
            << said.back();
    }
}

TEST(CliDiff, WritesThePairsOfDifferingPictures) {
    TempDir dir{"pictavo diff pairs"};
    const ProgramTempFolder temp(dir.path().string());
    const MkflashResult original = MakeFullflash(SmallNewSGold("EL71", 12));
    const std::string a = dir.file("a.bin");
    WriteBytes(a, original.bytes);
    FlashEditor editor(original);
    editor.repaint(3);
    editor.move(5);
    const std::string b = dir.file("b.bin");
    WriteBytes(b, editor.bytes());
    const std::string pairs = dir.file("pairs");
    std::filesystem::create_directory(pairs);

    const ProgramRun run = RunProgram("pictavo-cli", {"diff", a, b, "--to", pairs});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    // The lines themselves are the comparison report's; the CLI prints them, then its own.
    EXPECT_TRUE(run.out.starts_with("0003 pixels: ")) << run.out;
    EXPECT_NE(run.out.find("\n0005 moved: "), std::string::npos) << run.out;
    EXPECT_TRUE(run.out.ends_with("\n2 pictures differ: 1 in pixels, 1 moved\nfiles written to " +
                                  pairs + ": 4\n"))
        << run.out;
    const auto png = [&pairs](const char* name) { return ReadBytes(pairs + "/" + name); };
    EXPECT_NE(png("0003-a.png"), png("0003-b.png"));
    EXPECT_EQ(png("0005-a.png"), png("0005-b.png"));
    EXPECT_FALSE(png("0005-a.png").empty());

    const ProgramRun kept = RunProgram("pictavo-cli", {"diff", a, b, "--to", pairs});
    EXPECT_EQ(kept.exitCode, 1);
    EXPECT_NE(kept.err.find("kept " + pairs + "/0003-a.png"), std::string::npos) << kept.err;
    EXPECT_EQ(RunProgram("pictavo-cli", {"diff", a, b, "--to", pairs, "--overwrite"}).err, "");
}

TEST(CliDiff, RefusesWhatItCannotCompare) {
    TempDir dir{"pictavo diff refusals"};
    const ProgramTempFolder temp(dir.path().string());
    const std::string sgold = WriteFlashPath(dir, SmallSGold(30));
    const std::string e71 = WriteFlashPath(dir, SmallNewSGold());
    const std::string empty = WriteFlashPath(dir, SmallSGold(0));
    const std::string moreMiB = dir.file("3 MiB.bin");
    MkflashOptions larger = SmallSGold(30);
    larger.sizeMiB = 3;
    WriteFlash(moreMiB, larger);
    const std::string morePictures = WriteFlashPath(dir, SmallSGold(32));
    const std::string patch = dir.file("out.vkp");
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string said;
        bool compared = false;
    } cases[] = {
        {{"diff", sgold, e71}, 1, "A is S65 (SGold), B is E71 (New-SGold)"},
        {{"diff", sgold, empty}, 1, "no picture table found in " + empty},
        {{"diff", sgold, dir.file("missing.bin")}, 1, "cannot read"},
        {{"diff", sgold, moreMiB}, 0, "warning: A has 2097152 bytes, B 3145728", true},
        {{"diff", sgold}, 2, "B is required"},
        {{"diff", sgold, sgold, "--to", dir.file("no folder")}, 2, "Directory does not exist"},
        {{"diff", sgold, morePictures, "--vkp", patch},
         1,
         "2 pictures only in one table left out of the patch",
         true},
    };
    for (const auto& c : cases) {
        const ProgramRun run = RunProgram("pictavo-cli", c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.said;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << c.said << ": " << run.err;
        EXPECT_EQ(run.out.empty(), !c.compared) << c.said << ": " << run.out;
    }
    EXPECT_EQ(ReadBytes(sgold), MakeFullflash(SmallSGold(30)).bytes);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        files += entry.path().extension() == ".bin" || entry.path() == patch ? 0 : 1;
    }
    EXPECT_EQ(files, 0) << "only the inputs and the chosen patch";
}

}  // namespace
