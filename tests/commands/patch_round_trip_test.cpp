// The weight-bearing check of the patch writer: replacements of every depth
// and size class staged on realistic images of both platforms and both entry
// formats, the patch applied by the verifier and the patched copy read back,
// and the patch read back by the extractor.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "codec/picture_decoder.h"
#include "codec/picture_type.h"
#include "commands/extract_commands.h"
#include "commands/fullflash_commands.h"
#include "commands/patch_commands.h"
#include "commands/preview_commands.h"
#include "commands/staging_commands.h"
#include "common/scripted_ui.h"
#include "compare/fullflash_comparison.h"
#include "devtools/seeded_random.h"
#include "devtools/test_files.h"
#include "fullflash/picture_table.h"
#include "patch/patch_report.h"
#include "patch/patch_verifier.h"
#include "patch/picture_places.h"
#include "ui/silent_ui.h"
#include "workspace/workspace.h"

namespace {

enum class SizeClass { Equal, Smaller, Larger, Tiny, OddTail, Tall };

struct Replacement {
    std::size_t row;
    SizeClass size;
    GPFcodec::GpfHeader header;  ///< of the staging file
    DecodedPicture staged;       ///< the staging file decoded
};

/// Cells of the picture's own width x height, the fourth byte only where it means something.
std::vector<Cell> pixels(const DecodedPicture& picture) {
    std::vector<Cell> cells;
    for (int y = 0; y < picture.canvasRows(); ++y) {
        for (int x = 0; x < picture.canvasColumns(); ++x) {
            Cell cell = picture.at(x, y);
            if (!picture.hasAlpha) cell.fourth = 0;
            cells.push_back(cell);
        }
    }
    return cells;
}

std::optional<DecodedPicture> decode(std::span<const std::uint8_t> flash,
                                     const PictureEntry& entry) {
    DecodedPicture picture;
    SilentUi quiet;
    const auto type = GPFcodec::TypeInfoFromCode(entry.type);
    ByteCursor in(flash, entry.dataOffset);
    if (!GPFcodec::DecodePicture(picture, quiet, in, 0, entry.width, entry.height, type.compressed,
                                 type.bitDepth)) {
        return std::nullopt;
    }
    return picture;
}

constexpr int kCodes[] = {0x01, 0x05, 0x08, 0x0A, 0x85, 0x88, 0x8A};

/// Width and height of a replacement of `entry` in a size class.
std::pair<int, int> dimensions(SizeClass size, const PictureEntry& entry, SeededRandom& random) {
    const int w = static_cast<int>(entry.width);
    const int h = static_cast<int>(entry.height);
    switch (size) {
        case SizeClass::Equal:
            return {w, h};
        case SizeClass::Smaller:
            return {std::max(1, w / 2), std::max(1, h / 2)};
        case SizeClass::Larger:
            return {std::min(240, w + random.between(8, 40)),
                    std::min(200, h + random.between(8, 40))};
        case SizeClass::Tiny:
            return {random.between(1, 3), random.between(1, 3)};
        case SizeClass::OddTail:
            return {random.between(1, 15) * 2 + 1, 1};
        case SizeClass::Tall:
            return {random.between(1, 4), random.between(256, 320)};
    }
    return {1, 1};
}

/// Stages random pixels for `row` through the load command's own staging step.
Replacement stage(Workspace& ws, Ui& ui, std::size_t row, SizeClass size, int code,
                  SeededRandom& random) {
    const auto [width, height] = dimensions(size, ws.rows[row].entry, random);
    ws.picture.width = static_cast<std::int16_t>(width);
    ws.picture.height = static_cast<std::int16_t>(height);
    ws.picture.hasAlpha = random.between(0, 1) == 1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            ws.picture.at(x, y) = {random.byte(), random.byte(), random.byte(), random.byte()};
        }
    }
    EXPECT_EQ(StageShownPicture(ws, ui, row, code), StageOutcome::Staged);
    return {row, size, {}, ws.picture};
}

