#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>

#include "cli/run_program.h"
#include "compare/fullflash_comparison.h"
#include "compare/shown_pixels.h"

namespace {

/// What every listed picture of an image file shows.
std::vector<std::optional<ShownPixels>> shownPictures(const std::string& path) {
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    DecodedPicture scratch;
    std::vector<std::optional<ShownPixels>> shown;
    for (const PictureEntry& entry : ScanFullflash(bytes).entries) {
        shown.push_back(ReadShownPixels(bytes, entry, scratch));
    }
    return shown;
}

/// OLD, a later version NEW, and a pack for OLD replacing some of OLD's
/// pictures that NEW keeps by other pictures of OLD.
struct PortFixture {
    TempDir dir{"pictavo port"};
    ProgramTempFolder temp{dir.path().string()};
    std::string old = dir.file("old.bin");
    std::string fresh = dir.file("new.bin");
    std::string pack = dir.file("pack.vkp");
    MkflashLayout newLayout;
    std::map<int, int> mapping;  ///< OLD index of each packed picture -> NEW index

    PortFixture(MkflashOptions options, int picked) {
        const MkflashLayout oldLayout = WriteFlash(old, options);
        options.seed = 5;
        options.versionOf = MkflashVersionOf{1, 6, 4, 3};
        newLayout = WriteFlash(fresh, options);
        std::vector<std::string> args{"patch", old, pack, "--depth", "16"};
        for (const MkflashPicture& p : newLayout.pictures) {
            if (p.origin < 2 || p.changed || p.width * p.height < 16) continue;
            if (static_cast<int>(mapping.size()) == picked) break;
            // Each packed picture shows another picture of OLD.
            const int shownBy = (p.origin + 7) % static_cast<int>(oldLayout.pictures.size());
            const std::string file = dir.file("pack-" + std::to_string(p.origin) + ".gpf2");
            EXPECT_EQ(RunProgram("pictavo-cli",
                                 {"convert", old, std::to_string(shownBy), file, "--depth", "24"})
                          .exitCode,
                      0);
            args.insert(args.end(), {"--replace", std::to_string(p.origin) + "=" + file});
            mapping[p.origin] = p.index;
        }
        EXPECT_EQ(RunProgram("pictavo-cli", args).exitCode, 0);
    }
};

std::string indexText(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d", number);
    return text;
}

// Applied to NEW, the carried patch shows the pack's pictures at the mapped
// indices and leaves every other picture as NEW shows it.
TEST(CliPort, CarriesAPackBetweenTwoVersions) {
    for (const MkflashOptions& options : {SmallSGold(40), SmallNewSGold("EL71", 40)}) {
        PortFixture f(options, 5);
        const std::string carried = f.dir.file("new.vkp");
        const ProgramRun run = RunProgram(
            "pictavo-cli", {"port", f.pack, "--from", f.old, "--to", f.fresh, "-o", carried});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        std::string lines;
        for (const auto& [from, to] : f.mapping)
            lines += indexText(from) + " -> " + indexText(to) + "\n";
        EXPECT_EQ(run.out, lines + "5 of 5 carried over\n" + carried + ": 5 pictures\n");

        const std::string oldPatched = f.dir.file("old patched.bin");
        const std::string newPatched = f.dir.file("new patched.bin");
        ASSERT_EQ(RunProgram("pictavo-cli", {"apply", f.old, f.pack, "-o", oldPatched}).exitCode,
                  0);
        ASSERT_EQ(RunProgram("pictavo-cli", {"apply", f.fresh, carried, "-o", newPatched}).exitCode,
                  0);
        // A carried picture keeps the compression of NEW's row (the pack's are compressed).
        const auto newEntries = ScanFullflash(ReadBytes(f.fresh)).entries;
        const auto patchedEntries = ScanFullflash(ReadBytes(newPatched)).entries;
        for (const auto& [from, to] : f.mapping) {
            const auto row = static_cast<std::size_t>(to);
            EXPECT_EQ(patchedEntries[row].type & 0x80, newEntries[row].type & 0x80) << to;
        }
        const auto packShows = shownPictures(oldPatched);
        const auto newShows = shownPictures(f.fresh);
        const auto result = shownPictures(newPatched);
        ASSERT_EQ(result.size(), newShows.size());
        std::map<int, int> carriedTo;
        for (const auto& [from, to] : f.mapping) carriedTo[to] = from;
        for (std::size_t i = 0; i < result.size(); ++i) {
            const auto packed = carriedTo.find(static_cast<int>(i));
            EXPECT_EQ(result[i], packed == carriedTo.end()
                                     ? newShows[i]
                                     : packShows[static_cast<std::size_t>(packed->second)])
                << options.model << " picture " << i;
        }
    }
}

TEST(CliPort, RefusesWhatItCannotCarryAndWritesNothing) {
    PortFixture f(SmallSGold(40), 2);
    const std::string e71 = WriteFlashPath(f.dir, SmallNewSGold());
    const std::string empty = WriteFlashPath(f.dir, SmallSGold(0));
    const std::string code = f.dir.file("code.vkp");
    WriteBytes(code, {'0', '0', '0', '5', '0', '0', '0', '0', ':', ' ', 'F', 'F', ' ', '0', '0'});
    int changed = 0;
    for (const MkflashPicture& p : f.newLayout.pictures) {
        if (p.changed) changed = p.origin;
    }
    const std::string withChanged = f.dir.file("with changed.vkp");
    const std::string picture = f.dir.file("picture.gpf2");
    RunProgram("pictavo-cli", {"convert", f.old, "3", picture, "--depth", "16"});
    RunProgram("pictavo-cli", {"patch", f.old, withChanged, "--depth", "16", "--replace",
                               std::to_string(changed) + "=" + picture});
    const std::string out = f.dir.file("out.vkp");
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string said;
        bool written = false;
    } cases[] = {
        {{"port", f.pack, "--from", f.fresh, "--to", f.fresh, "-o", out},
         1,
         "The patch does not apply to the fullflash it was made for (" + f.fresh +
             "): Do not flash: made for another firmware (old bytes match on "},
        {{"port", f.pack, "--from", f.old, "--to", e71, "-o", out},
         1,
         "A patch is carried only between fullflashes of one platform: SGold, New-SGold"},
        {{"port", f.pack, "--from", f.old, "--to", empty, "-o", out},
         1,
         "No picture table found in this file " + empty},
        {{"port", f.pack, "--from", f.old, "--to", f.fresh, "-o", f.old}, 1, "-o names an input"},
        {{"port", code, "--from", f.old, "--to", f.fresh, "-o", out},
         1,
         code + " changes no picture: nothing to port"},
        {{"port", f.pack, "--from", f.old, "--to", f.fresh}, 2, "-o is required"},
        {{"port", f.pack, "--from", f.old, "--to", f.fresh, "-o", out, "--pick", "far"},
         2,
         "--pick"},
        {{"port", withChanged, "--from", f.old, "--to", f.fresh, "-o", out},
         1,
         "no picture carried over: nothing written"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = RunProgram("pictavo-cli", c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.said;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << c.said << ": " << run.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.said;
    }
    const ProgramRun notInNew = RunProgram("pictavo-cli", {"port", withChanged, "--from", f.old,
                                                           "--to", f.fresh, "-o", out, "--json"});
    EXPECT_NE(notInNew.out.find("\"status\": \"not in NEW\""), std::string::npos) << notInNew.out;
}

}  // namespace
