#include <gtest/gtest.h>

#include "commands/fullflash_commands.h"
#include "commands/preview_commands.h"
#include "common/scripted_ui.h"
#include "devtools/test_files.h"
#include "workspace/workspace.h"

namespace {

// Every picture that pictavo-mkflash lays out decodes through the selection
// path and consumes exactly the stream it was given: the fixtures of the other
// tests and the demo are what they claim to be.
TEST(MkflashPictures, EveryPictureDecodesToItsOwnStreamLength) {
    for (const MkflashOptions& options : {SmallSGold(40), SmallNewSGold("E71", 40)}) {
        TempDir dir;
        const std::string path = dir.file("flash.bin");
        const MkflashLayout layout = WriteFlash(path, options);
        Workspace ws;
        ScriptedUi ui;
        ASSERT_TRUE(LoadFullflash(ws, ui, path));
        ASSERT_EQ(ws.rows.size(), layout.pictures.size());
        for (std::size_t row = 0; row < ws.rows.size(); ++row) {
            EXPECT_TRUE(SelectAndShow(ws, ui, row)) << options.model << " row " << row;
            EXPECT_EQ(ws.picture.dataSize, layout.pictures[row].dataSize)
                << options.model << " row " << row << " type " << ws.rows[row].type;
        }
        EXPECT_TRUE(ui.messageTexts().empty());
    }
}

}  // namespace
