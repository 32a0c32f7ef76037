#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <tuple>

#include "cli/run_program.h"
#include "codec/bmp_writer.h"
#include "commands/bmp_commands.h"
#include "commands/picture_file_commands.h"
#include "commands/png_commands.h"
#include "commands/preview_commands.h"
#include "common/loaded_workspace.h"
#include "devtools/test_files.h"
#include "picture_io/picture_files.h"
#include "picture_io/png_chunks.h"

namespace {

/// The sample pictures and the built converter.
struct SaveFixture : LoadedWorkspace {
    SaveFixture() : LoadedWorkspace(SamplePictures(true)) {
        ws.nConvert = ConverterProgram();
        for (const auto& [key, text] : {std::pair{"str_PlSel", "Select"},
                                        {"str_4save", "to save"},
                                        {"str_SalCh", "Alpha"},
                                        {"str_Succes", "Done"},
                                        {"str_fnExi", "Missing"}}) {
            ws.setText(key, text);
        }
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

/// Whether the bitmap or PNG written keeps an alpha channel.
bool KeepsAlpha(const std::string& path) {
    const std::string bytes = ReadWholeFile(path);
    if (path.ends_with(".bmp")) return bytes.size() > 28 && bytes[28] == 32;
    const auto info = PNGcodec::ReadPngInfo(AsBytes(bytes));
    return info && info->colourType == 6;
}

using Command = void (*)(Workspace&, Ui&);

}  // namespace

TEST(SaveShownPicture, AsksNameOverwriteAndAlphaThenWritesBmpOrPng) {
    const struct {
        Command save;
        std::string extension;
        std::string filter;
    } cases[] = {
        {mnu_PopupPic_SaveAsBMP_Click, ".bmp", "Bitmap File (*.bmp) |  | "},
        {mnu_PopupPic_SaveAsPNG_Click, ".png", "Portable Network Graphic files (*.png) |  | "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extension);
        SaveFixture t;
        t.show(2);
        const std::string chosen = t.dir.file("pic");
        const std::string written = t.dir.write("pic" + c.extension, "old");
        t.ui.choosePath(chosen + " !\"'(  ").answer(true).answer(true);
        c.save(t.ws, t.ui);
        EXPECT_EQ(t.ui.transcript(),
                  (std::vector<std::string>{"save: Select File to save | " + c.filter,
                                            "? " + written + "\r? | !", "? Alpha?", "Done"}));
        EXPECT_TRUE(KeepsAlpha(written));
        EXPECT_EQ(c.extension == ".png" ? BackToBmp(t.dir, written) : ReadWholeFile(written),
                  GPFcodec::BmpFileBytes(t.ws.picture, true));
        EXPECT_FALSE(t.temporaryFilesLeft());

        t.ui.dialogs.clear();
        t.dir.write("pic" + c.extension, "old");
        t.ui.choosePath(chosen).answer(false);
        c.save(t.ws, t.ui);
        EXPECT_EQ(t.ui.dialogs.size(), 2u) << "a cancelled overwrite ends the command";
        EXPECT_EQ(ReadWholeFile(written), "old");
    }
}

TEST(SaveSelectedPicture, NamedByTheFileNameRuleWithAlphaExactlyWhenThePictureHasIt) {
    const struct {
        Command save;
        bool hex;
        bool zero;
        std::size_t row;
        std::string name;
        bool alpha;
    } cases[] = {
        {mnu_PopupPictures_SaveAsBMP_Click, false, true, 1, "0001.bmp", true},
        {mnu_PopupPictures_SaveAsBMP_Click, true, true, 2, "002.bmp", false},
        {mnu_PopupPictures_SaveAsBMP_Click, false, false, 0, "0.bmp", false},
        {mnu_PopupPictures_SaveAsPNG_Click, false, true, 1, "0001.png", true},
        {mnu_PopupPictures_SaveAsPNG_Click, true, true, 2, "002.png", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SaveFixture t;
        t.ws.HEXFilename = c.hex;
        t.ws.ZeroFilename = c.zero;
        t.ws.selectedRow = c.row;
        t.ui.choosePath(t.dir.file(c.name));
        c.save(t.ws, t.ui);
        EXPECT_EQ(t.ui.dialogs.at(0).request.initialName, c.name.substr(0, c.name.size() - 4));
        EXPECT_EQ(t.ws.am, c.hex ? 3 : 4);
        EXPECT_EQ(KeepsAlpha(t.dir.file(c.name)), c.alpha);
        EXPECT_EQ(t.ui.messageTexts(), std::vector<std::string>{"Done"});
    }
}

// Only a batch that went through ends with the closing message.
TEST(SaveAllAsBmp, WritesEveryPictureUnlessCancelledOrTheFolderIsUnwritable) {
    LoadedWorkspace t(SamplePictures());
    t.ui.chooseFolder("");
    mnu_PopupPictures_SaveAsBMPs_Click(t.ws, t.ui);
    const std::string folder = t.dir.file("out");
    std::filesystem::create_directory(folder);
    t.ui.chooseFolder(folder);
    SelectAndShow(t.ws, t.ui, 1);
    const std::string shown = t.ws.pictureInfo;
    mnu_PopupPictures_SaveAsBMPs_Click(t.ws, t.ui);
    for (const char* name : {"/0000.bmp", "/0001.bmp", "/0002.bmp"}) {
        EXPECT_TRUE(std::filesystem::exists(folder + name)) << name;
    }
    EXPECT_TRUE(KeepsAlpha(folder + "/0001.bmp"));
    EXPECT_FALSE(KeepsAlpha(folder + "/0002.bmp"));
    EXPECT_EQ(t.ui.progressValues.back(), 100);
    EXPECT_EQ(*t.ws.selectedRow, 1u) << "the selection is given back";
    EXPECT_EQ(t.ws.pictureInfo, shown);
    EXPECT_EQ(t.ws.statusNote, "3 files written to " + folder + "/");

    t.ui.chooseFolder(folder).answer(false);
    mnu_PopupPictures_SaveAsBMPs_Click(t.ws, t.ui);
    const std::string unwritable = t.dir.file("no such folder");
    t.ui.chooseFolder(unwritable);
    mnu_PopupPictures_SaveAsBMPs_Click(t.ws, t.ui);
    const std::string prompt = "folder:   ";  // empty texts, blanks kept
    EXPECT_EQ(t.ui.transcript(), (std::vector<std::string>{
                                     prompt, prompt, "", prompt, "? " + folder + "/0000.bmp\r? | !",
                                     prompt, "Cannot write!\r" + unwritable + "/0000.bmp"}));
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
        SaveFixture t;
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

// With the setting on, transparent pixels leave as alpha 0 and come back as
// transparent: for every firmware type, the PNG read again shows the same
// picture. Off, a picture without alpha leaves with the marker's colour.
TEST(SaveAsPng, TransparentPixelsAsAlphaComeBackTheSame) {
    TempDir source;
    LoadedWorkspace t(ReadWholeFile(WriteFlashPath(source, SmallSGold(10))));
    t.ws.nConvert = ConverterProgram();
    std::set<int> types;
    for (const bool alpha : {false, true}) {
        t.ws.pngAlpha = alpha;
        const std::string folder = t.dir.file(alpha ? "alpha" : "marker") + "/";
        std::filesystem::create_directory(folder);
        ASSERT_EQ(SavePicturesAsPng(t.ws, t.ui, folder).written, 10);
        for (std::size_t row = 0; row < t.ws.rows.size(); ++row) {
            SelectAndShow(t.ws, t.ui, row);
            const DecodedPicture original = t.ws.picture;
            types.insert(t.ws.rows[row].entry.type);
            const std::string png = folder + t.ws.rows[row].index + ".png";
            EXPECT_EQ(KeepsAlpha(png), alpha || original.hasAlpha) << png;
            if (!alpha) continue;
            ASSERT_TRUE(OpenPictureFile(t.ws, t.ui, png)) << png;
            for (int y = 0; y < original.height; ++y) {
                for (int x = 0; x < original.width; ++x) {
                    const Cell& was = original.at(x, y);
                    const Cell& is = t.ws.picture.at(x, y);
                    const bool transparent =
                        original.hasAlpha ? was.fourth == 0 : isTransparencyMarker(was);
                    ASSERT_EQ(is.fourth == 0, transparent) << png << " at " << x << "," << y;
                    if (!transparent) {
                        ASSERT_EQ(std::tie(is.red, is.green, is.blue),
                                  std::tie(was.red, was.green, was.blue))
                            << png << " at " << x << "," << y;
                    }
                }
            }
        }
    }
    EXPECT_EQ(types.size(), 10u) << "every type, compressed and not";
}
