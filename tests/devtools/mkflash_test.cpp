#include "devtools/mkflash.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <algorithm>
#include <set>

#include "codec/picture_decoder.h"
#include "codec/picture_type.h"
#include "common/scripted_ui.h"
#include "compare/shown_pixels.h"
#include "devtools/flash_edits.h"
#include "devtools/picture_streams.h"
#include "devtools/test_files.h"
#include "fullflash/identification.h"
#include "support/basic_calculations.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr SourcePixel kBlack{0, 0, 0};
constexpr SourcePixel kWhite{255, 255, 255};
constexpr SourcePixel kBlue{0, 0, 255};
constexpr SourcePixel kClear{0, 0, 0, true};

std::vector<SourcePixel> repeat(const SourcePixel& pixel, std::size_t times) {
    return std::vector<SourcePixel>(times, pixel);
}

std::vector<PictureListEntry> scan(const Bytes& bytes) {
    const FullflashIdentity id = IdentifyFullflash(bytes);
    return ReadPictureTable(bytes, BasicCalculations_Tavik::HexToNumber(id.PITadr),
                            EntryFormatFor(id.NewSGold, id.mModel), nullptr);
}

std::string bytesAt(const Bytes& image, std::uint32_t offset, std::size_t count) {
    return {image.begin() + offset, image.begin() + offset + static_cast<std::ptrdiff_t>(count)};
}

}  // namespace

// The scan of the real code must list exactly the pictures laid out.
TEST(Mkflash, LayoutIsWhatTheScanFinds) {
    struct Case {
        std::string name;
        MkflashOptions options;
        std::string identity;  // platform | PITadr | entry size | pictures | full
    };
    MkflashOptions sgoldE71 = SmallSGold(30);
    sgoldE71.model = "E71";
    MkflashOptions sgoldFull = SmallSGold(2500);
    sgoldFull.sizeMiB = 8;
    const Case cases[] = {
        {"SGold S65", SmallSGold(25), "SGold|A001C|8|25|0"},
        {"SGold empty table", SmallSGold(0), "SGold|A001C|8|0|0"},
        {"E71 on SGold uses 8 bytes", sgoldE71, "SGold|A001C|8|30|0"},
        {"SGold full table: entry 2001 is not read", sgoldFull, "SGold|A001C|8|2001|1"},
        {"New-SGold EL71", SmallNewSGold("EL71", 20), "New-SGold|0200000|12|20|0"},
        {"New-SGold full 12-byte table", SmallNewSGold("E71", 2501), "New-SGold|0200000|12|2501|1"},
        {"New-SGold S75", SmallNewSGold("S75", 40), "New-SGold|0200000|8|40|0"},
    };
    std::set<std::uint8_t> types;
    for (const Case& c : cases) {
        const MkflashResult result = MakeFullflash(c.options);
        ASSERT_TRUE(result.ok()) << c.name << ": " << result.error;
        const FullflashIdentity id = IdentifyFullflash(result.bytes);
        const MkflashLayout& layout = result.layout;
        EXPECT_EQ(id.platform + "|" + id.PITadr + "|" + std::to_string(layout.entrySize) + "|" +
                      std::to_string(layout.pictures.size()) + "|" +
                      std::to_string(layout.tableFull),
                  c.identity)
            << c.name;
        EXPECT_EQ(id.mModel, c.options.model) << c.name;
        EXPECT_EQ(id.ManufN, "SIEMENS") << c.name;
        EXPECT_EQ(scan(result.bytes), ExpectedRows(layout)) << c.name;
        // Behind a full table lies an entry the scan would take: only its limit stops it.
        const auto entry = static_cast<std::size_t>(layout.entrySize);
        const auto tableEnd = layout.pitOffset + layout.pictures.size() * entry;
        EXPECT_EQ(!layout.pictures.empty() && bytesAt(result.bytes, tableEnd, entry) ==
                                                  bytesAt(result.bytes, layout.pitOffset, entry),
                  layout.tableFull)
            << c.name;
        // Each stream decodes to exactly its own length; the first two
        // pictures are the smallest and the largest the entry can list.
        const std::size_t decoded = std::min<std::size_t>(layout.pictures.size(), 60);
        for (std::size_t i = 0; i < decoded; ++i) {
            const MkflashPicture& p = layout.pictures[i];
            types.insert(p.type);
            const auto type = GPFcodec::TypeInfoFromCode(p.type);
            DecodedPicture picture;
            ScriptedUi ui;
            ByteCursor stream(result.bytes, p.dataOffset);
            ASSERT_TRUE(GPFcodec::DecodePicture(picture, ui, stream, 0, p.width, p.height,
                                                type.compressed, type.bitDepth));
            ASSERT_EQ(picture.dataSize, p.dataSize) << c.name << " picture " << i;
        }
        if (decoded >= 2) {
            EXPECT_EQ(layout.pictures[0].width * 1000 + layout.pictures[0].height, 1001) << c.name;
            EXPECT_EQ(layout.pictures[1].width * 1000 + layout.pictures[1].height,
                      layout.entrySize == 12 ? 240320 : 240255)
                << c.name;
        }
    }
    EXPECT_EQ(types,
              (std::set<std::uint8_t>{0x01, 0x05, 0x07, 0x08, 0x0A, 0x81, 0x85, 0x87, 0x88, 0x8A}));
}

