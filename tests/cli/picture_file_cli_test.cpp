// pictavo-cli probe and open-picture on real files.

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/run_program.h"
#include "picture_io/picture_files.h"

TEST(CliProbe, PrintsTheHeaderFactsOfEachKind) {
    TempDir dir;
    const struct {
        std::string file;
        std::string out;
    } cases[] = {
        {TestImage("gif/testimg.gif"),
         "kind: gif\nwidth: 227\nheight: 149\ncolour bits: 8\ndata offset: 0\n"
         "background red: 44\nbackground green: 42\nbackground blue: 44\n"},
        {TestImage("pngsuite/basn3p02.png"),
         "kind: png\nwidth: 32\nheight: 32\nbit depth: 2\ncolour type: 3\nbackground: 0\n"
         "palette entries: 4\npalette: 00FF00 FF0000 FFFF00 0000FF\n"
         "transparency entries: 0\ntransparency: \n"},
        {dir.write("a \"text\".jpg", "not a picture"), "kind: none\nwidth: 0\nheight: 0\n"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = RunProgram("pictavo-cli", {"probe", c.file});
        EXPECT_EQ(run.exitCode, 0) << c.file;
        EXPECT_EQ(run.out, c.out);
    }
    EXPECT_EQ(RunProgram("pictavo-cli", {"probe", dir.file("missing.png")}).exitCode, 1);
    EXPECT_EQ(RunProgram("pictavo-cli", {"probe", TestImage("pngsuite/xcrn0g04.png")}).exitCode, 1);
}

TEST(CliOpenPicture, WritesThePictureAsA32BitBitmapAndKeepsAnExistingOne) {
    TempDir dir;
    const std::string original = PatternBmp(7, 5, true);
    const std::string in = dir.write("in.bmp", original);
    const std::string out = dir.write("out put.bmp", "mine");

    ProgramRun run = RunProgram("pictavo-cli", {"open-picture", in, "--bmp", out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(ReadWholeFile(out), "mine");

    run = RunProgram("pictavo-cli", {"open-picture", in, "--bmp", out, "--overwrite"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "7 x 5 :: 32bit\n");
    EXPECT_EQ(ReadWholeFile(out), original);

    const std::string tooWide = dir.write("wide.bmp", PatternBmp(241, 1, false));
    run = RunProgram("pictavo-cli", {"open-picture", tooWide, "--bmp", dir.file("new.bmp")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("new.bmp")));
}
