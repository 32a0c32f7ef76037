#include <gtest/gtest.h>

#include <filesystem>

#include "cli/run_program.h"

namespace {

struct Fixture {
    TempDir dir{"pictavo patch cli"};
    std::string flash = dir.file("flash.bin");
    std::string folder = dir.file("new pictures");

    Fixture() {
        WriteFlash(flash, SmallSGold(30));
        MkflashOptions other = SmallSGold(30);
        other.seed = 9;
        const std::string source = dir.file("other.bin");
        WriteFlash(source, other);
        std::filesystem::create_directory(folder);
        RunProgram("pictavo-cli",
                   {"export", source, "--as", "gpf2", "--to", folder, "--pictures", "2,7-9,29"});
    }
    [[nodiscard]] std::string file(const std::string& name) const { return dir.file(name); }
};

TEST(CliPatch, StagesWritesVerifiesAndApplies) {
    Fixture f;
    const ProgramRun patch =
        RunProgram("pictavo-cli", {"patch", "--replace", "4=" + f.folder + "/0002.gpf2", f.flash,
                                   f.file("out"), "--depth", "16", "--from-folder", f.folder});
    EXPECT_EQ(patch.exitCode, 0) << patch.err;
    EXPECT_EQ(patch.out, f.file("out.vkp") + ": 6 pictures\n");

    const ProgramRun hex =
        RunProgram("pictavo-cli", {"patch", f.flash, f.file("hex"), "--depth", "16",
                                   "--from-folder", f.folder, "--hex-names"});
    EXPECT_EQ(hex.out, f.file("hex.vkp") + ": 0 pictures\n") << "the folder's names are decimal";

    const ProgramRun verify = RunProgram("pictavo-cli", {"verify", f.flash, f.file("out.vkp")});
    EXPECT_EQ(verify.exitCode, 0) << verify.out;
    EXPECT_TRUE(verify.out.starts_with("Safe to flash\n")) << verify.out;
    EXPECT_NE(verify.out.find("Pictures with a new entry: 6\n"), std::string::npos) << verify.out;

    const ProgramRun apply =
        RunProgram("pictavo-cli", {"apply", f.flash, f.file("out.vkp"), "-o", f.file("new.bin")});
    EXPECT_EQ(apply.exitCode, 0) << apply.err;
    EXPECT_EQ(ReadBytes(f.file("new.bin")).size(), ReadBytes(f.flash).size());
    const ProgramRun again =
        RunProgram("pictavo-cli", {"apply", f.flash, f.file("out.vkp"), "-o", f.file("new.bin")});
    EXPECT_EQ(again.exitCode, 1) << "an existing OUT needs --overwrite";
    const ProgramRun applied =
        RunProgram("pictavo-cli", {"verify", f.file("new.bin"), f.file("out.vkp")});
    EXPECT_EQ(applied.exitCode, 1);
    EXPECT_TRUE(applied.out.starts_with("Already applied to this fullflash\n")) << applied.out;
}

TEST(CliPatch, RefusesWithoutWritingAnything) {
    Fixture f;
    const auto flash = ReadBytes(f.flash);
    const std::string unreadable = f.file("unreadable");
    std::filesystem::create_directory(unreadable);
    f.dir.write("unreadable/0003.bmp", "no bitmap");
    const struct {
        std::vector<std::string> args;
        std::string patchText;  // written to bad.vkp first when set
        std::string said;       // part of what the program prints
    } cases[] = {
        {{"apply", f.flash, f.file("bad.vkp"), "-o", f.file("out.bin")},
         "00000000: 55 66\n",
         "Do not flash: made for another firmware (old bytes match on 0 of 1 lines)"},
        {{"apply", f.flash, f.file("bad.vkp"), "-o", f.flash, "--overwrite"},
         "",
         "the fullflash is never written"},
        {{"verify", f.flash, f.file("bad.vkp")},
         "00000000: 66\n",
         "Check before flashing: lines without old bytes: 1"},
        {{"patch", f.flash, f.file("out.vkp"), "--depth", "1", "--from-folder", f.folder},
         "",
         "1bit GPF"},
        {{"patch", f.flash, f.file("out.vkp"), "--depth", "8", "--from-folder", unreadable},
         "",
         "nothing written"},
        {{"patch", f.flash, f.file("out.vkp"), "--depth", "8", "--replace", "4"},
         "",
         "--replace takes INDEX=FILE"},
        {{"patch", f.flash, f.file("out.vkp"), "--depth", "8", "--replace", "999=x.gpf2"},
         "",
         "no picture 999"},
        {{"patch", f.flash, f.file("out.vkp"), "--depth", "8", "--change-png",
          f.folder + "/0002.gpf2"},
         "",
         "The file name is no hexadecimal offset"},
    };
    for (const auto& c : cases) {
        if (!c.patchText.empty())
            WriteBytes(f.file("bad.vkp"), {c.patchText.begin(), c.patchText.end()});
        const ProgramRun run = RunProgram("pictavo-cli", c.args);
        EXPECT_EQ(run.exitCode, 1) << c.said;
        EXPECT_NE((run.out + run.err).find(c.said), std::string::npos) << run.out << run.err;
        EXPECT_FALSE(std::filesystem::exists(f.file("out.bin"))) << c.said;
        EXPECT_FALSE(std::filesystem::exists(f.file("out.vkp"))) << c.said;
    }
    EXPECT_EQ(ReadBytes(f.flash), flash);
}

}  // namespace
