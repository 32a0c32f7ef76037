#include "devtools/mkflash.h"

#include <gtest/gtest.h>

#include <set>

#include "codec/picture_decoder.h"
#include "codec/picture_type.h"
#include "common/scripted_ui.h"
#include "devtools/embedded_files.h"
#include "devtools/test_files.h"
#include "fullflash/identification.h"
#include "support/basic_calculations.h"

namespace {

std::vector<PictureListEntry> scan(const std::vector<std::uint8_t>& bytes) {
    const FlashIdentity id = IdentifyFullflash(bytes);
    return ReadPictureTable(bytes, BasicCalculations_Tavik::HexToNumber(id.PITadr),
                            EntryFormatFor(id.NewSGold, id.mModel), nullptr);
}

std::string bytesAt(const std::vector<std::uint8_t>& image, std::uint32_t offset,
                    std::size_t count) {
    return {image.begin() + offset, image.begin() + offset + static_cast<std::ptrdiff_t>(count)};
}

}  // namespace

TEST(Mkflash, SameSeedSameBytesOtherSeedOtherPictures) {
    MkflashOptions options = SmallNewSGold("E71", 60);
    const MkflashResult first = MakeFullflash(options);
    const MkflashResult again = MakeFullflash(options);
    ASSERT_TRUE(first.ok()) << first.error;
    EXPECT_TRUE(first.bytes == again.bytes);
    options.seed = 2;
    const MkflashResult other = MakeFullflash(options);
    EXPECT_FALSE(first.bytes == other.bytes);
    EXPECT_FALSE(ExpectedRows(first.layout) == ExpectedRows(other.layout));
}

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
        const FlashIdentity id = IdentifyFullflash(result.bytes);
        const MkflashLayout& layout = result.layout;
        EXPECT_EQ(id.platform + "|" + id.PITadr + "|" + std::to_string(layout.entrySize) + "|" +
                      std::to_string(layout.pictures.size()) + "|" +
                      std::to_string(layout.tableFull),
                  c.identity)
            << c.name;
        EXPECT_EQ(id.mModel, c.options.model) << c.name;
        EXPECT_EQ(id.ManufN, "SIEMENS") << c.name;
        EXPECT_EQ(scan(result.bytes), ExpectedRows(layout)) << c.name;
        // Each stream decodes to exactly its own length; the first two
        // pictures are the smallest and the largest the entry can list.
        const std::size_t decoded = std::min<std::size_t>(layout.pictures.size(), 60);
        for (std::size_t i = 0; i < decoded; ++i) {
            const MkflashPicture& p = layout.pictures[i];
            types.insert(p.type);
            const auto type = GPFcodec::TypeInfoFromText(GPFcodec::TypeTextFromCode(p.type));
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
// that they are real files: PNGs with their header chunk and the IEND CRC,
// kinds in turn, two back to back, the extra three ending the image.
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
            EXPECT_EQ(bytesAt(result.bytes, files[i].offset + 12, 4), "IHDR");
            // The CRC of an empty IEND chunk is the same in every PNG.
            EXPECT_EQ(bytesAt(result.bytes, files[i].offset + files[i].size - 12, 12),
                      std::string("\0\0\0\0IEND\xAE\x42\x60\x82", 12));
        }
        EXPECT_EQ(files[3].offset + files[3].size, files[4].offset);
        EXPECT_EQ(files.back().offset + files.back().size == result.bytes.size(),
                  options.filesAtEnd);
    }
}

TEST(Mkflash, RefusesWhatCannotBeLaidOut) {
    struct Case {
        std::string name;
        MkflashOptions options;
        std::string error;
    };
    MkflashOptions tooSmall = SmallSGold(200);
    tooSmall.sizeMiB = 1;
    MkflashOptions newSGoldSmall = SmallNewSGold("E71", 1);
    newSGoldSmall.sizeMiB = 16;
    MkflashOptions badModel = SmallSGold();
    badModel.model = "S6";
    MkflashOptions longMaker = SmallSGold();
    longMaker.manufacturer = "SIEMENS MOBILE AG";
    const Case cases[] = {
        {"SGold size", tooSmall,
         "--size-mib 1 is too small for this layout: it needs at least 2 MiB"},
        {"New-SGold size", newSGoldSmall,
         "--size-mib 16 is too small for this layout: it needs at least 17 MiB"},
        {"model", badModel, "the model must have 3 or 4 characters: 'S6'"},
        {"manufacturer", longMaker, "the manufacturer has at most 16 characters"},
    };
    for (const Case& c : cases) {
        const MkflashResult result = MakeFullflash(c.options);
        EXPECT_EQ(result.error, c.error) << c.name;
        EXPECT_TRUE(result.bytes.empty()) << c.name;
    }
}
