#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "cli/run_program.h"
#include "common/flash_builder.h"
#include "common/temp_dir.h"

namespace {

using namespace std::string_literals;

struct Fixture {
    TempDir dir{"pictavo cli"};
    std::string flash;
    std::string out;

    /// Pictures 0 to 2; with `undecodable`, a picture 3 of a type no decoder takes.
    explicit Fixture(bool undecodable = false) {
        FlashBuilder builder;
        builder.addPicture(1, 1, 0x05, "\xE0");
        builder.addPicture(1, 1, 0x0A, "\x10\x20\x30\x40");
        builder.addPicture(3, 1, 0x88, "\x03"s + Rgb565(0x001F));
        if (undecodable) builder.addPicture(1, 1, 0x03, "\x00");
        flash = dir.write("fla sh.bin", builder.bytes());
        out = (dir.path() / "out dir").string();
        std::filesystem::create_directory(out);
    }
    [[nodiscard]] std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(out))
            names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST(CliExport, WritesWhatTheBatchCommandsWrite) {
    const struct {
        std::vector<std::string> flags;
        std::vector<std::string> files;
    } cases[] = {
        {{"--as", "bmp"}, {"0000.bmp", "0001.bmp", "0002.bmp"}},
        {{"--as", "bmp", "--hex-names", "--pictures", "1-2"}, {"001.bmp", "002.bmp"}},
        {{"--as", "bmp", "--no-zero-names", "--pictures", "0,2"}, {"0.bmp", "2.bmp"}},
        {{"--as", "gpf2"}, {"0000.gpf2", "0001.gpf2", "0002.gpf2"}},
        {{"--as", "gpf", "--pictures", "2"}, {"0002.gpf"}},
        {{"--as", "png", "--pictures", "0-1"}, {"0000.png", "0001.png"}},
    };
    // PNG files go through the converter the settings beside the program name,
    // in a folder of the run's own: another program's converter file stays.
    const TempDir converterFiles;
    const std::string othersFile = converterFiles.write("PNGtemp.bmp", "theirs");
    const ProgramTempFolder temp(converterFiles.path().string());
    for (const auto& c : cases) {
        Fixture f;
        std::vector<std::string> args{"export", f.flash, "--to", f.out};
        args.insert(args.end(), c.flags.begin(), c.flags.end());
        const ProgramRun run = RunProgram("pictavo-cli", args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(f.files(), c.files) << c.flags[1];
        EXPECT_EQ(run.out,
                  "files written to " + f.out + ": " + std::to_string(c.files.size()) + "\n");
    }
    EXPECT_EQ(ReadWholeFile(othersFile), "theirs");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(converterFiles.path()), {}), 1);

    Fixture f;
    ASSERT_EQ(RunProgram("pictavo-cli", {"export", f.flash, "--to", f.out, "--as", "png", "--alpha",
                                         "--pictures", "0"})
                  .exitCode,
              0);
    const std::string png = ReadWholeFile(f.out + "/0000.png");
    ASSERT_GT(png.size(), 25u);
    EXPECT_EQ(png[25], 6) << "--alpha: a colour type with alpha, whatever the picture";
}

// An existing file ends the BMP batch unless --overwrite; a picture that
// cannot be decoded fails the run but not the others.
TEST(CliExport, ExistingFilesNeedOverwriteAndAnUndecodablePictureFailsTheRun) {
    Fixture f(true);
    const std::string existing = f.dir.write("out dir/0001.bmp", "mine");
    ProgramRun run = RunProgram("pictavo-cli", {"export", f.flash, "--as", "bmp", "--to", f.out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(ReadWholeFile(existing), "mine");
    EXPECT_FALSE(std::filesystem::exists(f.out + "/0002.bmp")) << "the BMP batch ends there";

    run =
        RunProgram("pictavo-cli", {"export", f.flash, "--as", "bmp", "--to", f.out, "--overwrite"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Not Supported GPF!"), std::string::npos);
    EXPECT_EQ(ReadWholeFile(existing).substr(0, 2), "BM");
    EXPECT_EQ(f.files(), (std::vector<std::string>{"0000.bmp", "0001.bmp", "0002.bmp"}));
}

TEST(CliConvert, ReencodesAndShowReadsItBack) {
    Fixture f;
    const std::string gpf = f.out + "/blue run.gpf2";
    ProgramRun run =
        RunProgram("pictavo-cli", {"convert", f.flash, "2", gpf, "--depth", "8", "--uncompressed"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    run = RunProgram("pictavo-cli", {"show", gpf});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "2 :: 3 x 1 :: 8bit :: uncompressed :: 3 bytes\n");

    run = RunProgram("pictavo-cli", {"convert", f.flash, "2", gpf, "--depth", "16"});
    EXPECT_EQ(run.exitCode, 1) << "exists";
    run = RunProgram("pictavo-cli", {"convert", f.flash, "2", gpf, "--depth", "16", "--overwrite"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(RunProgram("pictavo-cli", {"show", gpf}).out,
              "2 :: 3 x 1 :: 16bit :: compressed :: 3 bytes\n");
}

TEST(CliConvert, FailuresAndUsage) {
    Fixture f;
    const struct {
        std::vector<std::string> args;
        int exitCode;
    } cases[] = {
        {{"convert", f.flash, "0", f.out + "/a.gpf", "--depth", "1"}, 1},
        {{"convert", f.flash, "3", f.out + "/a.gpf", "--depth", "8"}, 1},
        {{"convert", f.dir.file("none.bin"), "0", f.out + "/a.gpf", "--depth", "8"}, 1},
        {{"convert", f.flash, "0", f.out + "/a.png", "--depth", "8"}, 2},
        {{"convert", f.flash, "0", f.out + "/a.gpf", "--depth", "12"}, 2},
        {{"convert", f.flash, "x", f.out + "/a.gpf", "--depth", "8"}, 2},
        {{"export", f.flash, "--as", "jpg", "--to", f.out}, 2},
        {{"export", f.flash, "--as", "bmp", "--to", f.out, "--pictures", "5-1"}, 2},
        {{"export", f.flash, "--as", "bmp", "--to", f.out, "--pictures", "1,3"}, 2},
        {{"export", f.flash, "--as", "gpf", "--to", f.out, "--hex-names"}, 2},
        {{"export", f.flash, "--as", "bmp", "--to", f.out, "--alpha"}, 2},
        {{"export", f.flash, "--as", "bmp", "--to", f.dir.file("no folder")}, 1},
        {{"show", f.flash}, 1},
        {{"show"}, 2},
    };
    for (const auto& c : cases) {
        const ProgramRun run = RunProgram("pictavo-cli", c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args[0] << " " << c.args.back() << ": " << run.err;
        EXPECT_FALSE(run.err.empty());
    }
    EXPECT_TRUE(f.files().empty()) << "nothing written by a failure";
}

}  // namespace
