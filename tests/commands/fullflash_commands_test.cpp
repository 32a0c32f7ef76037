#include "commands/fullflash_commands.h"

#include <gtest/gtest.h>

#include "common/scripted_ui.h"
#include "devtools/test_files.h"
#include "workspace/workspace.h"

namespace {

// What a load or a close leaves visible: identity fields | panel | rows |
// enabled Close, FullFlash menu, both Save Patch entries | free-space position.
std::string visible(const Workspace& ws) {
    const FullflashState& f = ws.flash;
    std::string menus;
    for (const char* name : {"mnu_FileClose", "mnu_FullFlash", "mnu_PopupPictures_SavePatch",
                             "mnu_Fullflash_SavePatch"}) {
        menus += ws.control(name).enabled ? "1" : "0";
    }
    return f.mModel + " " + f.fw + " " + f.platform + " " + f.PITadr + " " +
           std::to_string(f.picnum) + (f.NewSGold ? " new|" : " old|") + ws.ffInfo + "|" +
           std::to_string(ws.rows.size()) + "|" + menus + "|" +
           std::to_string(static_cast<long>(f.freeSpacePosition));
}

void enableSavePatch(Workspace& ws) {
    ws.control("mnu_PopupPictures_SavePatch").enabled = true;
    ws.control("mnu_Fullflash_SavePatch").enabled = true;
}

class FullflashCommands : public ::testing::Test {
  protected:
    TempDir dir;
    Workspace ws;
    ScriptedUi ui;
};

}  // namespace

// One workspace loads the images in turn: each load replaces the last, its
// picture on screen included. The
// panel's labels come from the language. A file without a picture table is
// not shown as a phone's, nor remembered among the recent fullflashes.
TEST_F(FullflashCommands, LoadShowsIdentityListAndMenus) {
    for (const auto& [key, label] : {std::pair{"str_mModel", "M"},
                                     {"str_firmW", "F"},
                                     {"str_lngPa", "L"},
                                     {"str_platf", "P"},
                                     {"str_manuf", "W"}}) {
        ws.setText(key, label);
    }
    const std::pair<MkflashOptions, std::string> cases[] = {
        {SmallSGold(12),
         "S65 58 SGold A001C 11 old|M: S65\rF: 58\rL: lg4\r\rP: SGold\rW: SIEMENS|12|1100|262144"},
        {SmallNewSGold("E71", 30),
         "E71 58 New-SGold 0200000 29 new|M: E71\rF: 58\rL: lg4\r\rP: New-SGold\rW: "
         "SIEMENS|30|1100|16777216"},
        {SmallNewSGold("S75", 0),
         "S75 58 New-SGold 0200000 -1 new|No picture table found: this is not a fullflash of a "
         "supported phone|0|1000|16777216"},
    };
    for (const auto& [options, expected] : cases) {
        const std::string path = dir.file(options.model + ".bin");
        const MkflashLayout layout = WriteFlash(path, options);
        std::vector<std::string> recent;
        ws.fullflashLoaded = [&recent](Workspace&, const std::string& loaded) {
            recent.push_back(loaded);
        };
        enableSavePatch(ws);
        ws.flash.pngChangesPending = true;
        if (!ws.rows.empty()) ws.rows[0].changed = true;
        ws.pictureInfo = "0000 :: the earlier file's picture";
        ui.progressValues.clear();

        ASSERT_TRUE(LoadFullflash(ws, ui, path));
        EXPECT_EQ(visible(ws), expected);
        EXPECT_EQ(ws.rows, ExpectedRows(layout)) << "no changed mark left over";
        EXPECT_EQ(ws.flash.file->path(), path);
        EXPECT_FALSE(ws.flash.pngChangesPending);
        EXPECT_TRUE(ws.pictureInfo.empty()) << "no picture of the earlier file stays on screen";
        EXPECT_EQ(recent,
                  ws.rows.empty() ? std::vector<std::string>{} : std::vector<std::string>{path});
        EXPECT_TRUE(!ui.progressValues.empty() && ui.progressValues.back() == 100);
        EXPECT_TRUE(ui.dialogs.empty());
    }
}

TEST_F(FullflashCommands, CloseEmptiesPanelAndListAndReloadRestoresThem) {
    const std::string path = WriteFlashPath(dir, SmallNewSGold("EL71", 5));
    ASSERT_TRUE(LoadFullflash(ws, ui, path));
    const std::string loaded = visible(ws);
    const std::vector<PictureListEntry> rows = ws.rows;
    enableSavePatch(ws);
    ws.flash.pngChangesPending = true;
    ws.rows[2].changed = true;
    ws.selectedRow = ws.rows.size();
    EXPECT_EQ(ws.selected(), nullptr) << "one past the last row";
    ws.selectedRow = 2;

    CloseFullflash(ws);
    // Close keeps the identification texts, both Save Patch entries and the
    // pending PNG changes as they were.
    EXPECT_EQ(visible(ws), "EL71 58 New-SGold 0200000 4 old||0|0011|262144");
    EXPECT_TRUE(ws.flash.pngChangesPending);
    EXPECT_FALSE(ws.isLoaded());
    EXPECT_FALSE(ws.selectedRow) << "a reload must not find an old selection";

    ASSERT_TRUE(LoadFullflash(ws, ui, path));
    EXPECT_EQ(visible(ws), loaded);
    EXPECT_EQ(ws.rows, rows);  // the changed mark is gone too
}

// A missing path is told and changes nothing; a file that is no fullflash
// loads with an empty list.
TEST_F(FullflashCommands, MissingFileIsToldAndOtherFilesLoadWithAnEmptyList) {
    ws.setText("str_fnExi", "File not found");
    ASSERT_TRUE(LoadFullflash(ws, ui, WriteFlashPath(dir, SmallSGold(4))));
    const std::string before = visible(ws);
    const MappedFile* file = ws.flash.file.get();
    ui.progressValues.clear();
    const std::string missing[] = {dir.file("missing.bin"), dir.path().string(), ""};
    for (const std::string& path : missing) {
        EXPECT_FALSE(LoadFullflash(ws, ui, path));
        EXPECT_EQ(visible(ws), before);
        EXPECT_EQ(ws.flash.file.get(), file);
    }
    EXPECT_TRUE(ui.progressValues.empty());
    EXPECT_EQ(ui.transcript(),
              (std::vector<std::string>{"File not found!\r" + missing[0],
                                        "File not found!\r" + missing[1], "File not found!\r"}));

    const std::pair<std::string, std::vector<std::uint8_t>> cases[] = {
        {"empty.bin", {}},
        {"short.bin", std::vector<std::uint8_t>(0x8FD0B, 0xEE)},
        {"text.bin", std::vector<std::uint8_t>(0x90000, 'x')},
    };
    for (const auto& [name, bytes] : cases) {
        WriteBytes(dir.file(name), bytes);
        ASSERT_TRUE(LoadFullflash(ws, ui, dir.file(name))) << name;
        EXPECT_TRUE(ws.rows.empty()) << name;
        EXPECT_EQ(ws.flash.picnum, -1) << name;
        EXPECT_EQ(ui.progressValues.back(), 100) << name;
    }
    EXPECT_EQ(ui.dialogs.size(), 3u) << "no message more";
}
