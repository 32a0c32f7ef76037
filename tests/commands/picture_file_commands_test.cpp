#include "commands/picture_file_commands.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QImage>
#include <filesystem>
#include <functional>

#include "common/scripted_ui.h"
#include "common/temp_dir.h"
#include "picture_io/picture_files.h"
#include "workspace/workspace.h"

namespace {

constexpr Cell kBefore{9, 8, 7, 6};

/// A workspace whose picture shows kBefore, with the built converter and a
/// temporary folder of its own.
struct OpenFixture {
    TempDir dir;
    Workspace ws;
    ScriptedUi ui;

    OpenFixture() {
        ws.tempFolder = dir.file("tmp");
        std::filesystem::create_directory(ws.tempFolder);
        ws.nConvert = ConverterProgram();
        ws.setText("str_LarPic", "Too large");
        ws.setText("str_fnExi", "Missing");
        ws.picture.canvas.assign(ws.picture.canvas.size(), kBefore);
        ws.picture.width = 3;
        ws.picture.height = 2;
        ws.pictureInfo = "before";
    }

    [[nodiscard]] bool converterFileLeft() const {
        return std::filesystem::exists(std::filesystem::path(ws.tempFolder) / "PNGtemp.bmp");
    }

    /// A converter that runs `body` with the converter's arguments.
    std::string fakeConverter(const std::string& body) {
        const std::string path =
            dir.write("convert-" + std::to_string(++m_fakes), FakeConverterScript(body));
        ::chmod(path.c_str(), 0755);
        return path;
    }

  private:
    int m_fakes = 0;
};

/// Cells as QImage decodes the file; `alpha` keeps QImage's alpha, else 0 and
/// transparent pixels show the white background.
std::function<Cell(int, int)> QImageCells(const std::string& file, bool alpha) {
    QImage image;
    image.loadFromData(QByteArray::fromStdString(ReadWholeFile(file)));
    image = image.convertToFormat(QImage::Format_ARGB32);
    return [image, alpha](int x, int y) {
        const QRgb p = image.pixel(x, y);
        if (!alpha && qAlpha(p) == 0) return Cell{255, 255, 255, 0};
        return Cell{static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
                    static_cast<std::uint8_t>(qBlue(p)),
                    static_cast<std::uint8_t>(alpha ? qAlpha(p) : 0)};
    };
}

std::function<Cell(int, int)> PatternCells(bool alpha) {
    return [alpha](int x, int y) {
        Cell cell = PatternCell(x, y);
        if (!alpha) cell.fourth = 0;
        return cell;
    };
}

/// Blue, green, red of palette entry `i` of ShortPaletteBmp.
std::uint32_t ShortPaletteColour(std::size_t i) {
    return static_cast<std::uint32_t>(0x102030 * (i + 1));
}

std::function<Cell(int, int)> ShortPaletteCells() {
    return [](int x, int y) {
        const auto index = static_cast<std::size_t>(x + 5 * y);
        if (index >= 4) return Cell{0, 0, 0, 0};
        const std::uint32_t bgr = ShortPaletteColour(index);
        return Cell{static_cast<std::uint8_t>(bgr >> 16), static_cast<std::uint8_t>(bgr >> 8),
                    static_cast<std::uint8_t>(bgr), 0};
    };
}

/// An 8-bit bitmap 5 x 3 whose palette holds only 4 colours, OS/2 1.x (3-byte
/// entries, the count given by the room before the pixels) or Windows (4-byte
/// entries, the count in the header, room for 8). Pixel (x, y) has index
/// x + 5 * y, so most point past the palette.
std::string ShortPaletteBmp(bool os2) {
    const std::size_t header = os2 ? 12 : 40;
    const std::size_t entry = os2 ? 3 : 4;
    const std::size_t room = os2 ? 4 : 8;
    const std::size_t dataOffset = 14 + header + room * entry;
    std::string bytes = "BM" + std::string(dataOffset - 2 + 3 * 8, '\0');
    auto put = [&bytes](std::size_t at, std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
    };
    put(10, static_cast<std::uint32_t>(dataOffset), 4);
    put(14, static_cast<std::uint32_t>(header), 4);
    put(18, 5, os2 ? 2 : 4);
    put(os2 ? 20 : 22, 3, os2 ? 2 : 4);
    put(os2 ? 22 : 26, 1, 2);
    put(os2 ? 24 : 28, 8, 2);
    if (!os2) put(46, 4, 4);
    for (std::size_t i = 0; i < room; ++i) put(14 + header + i * entry, ShortPaletteColour(i), 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x)
            bytes[dataOffset + (2 - y) * 8 + x] = static_cast<char>(x + 5 * y);
    }
    return bytes;
}

}  // namespace

