#include <gtest/gtest.h>

#include "cli/run_program.h"
#include "devtools/mkflash_args.h"

TEST(MkflashArgs, ParsesOptionsAndRefusesWrongUsage) {
    struct Case {
        std::vector<std::string> args;
        std::string parsed;  // output|platform|model|pictures|seed|size, or the error
    };
    const Case cases[] = {
        {{"out.bin"}, "out.bin|sgold|S65|200|1|0"},
        {{"out.bin", "--platform", "newsgold"}, "out.bin|newsgold|E71|200|1|0"},
        {{"--platform", "newsgold", "--model", "S75", "x.bin", "--pictures", "2600", "--seed",
          "18446744073709551615", "--size-mib", "96"},
         "x.bin|newsgold|S75|2600|18446744073709551615|96"},
        {{"out.bin", "--model", "EL71", "--platform", "sgold"}, "out.bin|sgold|EL71|200|1|0"},
        {{}, "no output file given"},
        {{"a.bin", "b.bin"}, "more than one output file: b.bin"},
        {{"a.bin", "--platform", "xgold"}, "unknown platform 'xgold' (sgold or newsgold)"},
        {{"a.bin", "--model", "E7"}, "the model must have 3 or 4 characters"},
        {{"a.bin", "--pictures", "-1"}, "--pictures needs a number of 0 or more"},
        {{"a.bin", "--pictures", "12x"}, "--pictures needs a number of 0 or more"},
        {{"a.bin", "--seed", "-3"}, "--seed needs a whole number of 0 or more"},
        {{"a.bin", "--size-mib", "0"}, "--size-mib needs a number from 1 to 256"},
        {{"a.bin", "--size-mib", "257"}, "--size-mib needs a number from 1 to 256"},
        {{"a.bin", "--seed"}, "--seed needs a value"},
        {{"a.bin", "--colour", "red"}, "unknown option --colour"},
    };
    for (const Case& c : cases) {
        const ParsedMkflashArgs parsed = ParseMkflashArgs(c.args);
        const MkflashOptions& o = parsed.command.options;
        const std::string text =
            parsed.ok() ? parsed.command.output + "|" +
                              (o.platform == MkflashPlatform::SGold ? "sgold" : "newsgold") + "|" +
                              o.model + "|" + std::to_string(o.pictures) + "|" +
                              std::to_string(o.seed) + "|" + std::to_string(o.sizeMiB)
                        : parsed.error;
        EXPECT_EQ(text, c.parsed);
    }
    EXPECT_TRUE(ParseMkflashArgs({"a.bin", "--help"}).command.help);
    const MkflashOptions files =
        ParseMkflashArgs({"a.bin", "--files-at-end", "--embedded-files", "500"}).command.options;
    EXPECT_TRUE(files.filesAtEnd && files.embeddedFiles == 500);
    EXPECT_EQ(ParseMkflashArgs({"a.bin", "--embedded-files", "0"}).error,
              "--embedded-files needs a number from 1 to 100000");
}

TEST(MkflashProgram, WritesTheImageTheLibraryBuilds) {
    TempDir dir;
    const std::string path = dir.file("new sgold \"E71\".bin");
    const ProgramRun run =
        RunProgram("pictavo-mkflash", {path, "--platform", "newsgold", "--model", "E71",
                                       "--pictures", "25", "--seed", "7", "--size-mib", "17"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    MkflashOptions options = SmallNewSGold("E71", 25);
    options.seed = 7;
    EXPECT_TRUE(ReadBytes(path) == MakeFullflash(options).bytes);
}

TEST(MkflashProgram, ExitCodes) {
    TempDir dir;
    struct Case {
        std::string name;
        std::vector<std::string> args;
        int exitCode;
    };
    const Case cases[] = {
        {"help", {"--help"}, 0},
        {"no arguments", {}, 2},
        {"bad platform", {dir.file("a.bin"), "--platform", "gold"}, 2},
        {"size too small", {dir.file("a.bin"), "--size-mib", "1"}, 2},
        {"unwritable output", {dir.file("no/such/folder/a.bin"), "--size-mib", "2"}, 1},
        {"output is a folder", {dir.path().string(), "--size-mib", "2"}, 1},
    };
    for (const Case& c : cases) {
        const ProgramRun run = RunProgram("pictavo-mkflash", c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name;
        const std::string& text = c.exitCode == 0 ? run.out : run.err;
        EXPECT_NE(text.find(c.exitCode == 0 ? "usage: pictavo-mkflash" : "pictavo-mkflash: "),
                  std::string::npos)
            << c.name;
        if (c.exitCode == 1) {
            EXPECT_EQ(LineCount(run.err), 1) << c.name << ": " << run.err;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("a.bin")));
}