// Where the carver must find them is checked by the carving tests; here,
// that they are real files: PNGs that a PNG reader decodes, kinds in turn,
// two back to back, the extra three ending the image.
TEST(Mkflash, EmbeddedFilesAreRealFilesInTurn) {
    MkflashOptions many = SmallSGold(30);
    many.embeddedFiles = 40;
    many.filesAtEnd = true;
    for (const MkflashOptions& options : {SmallSGold(30), many}) {
        const MkflashResult result = MakeFullflash(options);
        ASSERT_TRUE(result.ok());
        const auto& files = result.layout.embedded;
        ASSERT_EQ(files.size(),
                  static_cast<std::size_t>(options.embeddedFiles + (options.filesAtEnd ? 3 : 0)));
        for (std::size_t i = 0; i < files.size(); ++i) {
            EXPECT_TRUE(i >= 6 || static_cast<std::size_t>(files[i].kind) == i % 3) << i;
            if (files[i].kind != EmbeddedKind::Png) continue;
            const std::string png = bytesAt(result.bytes, files[i].offset, files[i].size);
            EXPECT_FALSE(
                QImage::fromData(QByteArray(png.data(), static_cast<qsizetype>(png.size())))
                    .isNull())
                << i;
        }
        EXPECT_EQ(files[3].offset + files[3].size, files[4].offset);
        EXPECT_EQ(files.back().offset + files.back().size == result.bytes.size(),
                  options.filesAtEnd);
    }
}

// The bounds the command line cannot reach; the others are the program's.
TEST(Mkflash, RefusesWhatCannotBeLaidOut) {
    MkflashOptions badModel = SmallSGold();
    badModel.model = "S6";
    MkflashOptions longMaker = SmallSGold();
    longMaker.manufacturer = "SIEMENS MOBILE AG";
    EXPECT_EQ(MakeFullflash(badModel).error, "the model must have 3 or 4 characters: 'S6'");
    EXPECT_EQ(MakeFullflash(longMaker).error, "the manufacturer has at most 16 characters");
    EXPECT_TRUE(MakeFullflash(longMaker).bytes.empty());

    MkflashOptions version = SmallSGold(10);
    version.versionOf = MkflashVersionOf{1, 0, 6, 5};
    EXPECT_EQ(MakeFullflash(version).error,
              "the image has 10 pictures: too few to remove 6 and change 5");
    version.pictures = 2000;
    version.versionOf = MkflashVersionOf{1, 3, 1, 0};
    EXPECT_EQ(MakeFullflash(version).error,
              "the version would have 2002 pictures; the table holds at most 2001");
}

// A later version shows every kept picture as its origin did, from other
// data; a changed one shows other pixels at its origin's size and depth.
TEST(Mkflash, VersionKeepsWhatItsPicturesShowButNotWhereTheyLie) {
    for (MkflashOptions options : {SmallSGold(40), SmallNewSGold("EL71", 40)}) {
        const MkflashResult image = MakeFullflash(options);
        options.seed = 7;
        options.versionOf = MkflashVersionOf{1, 6, 4, 3};
        const MkflashResult version = MakeFullflash(options);
        ASSERT_TRUE(version.ok()) << version.error;
        EXPECT_EQ(scan(version.bytes), ExpectedRows(version.layout));
        ASSERT_EQ(version.layout.pictures.size(), 42u);
        EXPECT_EQ(version.layout.removed.size(), 4u);
        DecodedPicture scratch;
        const auto shown = [&scratch](const MkflashResult& from, const MkflashPicture& p) {
            return ReadShownPixels(from.bytes, EntryOf(p), scratch);
        };
        int inserted = 0;
        int changed = 0;
        int recompressed = 0;
        int lastOrigin = -1;
        for (const MkflashPicture& p : version.layout.pictures) {
            if (p.origin < 0) {
                ++inserted;
                continue;
            }
            const MkflashPicture& origin =
                image.layout.pictures[static_cast<std::size_t>(p.origin)];
            EXPECT_GT(p.origin, lastOrigin);
            EXPECT_FALSE(std::binary_search(version.layout.removed.begin(),
                                            version.layout.removed.end(), p.origin));
            EXPECT_NE(p.dataOffset, origin.dataOffset);
            EXPECT_EQ(p.type & 0x0F, origin.type & 0x0F);
            EXPECT_EQ(shown(version, p) == shown(image, origin), !p.changed) << p.index;
            changed += p.changed ? 1 : 0;
            recompressed += p.type != origin.type ? 1 : 0;
            lastOrigin = p.origin;
        }
        EXPECT_EQ(inserted, 6);
        EXPECT_EQ(changed, 3);
        EXPECT_GT(recompressed, 0);
    }
}

