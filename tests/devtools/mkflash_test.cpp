#include "devtools/mkflash.h"

#include <gtest/gtest.h>

#include <algorithm>

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

std::string bytesAt(const std::vector<std::uint8_t>& image, std::uint32_t offset, std::size_t count) {
    return {image.begin() + offset, image.begin() + offset + static_cast<std::ptrdiff_t>(count)};
}

std::size_t find(const std::vector<std::uint8_t>& image, std::uint32_t from, std::string_view what) {
    const auto it = std::search(image.begin() + from, image.end(), what.begin(), what.end());
    return static_cast<std::size_t>(it - image.begin());
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
    for (const Case& c : cases) {
        const MkflashResult result = MakeFullflash(c.options);
        ASSERT_TRUE(result.ok()) << c.name << ": " << result.error;
        const FlashIdentity id = IdentifyFullflash(result.bytes);
        const MkflashLayout& layout = result.layout;
        EXPECT_EQ(id.platform + "|" + id.PITadr + "|" + std::to_string(layout.entrySize) + "|" +
                      std::to_string(layout.pictures.size()) + "|" + std::to_string(layout.tableFull),
                  c.identity)
            << c.name;
        EXPECT_EQ(id.mModel, c.options.model) << c.name;
        EXPECT_EQ(id.ManufN, "SIEMENS") << c.name;
        EXPECT_EQ(scan(result.bytes), ExpectedRows(layout)) << c.name;
    }
}

TEST(Mkflash, PicturesCoverEveryTypeAndLieBackToBack) {
    const MkflashResult result = MakeFullflash(SmallNewSGold("E71", 40));
    ASSERT_TRUE(result.ok());
    const auto& pictures = result.layout.pictures;
    std::vector<std::uint8_t> types;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        types.push_back(pictures[i].type);
        EXPECT_GE(pictures[i].width, 1);
        EXPECT_LE(pictures[i].width, 240);
        EXPECT_LE(pictures[i].height, 320);
        if (i > 0) {
            EXPECT_EQ(pictures[i].dataOffset, pictures[i - 1].dataOffset + pictures[i - 1].dataSize);
        }
    }
    std::sort(types.begin(), types.end());
    types.erase(std::unique(types.begin(), types.end()), types.end());
    EXPECT_EQ(types, (std::vector<std::uint8_t>{0x01, 0x05, 0x07, 0x08, 0x0A, 0x81, 0x85, 0x87, 0x88, 0x8A}));
    EXPECT_EQ(pictures[0].width * 1000 + pictures[0].height, 1001);
    EXPECT_EQ(pictures[1].width * 1000 + pictures[1].height, 240320);
}

// Each embedded file is exactly what a carver cuts out between its start and
// end signatures.
TEST(Mkflash, EmbeddedFilesEndAtTheirEndSignatures) {
    MkflashOptions many = SmallSGold(30);
    many.embeddedFiles = 40;
    many.filesAtEnd = true;
    for (const MkflashOptions& options : {SmallSGold(30), SmallNewSGold("E71", 30), many}) {
        const MkflashResult result = MakeFullflash(options);
        ASSERT_TRUE(result.ok());
        const auto& image = result.bytes;
        std::vector<EmbeddedKind> kinds;
        for (const MkflashEmbedded& file : result.layout.embedded) {
            kinds.push_back(file.kind);
            const std::uint32_t end = file.offset + file.size;
            switch (file.kind) {
            case EmbeddedKind::Png:
                EXPECT_EQ(bytesAt(image, file.offset, 8), "\x89PNG\r\n\x1A\n");
                EXPECT_EQ(bytesAt(image, file.offset + 12, 4), "IHDR");
                EXPECT_EQ(find(image, file.offset, "IEND") + 8, end);
                // The CRC of an empty IEND chunk is the same in every PNG.
                EXPECT_EQ(bytesAt(image, end - 4, 4), "\xAE\x42\x60\x82");
                break;
            case EmbeddedKind::Gif:
                EXPECT_EQ(bytesAt(image, file.offset, 6), "GIF89a");
                EXPECT_EQ(find(image, file.offset, std::string_view("\x00\x3B", 2)) + 2, end);
                break;
            case EmbeddedKind::Xml:
                EXPECT_EQ(bytesAt(image, file.offset, 6), "<?xml ");
                EXPECT_EQ(find(image, file.offset, std::string_view(" \x00", 2)), end);
                break;
            }
        }
        kinds.resize(6);
        EXPECT_EQ(kinds, (std::vector{EmbeddedKind::Png, EmbeddedKind::Gif, EmbeddedKind::Xml, EmbeddedKind::Png,
                                      EmbeddedKind::Gif, EmbeddedKind::Xml}));
        const auto& last = result.layout.embedded.back();
        EXPECT_EQ(last.offset + last.size == image.size(), options.filesAtEnd);
        EXPECT_EQ(result.layout.embedded.size(), static_cast<std::size_t>(options.embeddedFiles + (options.filesAtEnd ? 3 : 0)));
        EXPECT_EQ(result.layout.embedded[3].offset + result.layout.embedded[3].size, result.layout.embedded[4].offset);
    }
}

// source: the check value of CRC-32 in the catalogue of parametrised CRCs
TEST(Mkflash, Crc32CheckValue) {
    const std::string_view text = "123456789";
    EXPECT_EQ(Crc32({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}), 0xCBF43926u);
}

TEST(Mkflash, ErasedFlashWhereTheFreeSpaceSearchLooks) {
    for (const MkflashOptions& options : {SmallSGold(10), SmallNewSGold("E71", 10)}) {
        const MkflashResult result = MakeFullflash(options);
        ASSERT_TRUE(result.ok());
        const MkflashLayout& layout = result.layout;
        EXPECT_EQ(layout.freeSpaceStart, options.platform == MkflashPlatform::SGold ? 0x40000u : 0x1000000u);
        // Some code first, so a search has a block to step over.
        EXPECT_NE(bytesAt(result.bytes, layout.freeSpaceStart, 16), std::string(16, '\xFF'));
        const auto behind = std::find_if(layout.erased.begin(), layout.erased.end(), [&](const MkflashRegion& r) {
            return r.offset > layout.freeSpaceStart && r.offset < layout.freeSpaceStart + 0x1000;
        });
        ASSERT_NE(behind, layout.erased.end());
        for (const MkflashRegion& region : layout.erased) {
            EXPECT_EQ(bytesAt(result.bytes, region.offset, region.size), std::string(region.size, '\xFF'));
        }
        EXPECT_EQ(layout.erased.back().offset + layout.erased.back().size, result.bytes.size());
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
        {"SGold size", tooSmall, "--size-mib 1 is too small for this layout: it needs at least 2 MiB"},
        {"New-SGold size", newSGoldSmall, "--size-mib 16 is too small for this layout: it needs at least 17 MiB"},
        {"model", badModel, "the model must have 3 or 4 characters: 'S6'"},
        {"manufacturer", longMaker, "the manufacturer has at most 16 characters"},
    };
    for (const Case& c : cases) {
        const MkflashResult result = MakeFullflash(c.options);
        EXPECT_EQ(result.error, c.error) << c.name;
        EXPECT_TRUE(result.bytes.empty()) << c.name;
    }
}
