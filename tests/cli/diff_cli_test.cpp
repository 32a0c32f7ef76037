#include <gtest/gtest.h>

#include <filesystem>

#include "cli/run_program.h"
#include "devtools/flash_edits.h"

namespace {

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

    const std::string patch = dir.file("a to b.vkp");
    const ProgramRun run = RunProgram("pictavo-cli", {"diff", a, b, "--to", pairs, "--vkp", patch});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    // The lines themselves are the comparison report's; the CLI prints them, then its own.
    EXPECT_TRUE(run.out.starts_with("0003 pixels: ")) << run.out;
    EXPECT_NE(run.out.find("\n0005 moved: "), std::string::npos) << run.out;
    EXPECT_TRUE(run.out.ends_with("\n2 pictures differ: 1 in pixels, 1 moved\nfiles written to " +
                                  pairs + ": 4\n" + patch + ": 1 picture\n"))
        << run.out;
    // The patch turns A's pictures into B's; at most their places differ.
    const std::string c = dir.file("c.bin");
    ASSERT_EQ(RunProgram("pictavo-cli", {"apply", a, patch, "-o", c}).exitCode, 0);
    EXPECT_EQ(RunProgram("pictavo-cli", {"diff", c, b}).out.find("pixels"), std::string::npos);
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