TEST(Mkflash, MovedPicturesLeaveErasedFlash) {
    const MkflashResult image = MakeFullflash(SmallSGold(5));
    FlashEditor editor(image);
    editor.move(3);
    const MkflashPicture& from = image.layout.pictures[3];
    const MkflashPicture& to = editor.layout().pictures[3];
    EXPECT_EQ(bytesAt(editor.bytes(), to.dataOffset, to.dataSize),
              bytesAt(image.bytes, from.dataOffset, from.dataSize));
    EXPECT_EQ(bytesAt(editor.bytes(), from.dataOffset, from.dataSize),
              std::string(from.dataSize, '\xFF'));
    EXPECT_EQ(scan(editor.bytes()), ExpectedRows(editor.layout()));
}

// Expected bytes worked out by hand from the firmware's stream rules.
TEST(PictureStreams, KindsOfStream) {
    const auto expectStream = [](std::uint8_t type, const std::vector<SourcePixel>& pixels,
                                 const Bytes& stream, int width = 0) {
        const int columns = width > 0 ? width : static_cast<int>(pixels.size());
        EXPECT_EQ(PictureStream(type, columns, static_cast<int>(pixels.size()) / columns, pixels),
                  stream)
            << "type " << int{type} << ", " << pixels.size() << " pixels";
    };
    expectStream(0x01, repeat(kBlack, 20), {0xFF, 0xC0, 0xFF, 0xC0}, 10);  // rows of whole bytes
    expectStream(0x01, {kWhite, kBlack, kWhite}, {0x40});
    expectStream(0x81, repeat(kBlack, 10), {0xCA});
    expectStream(0x81, repeat(kWhite, 70), {0xBF, 0x87});  // runs of at most 63
    // A literal of seven, then a run for the last two.
    expectStream(0x81, {kBlack, kWhite, kBlack, kWhite, kBlack, kWhite, kBlack, kBlack, kBlack},
                 {0x55, 0xC2});
    // Transparent pixels take the format's transparent value, colours that
    // would land on it are nudged off.
    expectStream(0x05, {kWhite, kClear, {0xC0, 0x00, 0x00}}, {0xFF, 0xC0, 0xC1});
    expectStream(0x07, {kClear, kWhite, {0x30, 0x20, 0x10}}, {0xFF, 0x0F, 0xFE, 0x0F, 0x21, 0x03});
    expectStream(0x08, {kClear, {0xE0, 0x00, 0x00}, kBlue, kWhite},
                 {0x00, 0xE0, 0x01, 0xE0, 0x1F, 0x00, 0xFF, 0xFF});
    expectStream(0x0A, {{0x30, 0x20, 0x10}, kClear}, {0x10, 0x20, 0x30, 0xFF, 0, 0, 0, 0});
    expectStream(0x87, repeat(kWhite, 200), {0x7F, 0xFE, 0x0F, 0x49, 0xFE, 0x0F});
    // 8, 16 and 24 bits come from the program's encoder.
    expectStream(0x88, repeat(kBlue, 3), {0x03, 0x1F, 0x00});
    expectStream(0x88, {kClear, kBlue}, {0xFE, 0x00, 0xE0, 0x1F, 0x00});
    expectStream(0x8A, {kClear, kBlue, kBlue}, {0xFF, 0, 0, 0, 0, 0x02, 0xFF, 0, 0, 0xFF});
}

TEST(PictureStreams, LongLiteralsSplitAt128) {
    std::vector<SourcePixel> pixels;
    for (int i = 0; i < 130; ++i) pixels.push_back({static_cast<std::uint8_t>(i), 0, 0});
    const Bytes stream = RunLengthPixelsStream(24, pixels);
    ASSERT_EQ(stream.size(), 1 + 128 * 4 + 1 + 2 * 4u);
    EXPECT_EQ(stream[0], 0x80);
    EXPECT_EQ(stream[1 + 128 * 4], 0xFE);
}

TEST(PictureStreams, PatternsHaveTransparentCorners) {
    for (int pattern = 0; pattern < kPixelPatternCount; ++pattern) {
        const auto pixels = MakePixels(8, 8, static_cast<PixelPattern>(pattern), {10, 20, 30});
        ASSERT_EQ(pixels.size(), 64u);
        EXPECT_TRUE(pixels[0].transparent && pixels[7].transparent && pixels[63].transparent);
        EXPECT_TRUE(pixels[1].transparent && !pixels[2].transparent &&
                    !pixels[3 * 8 + 3].transparent);
    }
    EXPECT_FALSE(MakePixels(3, 3, PixelPattern::Checks, {})[0].transparent);
}
