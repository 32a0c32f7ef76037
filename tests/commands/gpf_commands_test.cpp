#include "commands/gpf_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "codec/gpf_file.h"
#include "commands/preview_commands.h"
#include "common/loaded_workspace.h"

namespace {

using namespace std::string_literals;

std::string header(int width, int height, int code, int number, bool gpf2) {
    return GPFcodec::WriteGpfHeader(
        {static_cast<std::int16_t>(width), static_cast<std::int16_t>(height),
         static_cast<std::int16_t>(code), static_cast<std::int16_t>(number), gpf2});
}

FlashBuilder pictures() {
    FlashBuilder flash;
    flash.addPicture(3, 1, 0x88, "\x03"s.append(Rgb565(0x001F)));  // 0: run of 3 blue
    flash.addPicture(2, 1, 0x05, "\xE0\x1C");                      // 1: red, green
    flash.addPicture(4, 2, 0x01, "\xA0\x50");                      // 2: 1-bit
    flash.addPicture(1, 1, 0x03, "\x00");                          // 3: no such format
    return flash;
}

void showRow(LoadedWorkspace& t, std::size_t row) {
    t.ws.selectedRow = row;
    ShowSelectedPicture(t.ws, t.ui);
    t.ui.dialogs.clear();
}

TEST(SaveAsGpfWithDepth, AsksExtensionNameAndCompressionThenWrites) {
    LoadedWorkspace t(pictures());
    showRow(t, 1);
    const std::string chosen = t.dir.file("out");
    t.ui.answer(false).choosePath(chosen).answer(true);
    mnu_PopupPic_SaveAsGPF_Click(t.ws, t.ui, kSaveGpf8Bit);
    const std::string dialog = "save:  File  | Graphic Patch Files (*.gpf;*.gpf2) | gpfFile.gpf";
    EXPECT_EQ(t.ui.transcript(),
              (std::vector<std::string>{"? Save as GPF2?", dialog + " | gpf", "? ?", ""}));
    // A name without extension gets .gpf2, whatever the question answered.
    EXPECT_EQ(ReadWholeFile(chosen + ".gpf2"),
              GPFcodec::PadToSixteen(header(2, 1, 0x85, 1, true) + "\xFE\xE0\x1C"));

    showRow(t, 0);
    t.ws.defGPF2 = true;
    t.ui.choosePath(t.dir.file("blue.gpf")).answer(false);
    mnu_PopupPic_SaveAsGPF_Click(t.ws, t.ui, kSaveGpf16Bit);
    EXPECT_EQ(t.ui.transcript().front(), dialog + "2 | gpf");
    EXPECT_EQ(t.ws.currentCode, 0x08) << "a declined compression";
    const std::string blue = Rgb565(0x001F);
    EXPECT_EQ(ReadWholeFile(t.dir.file("blue.gpf")),
              GPFcodec::PadToSixteen(header(3, 1, 0x08, 0, false) + blue + blue + blue));

    showRow(t, 2);
    t.ws.cmpGPF = true;
    const std::string one = t.dir.write("one.gpf2", "keep me");
    t.ui.choosePath(one).answer(true);
    mnu_PopupPic_SaveAsGPF_Click(t.ws, t.ui, kSaveGpf1Bit);
    EXPECT_EQ(t.ui.messageTexts().back(), "1bit GPF ");
    EXPECT_EQ(ReadWholeFile(one), "keep me") << "compressed 1 bit is refused";
}

// The re-encoding save keeps a name ending in "gpf2" without the dot; the raw
// save of the list completes every name that ends in neither ".gpf2" nor ".gpf"
// and copies the stored bytes.
TEST(GpfSaves, NameEndingsAreComparedExactly) {
    const struct {
        bool raw;
        std::string typed;
        std::string written;
    } cases[] = {
        {false, "a.gpf", "a.gpf"}, {false, "a.gpf2", "a.gpf2"}, {false, "a.GPF", "a.GPF.gpf2"},
        {false, "a", "a.gpf2"},    {false, "agpf2", "agpf2"},   {true, "agpf2", "agpf2.gpf2"},
        {true, "a.gpf", "a.gpf"},  {true, "a.gpf2", "a.gpf2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed + (c.raw ? " raw" : ""));
        LoadedWorkspace t(pictures());
        showRow(t, 0);
        t.ws.defGPF2 = true;
        t.ws.cmpGPF = true;
        t.ui.choosePath(t.dir.file(c.typed));
        if (c.raw) {
            mnu_PopupPictures_SaveAsGPF_Click(t.ws, t.ui);
            // The stored bytes, compressed bit and all, under the header the name asks for.
            const std::string stored = "\x03"s + Rgb565(0x001F);
            EXPECT_EQ(ReadWholeFile(t.dir.file(c.written)),
                      GPFcodec::PadToSixteen(header(3, 1, 0x88, 0, c.written.ends_with(".gpf2")) +
                                             stored));
        } else {
            mnu_PopupPic_SaveAsGPF_Click(t.ws, t.ui, kSaveGpf8Bit);
            EXPECT_TRUE(std::filesystem::exists(t.dir.file(c.written)));
        }
        EXPECT_EQ(t.ui.messageTexts(), std::vector<std::string>{""}) << "closing message";
    }
    LoadedWorkspace t(pictures());
    t.ws.selectedRow = 0;
    t.ws.defGPF2 = true;
    const std::string kept = t.dir.write("kept.gpf2", "mine");
    t.ui.choosePath(kept).answer(false);
    mnu_PopupPictures_SaveAsGPF_Click(t.ws, t.ui);
    EXPECT_EQ(ReadWholeFile(kept), "mine") << "a declined replacement";
}

TEST(SaveAsGpfWithDepth, PicturesTallerThan255NeedGpf2) {
    FlashBuilder flash;
    flash.addPicture(20, 44, 0x05, std::string(20 * 44, '\x1C'));
    LoadedWorkspace t(flash);
    showRow(t, 0);
    t.ws.cmpGPF = true;
    t.ws.defGPF2 = true;
    t.ws.setText("str_CntCmp", "Cannot compress");
    // A 12-byte table can list such pictures; only the height matters here.
    for (const auto& [height, gpfWritten] : {std::pair{255, true}, {256, false}}) {
        t.ws.picture.height = static_cast<std::int16_t>(height);
        const std::string gpf = t.dir.file(std::to_string(height) + ".gpf");
        t.ui.dialogs.clear();
        t.ui.choosePath(gpf);
        mnu_PopupPic_SaveAsGPF_Click(t.ws, t.ui, kSaveGpf8Bit);
        EXPECT_EQ(std::filesystem::exists(gpf), gpfWritten) << height;
        EXPECT_EQ(t.ui.messageTexts().back(), gpfWritten ? "" : "Cannot compress!") << height;
    }
    t.ui.choosePath(t.dir.file("tall.gpf2"));
    mnu_PopupPic_SaveAsGPF_Click(t.ws, t.ui, kSaveGpf8Bit);
    const std::string written = ReadWholeFile(t.dir.file("tall.gpf2"));
    ASSERT_GE(written.size(), 32u);
    EXPECT_EQ(written.substr(20, 4), "\x14\x00\x00\x01"s);
}

TEST(SaveAllAsGpf, FourDigitNamesAndSkipsTheUndecodableAndADeclinedReplacement) {
    LoadedWorkspace t(pictures());
    t.ws.HEXFilename = true;  // ignored by the batch
    t.ws.ZeroFilename = false;
    t.ui.chooseFolder("");
    mnu_PopupPictures_SaveAsGPFs_Click(t.ws, t.ui);
    EXPECT_EQ(t.ui.dialogs.size(), 1u) << "a cancelled folder asks nothing more";

    const std::string existing = t.dir.write("0001.gpf", "mine");
    t.ui.chooseFolder(t.dir.path().string()).answer(false).answer(false);
    mnu_PopupPictures_SaveAsGPFs_Click(t.ws, t.ui);
    EXPECT_EQ(ReadWholeFile(existing), "mine");
    EXPECT_EQ(ReadWholeFile(t.dir.file("0000.gpf")),
              GPFcodec::PadToSixteen(header(3, 1, 0x88, 0, false) + "\x03"s + Rgb565(0x001F)));
    EXPECT_TRUE(std::filesystem::exists(t.dir.file("0002.gpf")));
    EXPECT_FALSE(std::filesystem::exists(t.dir.file("0003.gpf"))) << "undecodable: skipped";
    EXPECT_EQ(t.ui.messageTexts().back(), "") << "closing message";
    EXPECT_TRUE(t.ui.exhausted());
}

}  // namespace
