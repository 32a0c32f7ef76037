#include "commands/png_commands.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "cli/run_program.h"
#include "codec/bmp_writer.h"
#include "common/loaded_workspace.h"
#include "picture_io/picture_files.h"
#include "picture_io/png_codec.h"

namespace {

struct PngFixture : LoadedWorkspace {
    PngFixture() : LoadedWorkspace(SamplePictures(true)) {
        ws.nConvert = ConverterProgram();
        ws.setText("str_SalCh", "Alpha");
        ws.setText("str_Succes", "Done");
        ws.setText("str_fnExi", "Missing");
    }
    void show(std::size_t row) {
        ws.selectedRow = row;
        ASSERT_TRUE(ShowSelectedPicture(ws, ui));
    }
    [[nodiscard]] bool temporaryFilesLeft() const {
        return std::filesystem::exists(ws.tempFolder + "/PNGtemp.bmp") ||
               std::filesystem::exists(ws.tempFolder + "/PNGtemp.png");
    }
};

/// The PNG turned back into a 32-bit bitmap by the converter.
std::string BackToBmp(const TempDir& dir, const std::string& png) {
    const std::string bmp = dir.file("back.bmp");
    const ProgramRun run =
        RunProgram("pictavo-convert", {"-out", "bmp", "-ctype", "rgba", "-o", bmp, png});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return ReadWholeFile(bmp);
}

int ColourType(const std::string& path) {
    const auto info = PNGcodec::ReadPngInfo(AsBytes(ReadWholeFile(path)));
    return info ? info->colourType : -1;
}

}  // namespace

TEST(SaveShownPictureAsPng, AsksNameOverwriteAndAlphaThenWritesThroughTheConverter) {
    PngFixture t;
    t.show(2);
    const std::string chosen = t.dir.file("pic");
    t.dir.write("pic.png", "old");
    t.ui.choosePath(chosen + " !\"'(").answer(true).answer(true);

    mnu_PopupPic_SaveAsPNG_Click(t.ws, t.ui);

    ASSERT_EQ(t.ui.dialogs.size(), 4u);
    const FileDialogRequest& request = t.ui.dialogs[0].request;
    EXPECT_EQ(request.filters.at(0).description, "Portable Network Graphic files (*.png)");
    EXPECT_EQ(request.filters.at(0).pattern, "*.png");
    EXPECT_EQ(request.initialName, "");
    EXPECT_EQ(t.ui.dialogs[1].text, chosen + ".png\r?");
    EXPECT_EQ(t.ui.dialogs[2].text, "Alpha?");
    EXPECT_EQ(t.ui.dialogs[3].text, "Done");
    EXPECT_EQ(ColourType(chosen + ".png"), 6);
    EXPECT_EQ(BackToBmp(t.dir, chosen + ".png"), GPFcodec::BmpFileBytes(t.ws.picture, true));
    EXPECT_FALSE(t.temporaryFilesLeft());
}

TEST(SaveShownPictureAsPng, NameGetsPngUnlessItEndsSoAndCancelWritesNoAlpha) {
    PngFixture t;
    t.show(0);
    for (const auto& [typed, written] :
         {std::pair{"a", "a.png"}, {"b.PNG", "b.PNG.png"}, {"c.png", "c.png"}}) {
        t.ui.choosePath(t.dir.file(typed)).answer(false);
        mnu_PopupPic_SaveAsPNG_Click(t.ws, t.ui);
        EXPECT_EQ(ColourType(t.dir.file(written)), 2) << written;
    }
    t.ui.choosePath(std::nullopt);
    mnu_PopupPic_SaveAsPNG_Click(t.ws, t.ui);
    EXPECT_TRUE(t.ui.exhausted());
}

TEST(SaveSelectedPictureAsPng, NamedByTheFileNameRuleWithAlphaExactlyWhenThePictureHasIt) {
    const struct {
        bool hex;
        std::size_t row;
        std::string name;
        int colourType;
    } cases[] = {{false, 1, "0001", 6}, {true, 2, "002", 2}};
    for (const auto& c : cases) {
        PngFixture t;
        t.ws.HEXFilename = c.hex;
        t.ws.selectedRow = c.row;
        t.ui.choosePath(t.dir.file(c.name));
        mnu_PopupPictures_SaveAsPNG_Click(t.ws, t.ui);
        EXPECT_EQ(t.ui.dialogs.at(0).request.initialName, c.name);
        EXPECT_EQ(t.ws.am, c.hex ? 3 : 4);
        EXPECT_EQ(ColourType(t.dir.file(c.name + ".png")), c.colourType);
        EXPECT_EQ(t.ui.messageTexts(), std::vector<std::string>{"Done"});
    }
}

TEST(SaveAsPng, FailuresWriteNothingAndReportNoSuccess) {
    struct Case {
        const char* what;
        bool listCommand;
        std::size_t row;
        std::string converterBody;  ///< empty: no converter at all
        bool asksForPath;
        std::string message;  ///< how the one message starts
    };
    const Case cases[] = {
        {"missing converter", false, 0, "", false, "Missing!"},
        {"converter writes nothing", false, 0, "exit 0", true, "The converter wrote no file!\r"},
        {"converter writes no PNG", true, 0, "echo text > \"$out\"", true,
         "The converter wrote no file!\r"},
        {"picture that cannot be decoded", true, 3, "exit 0", false, "Not Supported GPF!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PngFixture t;
        const std::string keep = t.dir.write("keep.png", "mine");
        t.ws.nConvert = t.dir.file("no-convert");
        if (!c.converterBody.empty()) {
            t.ws.nConvert = t.dir.write("convert", FakeConverterScript(c.converterBody));
            ::chmod(t.ws.nConvert.c_str(), 0755);
        }
        t.ws.selectedRow = c.row;
        if (c.asksForPath) t.ui.choosePath(keep).answer(true);
        if (c.asksForPath && !c.listCommand) t.ui.answer(false);
        c.listCommand ? mnu_PopupPictures_SaveAsPNG_Click(t.ws, t.ui)
                      : mnu_PopupPic_SaveAsPNG_Click(t.ws, t.ui);
        auto texts = t.ui.messageTexts();
        std::erase_if(texts, [](const std::string& text) { return text.ends_with("?"); });
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].substr(0, c.message.size()), c.message);
        EXPECT_TRUE(t.ui.exhausted());
        EXPECT_EQ(ReadWholeFile(keep), "mine");
        EXPECT_FALSE(t.temporaryFilesLeft());
    }
}
