#include "commands/carve_commands.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "common/scripted_ui.h"
#include "common/temp_dir.h"
#include "devtools/test_files.h"
#include "workspace/workspace.h"

namespace {

using namespace std::string_literals;

struct Fixture {
    TempDir dir{"pictavo carve"};
    Workspace ws;
    ScriptedUi ui;

    Fixture() {
        ws.setText("str_Succes", "Done");
        ws.setText("str_fChan", "Replace");
    }
};

TEST(ExtractGifs, DeclinedOverwriteDoesNotStopTheScan) {
    Fixture f;
    const std::string gif = "GIF89a\x01\x00\x3B"s;
    const std::string scanned =
        f.dir.write("flash.bin", std::string(0x200, '\xFF') + gif + "xy" + gif + "z" + gif);
    const std::string folder = f.dir.file("out");
    std::filesystem::create_directory(folder);
    f.dir.write("out/0000020B.gif", "mine");
    f.ui.choosePath(scanned).chooseFolder(folder).answer(false);
    mnu_Tools_FindGIF_Click(f.ws, f.ui);

    EXPECT_EQ(f.ui.transcript(),
              (std::vector<std::string>{
                  "open:  File  | FullFlash files (*.bin) | All files (*.*) |  | ",
                  "folder:   ", "? " + folder + "/0000020B.gif\rReplace? | !", "Done |  2"}));
    EXPECT_EQ(FolderContents(folder),
              (std::map<std::string, std::string>{
                  {"00000200.gif", gif}, {"0000020B.gif", "mine"}, {"00000215.gif", gif}}));
    EXPECT_EQ(f.ui.progressValues.back(), 100);
}

// Every embedded file mkflash lays out, the last three ending in the image's
// last bytes, comes out under its offset with exactly its bytes.
TEST(CarveFiles, FindsEveryFileEmbeddedInAnImage) {
    MkflashOptions sgold = SmallSGold();
    sgold.embeddedFiles = 30;
    sgold.filesAtEnd = true;
    MkflashOptions newSGold = SmallNewSGold("E71", 200);
    newSGold.filesAtEnd = true;
    for (const MkflashOptions& options : {sgold, newSGold}) {
        Fixture f;
        const MkflashResult image = MakeFullflash(options);
        ASSERT_TRUE(image.ok()) << image.error;
        const std::string flash =
            f.dir.write("flash.bin", std::string(image.bytes.begin(), image.bytes.end()));
        const std::pair<CarveKind, EmbeddedKind> kinds[] = {{CarveKind::Gif, EmbeddedKind::Gif},
                                                            {CarveKind::Png, EmbeddedKind::Png},
                                                            {CarveKind::Xml, EmbeddedKind::Xml}};
        for (const auto& [carveKind, embeddedKind] : kinds) {
            std::map<std::string, std::string> expected;
            for (const MkflashEmbedded& file : image.layout.embedded) {
                if (file.kind != embeddedKind) continue;
                expected[CarvedFileName(file.offset, SignatureOf(carveKind).extension)] =
                    std::string(image.bytes.begin() + file.offset,
                                image.bytes.begin() + file.offset + file.size);
            }
            const std::string folder =
                f.dir.file(std::string(SignatureOf(carveKind).extension.substr(1)));
            std::filesystem::create_directory(folder);
            EXPECT_EQ(CarveFiles(f.ws, f.ui, flash, carveKind, folder + "/"),
                      static_cast<int>(expected.size()));
            EXPECT_EQ(FolderContents(folder), expected);
        }
    }
}

TEST(CarveFiles, EmptyFilesPipesAndUnwritableFolders) {
    Fixture f;
    f.ui.choosePath(f.dir.write("empty.bin", "")).chooseFolder(f.dir.path().string());
    mnu_Tools_FindPNG_Click(f.ws, f.ui);
    EXPECT_EQ(f.ui.transcript().back(), "Done |  0");

    f.ui.dialogs.clear();
    const std::string pipe = f.dir.file("pipe.bin");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    f.ui.choosePath(pipe);
    mnu_Tools_FindGIF_Click(f.ws, f.ui);
    EXPECT_EQ(CarveFiles(f.ws, f.ui, pipe, CarveKind::Gif, f.dir.file("")), std::nullopt);
    const std::string noFolder = f.dir.file("none") + "/";
    const std::string xml = f.dir.write("text.bin", "<?xml a \0"s);
    EXPECT_EQ(CarveFiles(f.ws, f.ui, xml, CarveKind::Xml, noFolder), std::nullopt);
    EXPECT_EQ(f.ui.messageTexts(),
              (std::vector<std::string>{"!\r" + pipe, "!\r" + pipe,
                                        "Cannot write!\r" + noFolder + "00000000.xml"}));
}

}  // namespace
