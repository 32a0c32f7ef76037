#include <gtest/gtest.h>

#include <filesystem>

#include "cli/run_program.h"
#include "codec/gpf_file.h"
#include "common/temp_dir.h"

namespace {

using namespace std::string_literals;

struct Fixture {
    TempDir dir{"pictavo cli tools"};
    std::string out = dir.file("out dir");
    std::string vkp =
        dir.write("p.vkp",
                  "; ##### Picture 26 #####\r\n00100000: 0000000000000000 1010050000003AA0\r\n\r\n"
                  "00300000: 00 AB\r\n");
    std::string gpn = dir.write("g.gpn", GPFcodec::WriteGpfHeader({1, 1, 5, 300, true}));
    std::string flash =
        dir.write("f.bin", "GIF89a\x00\x3B<?xml \x00\x89PNG\r\n\x1A\nIEND\xAE\x42\x60\x82"s);

    Fixture() { std::filesystem::create_directory(out); }
};

TEST(CliTools, WriteWhatTheToolsMenuWrites) {
    const struct {
        std::vector<std::string> args;  // the input is the fixture's file named by the first
        std::string file;
    } cases[] = {
        {{"extract-vkp"}, "0026.gpf"},
        {{"extract-vkp", "--hex-names", "--no-zero-names"}, "1A.gpf"},
        {{"extract-gpn", "--hex-names"}, "12C.gpf2"},
        {{"carve", "--kind", "gif"}, "00000000.gif"},
        {{"carve", "--kind", "xml"}, "00000008.xml"},
        {{"carve", "--kind", "png"}, "0000000F.png"},
    };
    for (const auto& c : cases) {
        Fixture f;
        const std::string& input = c.args[0] == "extract-vkp"   ? f.vkp
                                   : c.args[0] == "extract-gpn" ? f.gpn
                                                                : f.flash;
        std::vector<std::string> args{c.args[0], input, "--to", f.out};
        args.insert(args.end(), c.args.begin() + 1, c.args.end());
        ProgramRun run = RunProgram("pictavo-cli", args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, "files written to " + f.out + ": 1\n");
        EXPECT_TRUE(std::filesystem::exists(f.out + "/" + c.file)) << c.file;

        // A second run keeps the file unless told otherwise.
        const std::string path = f.dir.write("out dir/" + c.file, "mine");
        run = RunProgram("pictavo-cli", args);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_NE(run.err.find("kept " + path), std::string::npos) << run.err;
        EXPECT_EQ(ReadWholeFile(path), "mine");
        args.push_back("--overwrite");
        RunProgram("pictavo-cli", args);
        EXPECT_NE(ReadWholeFile(path), "mine");
    }
}

TEST(CliTools, RefuseWrongUsageAndUnusableFiles) {
    Fixture f;
    std::filesystem::create_directory(f.out + "/0026.gpf");  // where the picture would go
    const struct {
        std::vector<std::string> args;
        int exitCode;
    } cases[] = {
        {{"carve", f.flash, "--kind", "bmp", "--to", f.out}, 2},
        {{"carve", f.flash, "--kind", "gif"}, 2},
        {{"extract-gpn", f.gpn, "--to", f.dir.file("missing")}, 1},
        {{"extract-vkp", f.dir.file("missing.vkp"), "--to", f.out}, 1},
        {{"carve", f.out, "--kind", "png", "--to", f.out}, 1},
        {{"extract-vkp", f.vkp, "--to", f.out, "--overwrite"}, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RunProgram("pictavo-cli", c.args).exitCode, c.exitCode) << c.args[0];
}

}  // namespace
