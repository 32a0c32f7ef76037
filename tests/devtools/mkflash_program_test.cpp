#include <gtest/gtest.h>

#include "cli/run_program.h"

// The program writes the image the library builds from its options, the
// defaults or the ones given in any order. Wrong usage exits with 2
// and says what was wrong, a file that cannot be written with 1 and one line;
// nothing is left behind.
TEST(MkflashProgram, ExitCodesAndMessages) {
    TempDir dir;
    const std::string a = dir.file("a.bin");
    const std::string image = dir.file("new sgold \"E71\".bin");
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string message;  ///< on standard error, or output for 0
    };
    const Case cases[] = {
        {{"--help"}, 0, "usage: pictavo-mkflash"},
        {{"--platform", "newsgold", image, "--pictures", "25", "--seed", "18446744073709551615",
          "--files-at-end", "--size-mib", "17", "--embedded-files", "9"},
         0,
         image + ": E71, 25 pictures, 17 MiB\n"},
        {{dir.file("b.bin"), "--size-mib", "2"},
         0,
         dir.file("b.bin") + ": S65, 200 pictures, 2 MiB\n"},
        {{dir.file("v.bin"), "--size-mib", "2", "--pictures", "30", "--version-of", "1", "--insert",
          "2", "--remove", "1", "--change", "1", "--seed", "3"},
         0,
         ": S65, 31 pictures, 2 MiB\ninserted: "},
        {{a, "--insert", "2"}, 2, "--insert, --remove and --change need --version-of"},
        {{}, 2, "no output file given"},
        {{a, "b.bin"}, 2, "more than one output file: b.bin"},
        {{a, "--platform", "xgold"}, 2, "unknown platform 'xgold' (sgold or newsgold)"},
        {{a, "--model", "E7"}, 2, "the model must have 3 or 4 characters"},
        {{a, "--pictures", "-1"}, 2, "--pictures needs a number of 0 or more"},
        {{a, "--pictures", "12x"}, 2, "--pictures needs a number of 0 or more"},
        {{a, "--seed", "-3"}, 2, "--seed needs a whole number of 0 or more"},
        {{a, "--size-mib", "0"}, 2, "--size-mib needs a number from 1 to 256"},
        {{a, "--size-mib", "257"}, 2, "--size-mib needs a number from 1 to 256"},
        {{a, "--embedded-files", "0"}, 2, "--embedded-files needs a number from 1 to 100000"},
        {{a, "--seed"}, 2, "--seed: 1 required TEXT missing"},
        {{a, "--colour", "red"}, 2, "The following argument was not expected: --colour"},
        {{a, "--size-mib", "1"},
         2,
         "--size-mib 1 is too small for this layout: it needs at least 2 MiB"},
        {{a, "--platform", "newsgold", "--pictures", "1", "--size-mib", "16"},
         2,
         "--size-mib 16 is too small for this layout: it needs at least 17 MiB"},
        {{dir.file("no/such/folder/a.bin"), "--size-mib", "2"}, 1, "cannot write"},
        {{dir.path().string(), "--size-mib", "2"}, 1, "cannot write"},
    };
    for (const Case& c : cases) {
        const ProgramRun run = RunProgram("pictavo-mkflash", c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.message;
        const std::string& text = c.exitCode == 0 ? run.out : run.err;
        EXPECT_NE(text.find(c.exitCode == 0 ? c.message : "pictavo-mkflash: " + c.message),
                  std::string::npos)
            << text;
        if (c.exitCode == 1) {
            EXPECT_EQ(LineCount(run.err), 1) << run.err;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(a));
    MkflashOptions options = SmallNewSGold("E71", 25);
    options.seed = 18446744073709551615u;
    options.filesAtEnd = true;
    options.embeddedFiles = 9;
    EXPECT_TRUE(ReadBytes(image) == MakeFullflash(options).bytes);
}
