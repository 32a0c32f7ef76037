#include "commands/patch_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "commands/patch_fixture.h"
#include "commands/verify_commands.h"
#include "patch/patch_report.h"
#include "patch/patch_rows.h"

namespace {

using namespace std::string_literals;

const std::string kBanner =
    "; #######################################################################\r\n"
    "; ### This file is made by Pictavo v1.2                               ###\r\n"
    "; ### Made with Pictavo, picture editor for SGold/New-SGold           ###\r\n"
    "; ###                                                                 ###\r\n"
    "; ### Check it before flashing: pictavo-cli verify FLASH PATCH        ###\r\n"
    "; ###                                                                 ###\r\n"
    "; ### Patch for SIEMENS S65fw05 (SGold)                               ###\r\n"
    "; #######################################################################\r\n";

TEST(BannerLines, ControlCharactersOfTheFullflashBecomeBlanks) {
    EXPECT_EQ(Vkp::BannerLines({"P", "S\x1B", "\x7F", "\t1", "x"})[6],
              "; ### Patch for S   fw 1 (x)" + std::string(42, ' ') + "###");
}

TEST(SavePatch, WithNothingStagedWritesOnlyTheBannerAndAFailedOrDeclinedWriteChangesNothing) {
    PatchFixture t(SmallPictures(2));
    t.savePatch("plain");
    const std::string plain = t.dir.file("plain.vkp");
    EXPECT_EQ(ReadWholeFile(plain), kBanner);
    t.stage(1, Counting(20), 20);
    t.ui.answer(false);
    t.savePatch("plain");
    EXPECT_EQ(ReadWholeFile(plain), kBanner);
    const std::string unwritable = t.dir.file("missing folder/out.vkp");
    t.savePatch("missing folder/out.vkp");
    const std::string dialog = "save:  File  | ViKlay Patch File (*.vkp) | GP_ | vkp";
    EXPECT_EQ(t.ui.transcript(),
              (std::vector<std::string>{dialog, "", dialog, "? " + plain + "\r? | !", dialog,
                                        "Cannot write!\r" + unwritable}));
    EXPECT_TRUE(t.ws.rows[1].changed);
    EXPECT_TRUE(std::filesystem::exists(t.dir.file("0001.gpf2")));
    EXPECT_EQ(t.ws.flash.freeSpacePosition, 0x40000);
}

TEST(SavePatch, WritesEntriesAndDataInPlaceAndRelocatedThenClearsTheStaging) {
    PatchFixture t(SmallPictures(3));
    t.stage(0, "\xA1\xA2\xA3", 3);
    t.stage(2, Counting(20), 20);  // the last row: nothing above it to measure its room
    EXPECT_EQ(t.savePatch(),
              kBanner +
                  "\r\n; ##### Picture 0 #####\r\n"
                  "0000101C: 01010500000009A0 03010500000009A0\r\n\r\n"
                  "00090000: 10000000000000000000000000000000 A1A2A300000000000000000000000000\r\n"
                  "\r\n; ##### Picture 2 #####\r\n"
                  "0000102C: 01010500200009A0 14010500000004A0\r\n\r\n"
                  "00040000: FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF 0102030405060708090A0B0C0D0E0F10\r\n"
                  "00040010: FFFFFFFF 11121314\r\n");
    EXPECT_FALSE(t.ws.rows[0].changed || t.ws.rows[2].changed);
    EXPECT_FALSE(std::filesystem::exists(t.dir.file("0000.gpf2")));
    EXPECT_FALSE(std::filesystem::exists(t.dir.file("0002.gpf2")));
    EXPECT_FALSE(t.ws.control("mnu_Fullflash_SavePatch").enabled);
    EXPECT_FALSE(t.ws.control("mnu_PopupPictures_SavePatch").enabled);
    EXPECT_EQ(t.ws.flash.freeSpacePosition, 0x40020);

    // A second patch of the same session never hands out that run again.
    t.stage(1, Counting(20), 20);
    const PatchCheck second = t.verify(t.savePatch("second.vkp"));
    ASSERT_EQ(second.changed.size(), 1u);
    EXPECT_EQ(second.changed[0].dataOffset, 0x40020u);
}

TEST(SavePatch, NewDataNeverReachesAnotherPicture) {
    constexpr std::uint32_t d = FlashBuilder::kData;
    const struct {
        const char* what;
        std::function<void(std::string&)> damage;
        std::size_t row;
        int size;
        std::uint32_t dataOffset;  // where the patched entry points
    } cases[] = {
        {"fits up to the nearest picture above", {}, 1, 16, d + 0x10},
        {"room ends at the nearest data above, not at the next row's",
         [](std::string& f) { PointEntry(f, 1, d + 0x40); }, 0, 40, 0x40000},
        {"in place within that room", [](std::string& f) { PointEntry(f, 1, d + 0x40); }, 0, 32, d},
        {"a place shared with another entry is not rewritten",
         [](std::string& f) { PointEntry(f, 2, d + 0x10); }, 1, 1, 0x40000},
        {"a picture below reaching in", [](std::string& f) { f[FlashBuilder::kPit] = 20; }, 1, 1,
         0x40000},
        {"a place running past the end of the file",
         [](std::string& f) { PointEntry(f, 3, 0x100000); }, 2, 1, 0x40000},
        {"erased-looking data of a picture is no free flash",
         [](std::string& f) {
             PointEntry(f, 3, 0x40000);
             f[0x40000] = '\xFF';
         },
         0, 40, 0x40010},
    };
    for (const auto& c : cases) {
        std::string flash = SmallPictures(4) + std::string(0x40, '\x33');
        if (c.damage) c.damage(flash);
        PatchFixture t(flash);
        t.stage(c.row, Counting(c.size), c.size);
        const PatchCheck check = t.verify(t.savePatch());
        EXPECT_TRUE(check.clean()) << c.what << "\n" << PatchReport(check, "\n", 10);
        ASSERT_EQ(check.changed.size(), 1u) << c.what;
        EXPECT_EQ(check.changed[0].dataOffset, c.dataOffset) << c.what;
    }
}

TEST(SavePatch, PicturesThatCannotBePlacedStayStagedAndAreCounted) {
    PatchFixture t(SmallPictures(4, false));
    t.ws.setText("str_Succes", "Done");
    t.stage(0, Counting(40), 40);    // no erased flash to move it to
    t.stage(1, "\x77");              // fits
    t.stage(2, Counting(300), 300);  // 300 x 1: the 8-byte entry cannot list it
    t.stage(3, Counting(40), 40);    // no free flash again, told once
    const std::string patch = t.savePatch();
    EXPECT_EQ(t.ui.messageTexts(),
              (std::vector<std::string>{
                  "Can't find free memory in fullflash!",
                  "Picture 2: 300 x 1 is too large for this fullflash's picture table!",
                  "Done\r3 pictures were not placed and stay staged: 0, 2, 3"}));
    EXPECT_NE(patch.find("; ##### Picture 0 #####\r\n\r\n; ##### Picture 1 #####\r\n0000"),
              std::string::npos);
    EXPECT_TRUE(patch.ends_with("; ##### Picture 3 #####\r\n"));
    for (std::size_t row : {0u, 2u, 3u}) {
        EXPECT_TRUE(t.ws.rows[row].changed) << row;
        EXPECT_TRUE(std::filesystem::exists(t.dir.file(PatchFixture::stagingName(row)))) << row;
    }
    EXPECT_FALSE(t.ws.rows[1].changed);
    EXPECT_TRUE(t.ws.control("mnu_Fullflash_SavePatch").enabled);
    EXPECT_TRUE(t.verify(patch).clean());
}

// A bold row rewritten in place may grow up to the next picture's data; moved
// data must not land in that room, whatever the order the rows are written in.
TEST(SavePatch, MovedDataAvoidsTheRoomOfPicturesRewrittenInPlace) {
    std::string flash = SmallPictures(4) + std::string(0x40, '\x33');
    PointEntry(flash, 2, 0x40000);
    PointEntry(flash, 3, 0x40100);
    PatchFixture t(flash);
    t.ws.setText("str_Succes", "Done");
    t.stage(0, Counting(40), 40);    // moves into erased flash
    t.stage(1, Counting(300), 300);  // too wide for the 8-byte entry: the one left out
    t.stage(2, Counting(128), 128);  // in place, into its room up to 0x40100
    const PatchCheck check = t.verify(t.savePatch());
    EXPECT_TRUE(check.clean()) << PatchReport(check, "\n", 10);
    ASSERT_EQ(check.changed.size(), 2u);
    EXPECT_EQ(check.changed[0].dataOffset, 0x40110u);
    EXPECT_EQ(check.changed[1].dataOffset, 0x40000u);
    EXPECT_EQ(t.ui.messageTexts().back(), "Done\r1 picture was not placed and stays staged: 1");
}

TEST(SavePatch, DamagedOrMissingStagingFilesLeaveOnlyTheComment) {
    PatchFixture t(SmallPictures(3));
    t.stage(0, "\x01\x02", 2);
    t.dir.write("0000.gpf2",
                ReadWholeFile(t.dir.file("0000.gpf2")).substr(0, 32));  // stream cut off
    t.ws.rows[1].changed = true;                                        // no staging file
    t.dir.write("0002.gpf2",
                GPFcodec::PadToSixteen(GPFcodec::WriteGpfHeader({1, 1, 0x185, 2, true}) + "\x01"));
    t.ws.rows[2].changed = true;  // a type code no entry can hold
    const std::string patch = t.savePatch();
    EXPECT_EQ(patch, kBanner +
                         "\r\n; ##### Picture 0 #####\r\n\r\n; ##### Picture 1 #####\r\n"
                         "\r\n; ##### Picture 2 #####\r\n");
    EXPECT_EQ(t.ui.messageTexts().front(), "Damaged staging file!\r" + t.dir.file("0000.gpf2"));
}

TEST(VerifyPatchCommand, ShowsTheReportOfTheChosenPatch) {
    PatchFixture t(SmallPictures(2));
    t.stage(0, "\x01\x02", 2);
    const std::string patch = t.savePatch();
    t.ui.dialogs.clear();
    t.ui.choosePath(t.dir.file("out.vkp"));
    mnu_Fullflash_VerifyPatch_Click(t.ws, t.ui);
    EXPECT_EQ(t.ui.transcript(),
              (std::vector<std::string>{"open:  File  | ViKlay Patch File (*.vkp) |  | ",
                                        "report: Verify Patch | Safe to flash"}));
    EXPECT_EQ(t.ui.dialogs.back().tone, ReportTone::Good);
    EXPECT_EQ(t.ui.dialogs.back().details, PatchDetails(t.verify(patch), "\r", 500));
}

}  // namespace
