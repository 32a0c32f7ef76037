// pictavo-cli as a user runs it: the built program, real files, exit codes.

#include <gtest/gtest.h>

#include "cli/run_program.h"

namespace {

std::string listText(const MkflashLayout& layout) {
    std::string text;
    for (const PictureListEntry& row : ExpectedRows(layout)) {
        for (const std::string& column : ColumnTexts(row)) text += column + "\t";
        text.back() = '\n';
    }
    return text;
}

}  // namespace

TEST(PictavoCli, InfoAndListOfSyntheticFullflashes) {
    TempDir dir;
    struct Case {
        MkflashOptions options;
        std::string info;
        std::string warning;
    };
    const Case cases[] = {
        {SmallSGold(12),
         "model: S65\nfirmware: 58\nlanguage pack: lg4\nmanufacturer: SIEMENS\nplatform: "
         "SGold\nPIT: A001C\n"
         "pictures: 12\n",
         ""},
        {SmallNewSGold("S75", 0),
         "model: S75\nfirmware: 58\nlanguage pack: lg4\nmanufacturer: SIEMENS\nplatform: "
         "New-SGold\n"
         "PIT: 0200000\npictures: 0\n",
         "pictavo-cli: warning: no picture table found in "},
    };
    for (const Case& c : cases) {
        // A blank and a quote in the name: arguments never pass through a shell.
        const std::string path = dir.file("my \"flash\" " + c.options.model + ".bin");
        const MkflashLayout layout = WriteFlash(path, c.options);

        const ProgramRun info = RunProgram("pictavo-cli", {"info", path});
        EXPECT_EQ(info.exitCode, 0);
        EXPECT_EQ(info.out, c.info);
        EXPECT_EQ(info.err, c.warning.empty() ? "" : c.warning + path + "\n");

        const ProgramRun list = RunProgram("pictavo-cli", {"list", path});
        EXPECT_EQ(list.exitCode, 0);
        EXPECT_EQ(list.out, listText(layout));
        EXPECT_EQ(list.err, info.err);
    }
}

TEST(PictavoCli, FailuresAndUsage) {
    TempDir dir;
    struct Case {
        std::string name;
        std::vector<std::string> args;
        int exitCode;
        bool usageOnStdout;
    };
    const Case cases[] = {
        {"missing file", {"info", dir.file("missing.bin")}, 1, false},
        {"missing file to list", {"list", dir.file("missing.bin")}, 1, false},
        {"folder instead of a file", {"info", dir.path().string()}, 1, false},
        {"no command", {}, 2, false},
        {"unknown command", {"frobnicate", "x.bin"}, 2, false},
        {"info without a file", {"info"}, 2, false},
        {"list with two files", {"list", "a.bin", "b.bin"}, 2, false},
        {"mistyped option", {"info", "a.bin", "--overwite"}, 2, false},
        {"help", {"--help"}, 0, true},
        {"help of a command", {"export", "--help"}, 0, true},
    };
    for (const Case& c : cases) {
        const ProgramRun run = RunProgram("pictavo-cli", c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name;
        if (c.exitCode == 1) {
            EXPECT_EQ(run.out, "") << c.name;
            EXPECT_EQ(LineCount(run.err), 1) << c.name << ": " << run.err;
            EXPECT_NE(run.err.find(c.args[1]), std::string::npos) << c.name;
        } else {
            const std::string& usage = c.usageOnStdout ? run.out : run.err;
            EXPECT_NE(usage.find("usage: pictavo-cli"), std::string::npos) << c.name;
        }
    }
    // The build puts Pictavo.ini and English.lng beside the programs: the window's texts.
    EXPECT_EQ(RunProgram("pictavo-cli", {"show", "/nonexistent/x.gpf"}).err,
              "pictavo-cli: File not found! /nonexistent/x.gpf\n");
}
