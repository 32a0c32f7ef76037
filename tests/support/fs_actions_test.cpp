#include "support/fs_actions.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "common/temp_dir.h"

using namespace FSactions_Tavik;

TEST(FileMissing, OnlyReadableRegularFilesExist) {
    TempDir dir;
    const std::string existing = dir.write("there.bin", "x");
    EXPECT_FALSE(FileMissing(existing));
    EXPECT_FALSE(FileMissing(dir.write("empty.bin", "")));
    EXPECT_TRUE(FileMissing(dir.file("absent.bin")));
    EXPECT_TRUE(FileMissing(""));
    EXPECT_TRUE(FileMissing(dir.path().string()));
    EXPECT_FALSE(std::filesystem::exists(dir.file("absent.bin"))) << "the test creates nothing";
}

TEST(SplitCommandLine, QuotesGroupBlanksSeparate) {
    struct Case {
        std::string line;
        std::vector<std::string> arguments;
    };
    const Case cases[] = {
        {"prog a b", {"prog", "a", "b"}},
        {"\"/dir with blanks/prog\" -o \"out file.png\" in",
         {"/dir with blanks/prog", "-o", "out file.png", "in"}},
        {"  prog   a  ", {"prog", "a"}},
        {"prog \"\"", {"prog", ""}},
        {"", {}},
        {"a\"b c\"d", {"ab cd"}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.arguments) << c.line;
}

TEST(RunAndWait, MissingProgramReturnsAtOnce) {
    TempDir dir;
    RunAndWait(std::string("\"").append(dir.file("no such program")).append("\" arg"));
    RunAndWait("");
    SUCCEED();
}

TEST(RunAndWait, RunsProgramWithBlanksAndQuotedArgumentsAndWaits) {
    TempDir dir("pictavo test with blanks");
    const std::string script = dir.write(
        "echo args.sh",
        "#!/bin/sh\nsleep 0.2\nfor a in \"$@\"; do printf '[%s]' \"$a\"; done > \"$1\"\n");
    ::chmod(script.c_str(), 0755);
    const std::string out = dir.file("out put.txt");
    RunAndWait("\"" + script + "\" \"" + out + "\" \"two words\" plain ';|$(x)'");
    // Waited for the end: the file is complete when the call returns, and no
    // shell ever saw the arguments.
    EXPECT_EQ(ReadWholeFile(out), "[" + out + "][two words][plain][';|$(x)']");
}

TEST(TempFolder, FallsBackFromTmpToTmpdirToSlashTmp) {
    const char* savedTmp = std::getenv("TMP");
    const char* savedTmpdir = std::getenv("TMPDIR");
    const std::string keepTmp = savedTmp ? savedTmp : "";
    const std::string keepTmpdir = savedTmpdir ? savedTmpdir : "";

    ::setenv("TMP", "/a", 1);
    ::setenv("TMPDIR", "/b", 1);
    EXPECT_EQ(TempFolder(), "/a");
    ::unsetenv("TMP");
    EXPECT_EQ(TempFolder(), "/b");
    ::setenv("TMPDIR", "", 1);
    EXPECT_EQ(TempFolder(), "/tmp");

    savedTmp ? ::setenv("TMP", keepTmp.c_str(), 1) : ::unsetenv("TMP");
    savedTmpdir ? ::setenv("TMPDIR", keepTmpdir.c_str(), 1) : ::unsetenv("TMPDIR");
}

TEST(JoinPath, ExactlyOneSeparator) {
    EXPECT_EQ(JoinPath("/tmp", "PNGtemp.bmp"), "/tmp/PNGtemp.bmp");
    EXPECT_EQ(JoinPath("/tmp/", "/PNGtemp.bmp"), "/tmp/PNGtemp.bmp");
    EXPECT_EQ(WithTrailingSlash("/x/"), "/x/");
    EXPECT_EQ(WithTrailingSlash("/x"), "/x/");
}

TEST(ReplaceFile, NewContentReplacesOnlyWhenComplete) {
    TempDir dir;
    const std::string target = dir.write("out.bmp", "old");
    const mode_t savedMask = ::umask(027);
    EXPECT_TRUE(ReplaceFile(target, "new content"));
    ::umask(savedMask);
    EXPECT_EQ(ReadWholeFile(target), "new content");
    struct stat written {};
    ASSERT_EQ(::stat(target.c_str(), &written), 0);
    EXPECT_EQ(written.st_mode & 0777, 0640u) << "0666 less the umask, as any new file";

    // A link is replaced by the file, never written through.
    const std::string elsewhere = dir.write("elsewhere.txt", "keep");
    const std::string link = dir.file("link.bmp");
    std::filesystem::create_symlink(elsewhere, link);
    EXPECT_TRUE(ReplaceFile(link, "mine"));
    EXPECT_EQ(ReadWholeFile(elsewhere), "keep");
    EXPECT_FALSE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(link), "mine");

    // Failures leave the old state and no temporary file behind.
    const std::string folderTarget = (dir.path() / "a folder").string();
    std::filesystem::create_directory(folderTarget);
    std::filesystem::create_directory(folderTarget + "/inside");
    EXPECT_FALSE(ReplaceFile(folderTarget, "x"));
    EXPECT_TRUE(std::filesystem::is_directory(folderTarget + "/inside"));
    EXPECT_FALSE(ReplaceFile(dir.file("no folder/x.bmp"), "x"));
    EXPECT_FALSE(ReplaceFile("", "x"));
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_EQ(entry.path().filename().string().rfind(".pictavo-", 0), std::string::npos);
        ++entries;
    }
    EXPECT_EQ(entries, 4);
}
