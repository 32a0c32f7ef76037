#include <gtest/gtest.h>

#include <map>

#include "commands/comparison_commands.h"
#include "commands/fullflash_commands.h"
#include "common/scripted_ui.h"
#include "devtools/flash_edits.h"
#include "devtools/test_files.h"
#include "workspace/workspace.h"

namespace {

/// A loaded E71 image (A) and a copy with picture 3 repainted and 5 moved (B).
struct Comparing {
    TempDir dir{"pictavo comparison"};
    Workspace ws;
    ScriptedUi ui;
    std::string a = dir.file("a.bin");
    std::string b = dir.file("b.bin");

    Comparing() {
        const MkflashResult original = MakeFullflash(SmallNewSGold("E71", 20));
        WriteBytes(a, original.bytes);
        FlashEditor editor(original);
        editor.repaint(3);
        editor.move(5);
        WriteBytes(b, editor.bytes());
        ws.tempFolder = dir.path().string();
        LoadFullflash(ws, ui, a);
    }
    void compareWith(const std::string& path) {
        ui.choosePath(path);
        mnu_Fullflash_Compare_Click(ws, ui);
    }
    std::map<std::size_t, std::string> marks() const {
        std::map<std::size_t, std::string> found;
        for (std::size_t row = 0; row < ws.rows.size(); ++row) {
            if (const PictureDifference* difference = ws.comparison->differenceAt(row))
                found[row] = DifferenceKindText(ws, *difference);
        }
        return found;
    }
};

TEST(Comparison, MarksStagesAndClosesLeavingTheFullflash) {
    Comparing c;
    c.compareWith(c.b);
    ASSERT_TRUE(c.ws.comparison);
    EXPECT_EQ(ComparisonBarText(c.ws), "Compared with b.bin  |  differing pictures: 2");
    EXPECT_EQ(c.marks(), (std::map<std::size_t, std::string>{{3, "pixels"}, {5, "moved"}}));
    EXPECT_EQ(c.ws.selectedRow, 3u) << "the first differing row is shown";
    EXPECT_TRUE(c.ws.comparison->pictureInfo.starts_with("B: 0003 :: " + c.ws.rows[3].width +
                                                         " x " + c.ws.rows[3].height))
        << c.ws.comparison->pictureInfo;

    c.ws.selectedRow = 0;
    CompareOnly_Click(c.ws, c.ui, true);
    EXPECT_EQ(c.ws.selectedRow, 3u) << "the filter hides no selected row";

    mnu_Fullflash_CompareStage_Click(c.ws, c.ui);
    EXPECT_EQ(c.ui.messageTexts().back(), "Pictures of B staged: 1");
    EXPECT_TRUE(c.ws.rows[3].changed);
    EXPECT_FALSE(c.ws.rows[5].changed) << "a moved picture shows the same pixels";
    EXPECT_TRUE(c.ws.control("mnu_Fullflash_SavePatch").enabled);

    const auto rows = c.ws.rows;
    mnu_Fullflash_CompareClose_Click(c.ws);
    EXPECT_FALSE(c.ws.comparison);
    EXPECT_EQ(c.ws.rows, rows);
    EXPECT_FALSE(c.ws.control("mnu_Fullflash_CompareStage").enabled);

    c.compareWith(c.b);
    LoadFullflash(c.ws, c.ui, c.a);
    EXPECT_FALSE(c.ws.comparison) << "a new fullflash ends the comparison";
}

TEST(Comparison, PicturesOnlyInBAreToldAsLeftOut) {
    Comparing c;
    c.compareWith(WriteFlashPath(c.dir, SmallNewSGold("E71", 21)));
    mnu_Fullflash_CompareStage_Click(c.ws, c.ui);
    EXPECT_EQ(
        c.ui.messageTexts().back(),
        "Pictures of B staged: 0\rLeft out (cannot be decoded in B, or not in this table): 1");
}

TEST(Comparison, RefusesWhatItCannotCompare) {
    Comparing c;
    c.compareWith(c.b);
    const std::string sgold = WriteFlashPath(c.dir, SmallSGold());
    const std::string noTable = WriteFlashPath(c.dir, SmallNewSGold("E71", 0));
    c.compareWith(sgold);
    c.compareWith(noTable);
    c.compareWith(c.dir.file("missing.bin"));
    const auto texts = c.ui.messageTexts();
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "Only fullflashes of one model and platform can be compared\rA: E71 "
                         "(New-SGold)\rB: S65 (SGold)",
                         "No picture table found in this file\r" + noTable,
                         "!\r" + c.dir.file("missing.bin")}));
    ASSERT_TRUE(c.ws.comparison) << "the comparison open before stays";
    EXPECT_EQ(c.ws.comparison->file->path(), c.b);
}

}  // namespace