/// Replacements of every class: exact fits on uncompressed pictures, and the
/// others on random rows with random codes, the last row among them.
std::vector<Replacement> stageMany(Workspace& ws, Ui& ui, std::uint64_t seed) {
    SeededRandom random(seed);
    std::vector<Replacement> staged;
    std::set<std::size_t> used;
    for (std::size_t row = 0; row < ws.rows.size() && staged.size() < 4; ++row) {
        const std::uint8_t type = ws.rows[row].entry.type;
        if ((type == 0x01 || type == 0x05 || type == 0x08 || type == 0x0A) &&
            used.insert(row).second) {
            staged.push_back(stage(ws, ui, row, SizeClass::Equal, type, random));
        }
    }
    const std::size_t last = ws.rows.size() - 1;
    if (used.insert(last).second)
        staged.push_back(stage(ws, ui, last, SizeClass::Smaller, 0x88, random));
    const SizeClass classes[] = {SizeClass::Smaller, SizeClass::Larger, SizeClass::Tiny,
                                 SizeClass::OddTail};
    for (int i = 0; i < 24; ++i) {
        const auto row = static_cast<std::size_t>(random.between(0, static_cast<int>(last)));
        if (!used.insert(row).second) continue;
        const SizeClass size = classes[i % 4];
        // Uncompressed 24 bit of a larger size never fits the old place; odd
        // tails come from 8-bit rows of odd length.
        const int code = size == SizeClass::Larger    ? 0x0A
                         : size == SizeClass::OddTail ? 0x05
                                                      : kCodes[random.between(0, 6)];
        staged.push_back(stage(ws, ui, row, size, code, random));
    }
    // Heights above 255 only a 12-byte entry can list.
    if (EntryFormatFor(ws.flash.NewSGold, ws.flash.mModel) == EntryFormat::Long) {
        std::size_t row = 0;
        while (used.contains(row)) ++row;
        staged.push_back(stage(ws, ui, row, SizeClass::Tall, 0x88, random));
    }
    for (Replacement& r : staged) {
        const std::string file = ReadWholeFile(StagingFilePath(ws, r.row));
        ByteCursor in({reinterpret_cast<const std::uint8_t*>(file.data()), file.size()});
        r.header = GPFcodec::ParseGpfHeader(in).value();
        Workspace scratch;
        ShowGpfFile(scratch, ui, StagingFilePath(ws, r.row));
        r.staged = scratch.picture;
        // The extractor ends a picture at a data row of sixteen FF bytes (the
        // writer's erased rows); random pixels make no such row.
        for (std::size_t at = 0; at + 16 <= r.staged.dataSize; at += 16) {
            EXPECT_NE(file.substr(GPFcodec::kGpfHeaderSize + at, 16), std::string(16, '\xFF'))
                << "row " << r.row << ": choose another seed";
        }
    }
    return staged;
}

/// An image loaded, replacements staged, one more bold row without a staging
/// file (it gets only its comment, between placed pictures), and the patch
/// written.
struct WrittenPatch {
    TempDir dir;
    Workspace ws;
    ScriptedUi ui;
    std::vector<std::uint8_t> flash;
    std::vector<Replacement> staged;
    std::string patch = dir.file("patch.vkp");

    explicit WrittenPatch(const MkflashOptions& options) {
        ws.tempFolder = dir.path().string();
        const std::string path = WriteFlashPath(dir, options);
        EXPECT_TRUE(LoadFullflash(ws, ui, path));
        flash = ReadBytes(path);
        staged = stageMany(ws, ui, 2);
        std::size_t unplaced = 0;
        while (ws.rows[unplaced].changed) ++unplaced;
        ws.rows[unplaced].changed = true;
        const auto written = WritePatchTo(ws, ui, patch);
        EXPECT_EQ(written.value_or(PatchWritten{}).notPlaced.size(), 1u);
        EXPECT_TRUE(ui.messageTexts().empty());
    }
};