TEST(OpenPictureFile, ReadsEachKindBySignatureWithItsCaptionAndPixels) {
    OpenFixture t;
    const std::string jpegNamedBmp =
        t.dir.write("photo.bmp", ReadWholeFile(TestImage("jpeg/testorig.jpg")));
    struct Case {
        std::string path;
        std::string caption;
        bool hasAlpha;
        std::function<Cell(int, int)> cellAt;  ///< empty: as QImage decodes the file
    };
    const Case cases[] = {
        {t.dir.write("limit.bmp", PatternBmp(240, 320, false)), "240 x 320 :: 24bit", false,
         PatternCells(false)},
        {t.dir.write("alpha.bmp", PatternBmp(5, 3, true)), "5 x 3 :: 32bit", true,
         PatternCells(true)},
        {jpegNamedBmp, "227 x 149 :: 24bit", false, {}},
        {TestImage("gif/testimg.gif"), "227 x 149 :: 8bit", false, {}},
        {TestImage("gif/static_transparent.gif"), "100 x 100 :: 1bit", false, {}},
        {TestImage("bmpsuite/g/pal8topdown.bmp"), "127 x 64 :: 8bit", false, {}},
        {TestImage("bmpsuite/g/pal8os2.bmp"), "127 x 64 :: 8bit", false, {}},
        {TestImage("bmpsuite/g/pal4.bmp"), "127 x 64 :: 4bit", false, {}},
        {TestImage("bmpsuite/g/pal1bg.bmp"), "127 x 64 :: 1bit", false, {}},
        {t.dir.write("short-os2.bmp", ShortPaletteBmp(true)), "5 x 3 :: 8bit", false,
         ShortPaletteCells()},
        {t.dir.write("short-windows.bmp", ShortPaletteBmp(false)), "5 x 3 :: 8bit", false,
         ShortPaletteCells()},
        // A PNG's caption describes the bitmap the converter made of it.
        {TestImage("pngsuite/basn6a08.png"), "32 x 32 :: 32bit", true, {}},
        {TestImage("pngsuite/basn2c08.png"), "32 x 32 :: 24bit", false, {}},
        {TestImage("pngsuite/tbbn3p08.png"), "32 x 32 :: 24bit", false, {}},
        {TestImage("pngsuite/basn0g16.png"), "32 x 32 :: 32bit", true, {}},
        {TestImage("pngsuite/basi4a08.png"), "32 x 32 :: 32bit", true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        ASSERT_TRUE(OpenPictureFile(t.ws, t.ui, c.path));
        EXPECT_EQ(t.ws.pictureInfo, c.caption);
        EXPECT_EQ(t.ws.picture.hasAlpha, c.hasAlpha);
        const auto cellAt = c.cellAt ? c.cellAt : QImageCells(c.path, c.hasAlpha);
        for (int y = 0; y < t.ws.picture.height; ++y) {
            for (int x = 0; x < t.ws.picture.width; ++x) {
                ASSERT_EQ(t.ws.picture.at(x, y), cellAt(x, y)) << x << "," << y;
            }
        }
        EXPECT_FALSE(t.converterFileLeft());
    }
    EXPECT_TRUE(t.ui.dialogs.empty());
    EXPECT_GT(t.ws.previewRevision, 0u) << "the picture is drawn";
}

TEST(OpenPictureFile, RefusesWithAMessageAndLeavesThePictureAsItWas) {
    OpenFixture t;
    const std::string big = t.dir.write("wide.bmp", PatternBmp(241, 1, false));
    const std::string png = TestImage("pngsuite/basn6a08.png");
    const std::string pal2 = TestImage("bmpsuite/q/pal2.bmp");
    const std::string arithmetic = TestImage("jpeg/testimgari.jpg");
    const std::string text = t.dir.write("text.png", "hello");
    const std::string empty = t.dir.write("empty.gif", "");
    const std::string headerOnly = t.dir.write("header.bmp", "BM" + std::string(60, '\0'));
    const std::string wideJpeg = t.dir.write(
        "wide.jpg", codec_test::Hex("FFD8 FFC0 0011 08 0001 00F1 03 0000000000000000000000"));
    const std::string widePng = t.dir.write(
        "wide.png", codec_test::Hex("89504E470D0A1A0A 0000000D 49484452 000000F1 00000001 08 06"));
    const std::string folder = t.dir.file("folder.png");
    std::filesystem::create_directory(folder);
    struct Case {
        const char* what;
        std::string path;
        std::string shown;        ///< the one message, "|" and its title if any
        std::string converter{};  ///< empty: the built one
    };
    const Case cases[] = {
        {"241 x 1", big, "Too large!"},
        {"1 x 321", t.dir.write("tall.bmp", PatternBmp(1, 321, false)), "Too large!"},
        {"JPEG 241 wide", wideJpeg, "Too large!"},
        {"PNG 241 wide", widePng, "Too large!"},
        {"no known first bytes", text, "Not a BMP, GIF, JPEG or PNG file!\r" + text},
        {"0-byte file", empty, "Not a BMP, GIF, JPEG or PNG file!\r" + empty},
        {"a folder", folder, "Missing!\r" + folder},
        {"a missing file", t.dir.file("gone.bmp"), "Missing!\r" + t.dir.file("gone.bmp")},
        {"bitmap header without a size", headerOnly, "Cannot read picture!\r" + headerOnly},
        {"bitmap QImage cannot decode", pal2, "Cannot read picture!\r" + pal2},
        {"JPEG frame type without a size", arithmetic, "Cannot read picture!\r" + arithmetic},
        {"broken PNG signature", TestImage("pngsuite/xcrn0g04.png"), "This is not PNG!"},
        {"converter missing", png, "Missing! | nConvert", t.dir.file("no-convert")},
        {"converter writes nothing", png, "The converter wrote no file!\r" + png + " | nConvert",
         t.fakeConverter("exit 0")},
        {"converter answers with a PNG", png, "Not a BMP, GIF, JPEG or PNG file!\r" + png,
         t.fakeConverter("cp \"$in\" \"$out\"")},
        {"converted bitmap over the limit", png, "Too large!",
         t.fakeConverter("cp '" + big + "' \"$out\"")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        t.ui.dialogs.clear();
        t.ws.nConvert = c.converter.empty() ? ConverterProgram() : c.converter;
        EXPECT_FALSE(OpenPictureFile(t.ws, t.ui, c.path));
        EXPECT_EQ(t.ui.transcript(), std::vector<std::string>{c.shown});
        EXPECT_EQ(t.ws.pictureInfo, "before");
        EXPECT_EQ(t.ws.picture.width, 3);
        EXPECT_EQ(t.ws.picture.at(0, 0), kBefore);
        EXPECT_EQ(t.ws.previewRevision, 0u);
        EXPECT_FALSE(t.converterFileLeft());
    }
}

// A converter named without a folder is the one in the current folder.
TEST(OpenPictureFile, ShellCharactersInTheNameAreOnlyAName) {
    OpenFixture t;
    const std::string name = "-o $(touch pwned); \"q\" 'a' `touch pwned2`.png";
    t.dir.write(name, ReadWholeFile(TestImage("pngsuite/basn2c08.png")));
    std::filesystem::create_symlink(ConverterProgram(), t.dir.file("pictavo-convert"));
    t.ws.nConvert = "pictavo-convert";
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(t.dir.path());
    const bool opened = OpenPictureFile(t.ws, t.ui, name);
    std::filesystem::current_path(previous);
    EXPECT_TRUE(opened);
    EXPECT_EQ(t.ws.pictureInfo, "32 x 32 :: 24bit");
    EXPECT_FALSE(std::filesystem::exists(t.dir.file("pwned")));
    EXPECT_FALSE(std::filesystem::exists(t.dir.file("pwned2")));
}
