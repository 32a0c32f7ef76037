#include "commands/bmp_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "codec/bmp_writer.h"
#include "common/loaded_workspace.h"

namespace {

using namespace std::string_literals;

void showRow(LoadedWorkspace& t, std::size_t row) {
    t.ws.selectedRow = row;
    ASSERT_TRUE(ShowSelectedPicture(t.ws, t.ui));
}

TEST(SaveShownPictureAsBmp, AsksNameOverwriteAndAlphaThenWrites) {
    LoadedWorkspace t(SamplePictures());
    showRow(t, 2);
    t.ws.setText("str_PlSel", "Select");
    t.ws.setText("str_4save", "to save");
    t.ws.setText("str_SalCh", "Save alpha channel");
    t.ws.setText("str_Succes", "Done");
    const std::string chosen = t.dir.file("out");
    t.dir.write("out.bmp", "old");
    t.ui.choosePath(chosen + "  ").answer(true).answer(true);

    mnu_PopupPic_SaveAsBMP_Click(t.ws, t.ui);

    ASSERT_EQ(t.ui.dialogs.size(), 4u);
    const FileDialogRequest& request = t.ui.dialogs[0].request;
    EXPECT_EQ(request.title, "Select File to save");
    EXPECT_EQ(request.filters.at(0).description, "Bitmap File (*.bmp)");
    EXPECT_EQ(request.filters.at(0).pattern, "*.bmp");
    EXPECT_EQ(request.initialName, "");
    EXPECT_EQ(t.ui.dialogs[1].text, chosen + ".bmp\r?");
    EXPECT_EQ(t.ui.dialogs[1].title, "!");
    EXPECT_EQ(t.ui.dialogs[2].text, "Save alpha channel?");
    EXPECT_EQ(t.ui.dialogs[3].text, "Done");
    EXPECT_EQ(ReadWholeFile(chosen + ".bmp"), GPFcodec::BmpFileBytes(t.ws.picture, true));

    t.ui.dialogs.clear();
    t.dir.write("out.bmp", "old");
    t.ui.choosePath(chosen).answer(false);
    mnu_PopupPic_SaveAsBMP_Click(t.ws, t.ui);
    EXPECT_EQ(t.ui.dialogs.size(), 2u) << "a cancelled overwrite ends the command";
    EXPECT_EQ(ReadWholeFile(chosen + ".bmp"), "old");
}

TEST(SaveSelectedPictureAsBmp, NamedByTheFileNameRuleAndDepthByAlpha) {
    const struct {
        bool hex;
        bool zero;
        std::size_t row;
        std::string name;
        int bits;
    } cases[] = {
        {false, true, 1, "0001", 32},
        {true, true, 2, "002", 24},
        {false, false, 0, "0", 24},
    };
    for (const auto& c : cases) {
        LoadedWorkspace t(SamplePictures());
        t.ws.HEXFilename = c.hex;
        t.ws.ZeroFilename = c.zero;
        showRow(t, c.row);
        const std::string path = t.dir.file(c.name + ".bmp");
        t.ui.choosePath(path);
        mnu_PopupPictures_SaveAsBMP_Click(t.ws, t.ui);
        EXPECT_EQ(t.ui.dialogs.at(0).request.initialName, c.name);
        EXPECT_EQ(t.ws.am, c.hex ? 3 : 4);
        const std::string written = ReadWholeFile(path);
        ASSERT_GE(written.size(), 54u) << c.name;
        EXPECT_EQ(written[28], static_cast<char>(c.bits)) << c.name;
        EXPECT_EQ(t.ui.messageTexts().size(), 1u) << "only the closing message";
    }
}

TEST(SaveSelectedPictureAsBmp, UndecodableTypeAsksNothingAndWritesNothing) {
    FlashBuilder flash;
    flash.addPicture(1, 1, 0x03, "\x00");
    LoadedWorkspace t(flash);
    t.ws.selectedRow = 0;
    mnu_PopupPictures_SaveAsBMP_Click(t.ws, t.ui);
    EXPECT_EQ(t.ui.messageTexts(), std::vector<std::string>{"Not Supported GPF!"});
    EXPECT_EQ(t.ui.dialogs.size(), 1u);
}

TEST(SaveAllAsBmp, WritesEveryPictureWithProgressAndOneClosingMessage) {
    LoadedWorkspace t(SamplePictures());
    const std::string folder = (t.dir.path() / "out").string();
    std::filesystem::create_directory(folder);
    t.ui.chooseFolder(folder);
    mnu_PopupPictures_SaveAsBMPs_Click(t.ws, t.ui);

    for (const char* name : {"0000.bmp", "0001.bmp", "0002.bmp"}) {
        EXPECT_TRUE(std::filesystem::exists(folder + "/" + name)) << name;
    }
    EXPECT_EQ(ReadWholeFile(folder + "/0001.bmp")[28], 32);
    EXPECT_EQ(ReadWholeFile(folder + "/0002.bmp")[28], 24);
    EXPECT_EQ(t.ui.messageTexts().size(), 1u);
    EXPECT_EQ(t.ui.progressValues.back(), 100);
    EXPECT_EQ(*t.ws.selectedRow, 2u) << "the batch leaves the last row selected";
}

TEST(SaveAllAsBmp, CancelAtAnExistingFileEndsTheBatchWithoutClosingMessage) {
    LoadedWorkspace t(SamplePictures());
    const std::string folder = t.dir.path().string();
    t.dir.write("0002.bmp", "mine");
    t.ui.chooseFolder(folder).answer(false);
    mnu_PopupPictures_SaveAsBMPs_Click(t.ws, t.ui);

    EXPECT_TRUE(std::filesystem::exists(t.dir.file("0000.bmp")));
    EXPECT_TRUE(std::filesystem::exists(t.dir.file("0001.bmp")));
    EXPECT_EQ(ReadWholeFile(t.dir.file("0002.bmp")), "mine");
    ASSERT_EQ(t.ui.messageTexts().size(), 1u) << "the question only";
    EXPECT_EQ(t.ui.dialogs.back().buttons, MessageButtons::OkCancel);
}

TEST(SaveAllAsBmp, CancelledFolderDoesNothingAndAnUnwritableOneStopsWithAMessage) {
    LoadedWorkspace t(SamplePictures());
    t.ui.chooseFolder("");
    mnu_PopupPictures_SaveAsBMPs_Click(t.ws, t.ui);
    ASSERT_EQ(t.ui.dialogs.size(), 1u);
    EXPECT_EQ(t.ui.dialogs[0].text, "  ") << "the prompt: empty texts, blanks kept";

    t.ui.chooseFolder(t.dir.file("no such folder"));
    mnu_PopupPictures_SaveAsBMPs_Click(t.ws, t.ui);
    const auto texts = t.ui.messageTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].rfind("Cannot write!\r", 0), 0u);
}

}  // namespace