// Every replacement reads back as staged from the verifier's patched copy, no
// other byte changes, and the extractor gives back every staged picture, named
// by the file-name rule. A 15-byte tail written in place carries one FF that no
// decode reaches.
TEST(PatchRoundTrip, ReplacedPicturesDecodeAndExtractAsStagedAndNothingElseChanges) {
    const struct {
        MkflashOptions image;
        bool hexFilename;
        bool zeroFilename;
    } cases[] = {{SmallSGold(40), false, true},
                 {SmallNewSGold("E71", 40), true, false},
                 {SmallNewSGold("C81", 40), false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.image.model);
        WrittenPatch w(c.image);
        const auto& flash = w.flash;
        const PatchResult result = VerifyPatch(flash, ReadWholeFile(w.patch));
        ASSERT_TRUE(result.check.clean()) << PatchReport(result.check, "\n", 20);
        const std::vector<PictureEntry> before = ScanFullflash(flash).entries;
        const std::vector<PictureEntry> after = ScanFullflash(result.patched).entries;
        ASSERT_EQ(after.size(), before.size());

        std::set<std::size_t> replacedRows;
        std::vector<std::pair<std::uint64_t, std::uint64_t>> allowed;  // what the patch may change
        const PicturePlaces places(flash, before);
        for (const Replacement& r : w.staged) {
            replacedRows.insert(r.row);
            const PictureEntry& entry = after[r.row];
            const auto picture = decode(result.patched, entry);
            ASSERT_TRUE(picture.has_value()) << "row " << r.row;
            EXPECT_EQ(pixels(*picture), pixels(r.staged)) << "row " << r.row;
            EXPECT_EQ(picture->dataSize, r.staged.dataSize) << "row " << r.row;
            if (r.size == SizeClass::Equal) {
                EXPECT_EQ(entry.dataOffset, before[r.row].dataOffset);
            }
            if (r.size == SizeClass::Larger) {
                EXPECT_NE(entry.dataOffset, before[r.row].dataOffset);
            }
            const auto& old = before[r.row];
            allowed.push_back({old.entryOffset, old.entryOffset + 12});
            if (const auto end = places.inPlaceEnd(r.row))
                allowed.push_back({old.dataOffset, *end});
        }
        for (const PictureDifference& d : ComparePictures(flash, before, result.patched, after)) {
            EXPECT_TRUE(replacedRows.contains(static_cast<std::size_t>(d.number)))
                << "picture " << d.number << " changed";
        }
        for (std::size_t at = 0; at < flash.size(); ++at) {
            if (flash[at] == result.patched[at]) continue;
            const bool inside = flash[at] == 0xFF ||
                                std::any_of(allowed.begin(), allowed.end(), [at](const auto& a) {
                                    return at >= a.first && at < a.second;
                                });
            ASSERT_TRUE(inside) << "byte " << at << " changed outside the replaced pictures";
        }

        w.ws.HEXFilename = c.hexFilename;
        w.ws.ZeroFilename = c.zeroFilename;
        std::map<std::string, const Replacement*> expected;
        for (const Replacement& r : w.staged) {
            const auto name =
                GPFcodec::PictureFileNameFor(r.header.pictureNumber, c.hexFilename, c.zeroFilename);
            expected[name.base + (r.header.typeCode <= 10 ? ".gpf" : ".gpf2")] = &r;
        }
        const std::string folder = w.dir.file("out") + "/";
        std::filesystem::create_directory(folder);
        const ExtractionEnd end = ExtractFromVkpFile(w.ws, w.ui, w.patch, folder);
        EXPECT_FALSE(end.failed);
        EXPECT_EQ(end.written, static_cast<int>(expected.size()));

        const bool longEntries =
            EntryFormatFor(w.ws.flash.NewSGold, w.ws.flash.mModel) == EntryFormat::Long;
        for (const auto& file : std::filesystem::directory_iterator(folder)) {
            const std::string name = file.path().filename();
            const auto want = expected.find(name);
            ASSERT_NE(want, expected.end()) << name << " is no staged picture";
            const Replacement& r = *want->second;
            const std::string bytes = ReadWholeFile(file.path());
            ByteCursor in({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
            GPFcodec::GpfHeader header = GPFcodec::ParseGpfHeader(in).value();
            EXPECT_EQ(header.gpf2, longEntries) << name;
            header.gpf2 = r.header.gpf2;
            EXPECT_EQ(header, r.header) << name;
            EXPECT_EQ(bytes.size() % 16, 0u) << name;
            Workspace scratch;
            ASSERT_TRUE(ShowGpfFile(scratch, w.ui, file.path())) << name;
            EXPECT_EQ(pixels(scratch.picture), pixels(r.staged)) << name;
            EXPECT_EQ(scratch.picture.dataSize, r.staged.dataSize) << name;
            expected.erase(want);
        }
        EXPECT_TRUE(expected.empty()) << expected.size() << " staged pictures not extracted";
    }
}

}  // namespace
