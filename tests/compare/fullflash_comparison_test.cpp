#include <gtest/gtest.h>

#include "common/flash_builder.h"
#include "compare/comparison_report.h"
#include "compare/fullflash_comparison.h"

namespace {

std::span<const std::uint8_t> asBytes(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

std::string report(const std::string& a, const std::string& b) {
    const ScannedFullflash scannedA = ScanFullflash(asBytes(a));
    const ScannedFullflash scannedB = ScanFullflash(asBytes(b));
    const auto differences =
        ComparePictures(asBytes(a), scannedA.entries, asBytes(b), scannedB.entries);
    std::string text;
    for (const PictureDifference& difference : differences)
        text += DifferenceLine(difference) + "\n";
    return text + ComparisonSummary(differences) + "\n";
}

TEST(FlashComparison, TellsEachKindOfDifference) {
    const std::string twoPixels = Rgb565(1) + Rgb565(2);
    FlashBuilder a;
    FlashBuilder b;
    const auto both = [&a, &b](int width, int height, std::uint8_t type, const std::string& stream,
                               int widthB, std::uint8_t typeB, const std::string& streamB) {
        a.addPicture(width, height, type, stream);
        b.addPicture(widthB, height, typeB, streamB);
    };
    both(1, 1, 0x05, "\x10", 1, 0x05, "\x10");        // the same
    both(2, 1, 0x08, twoPixels, 2, 0x08, twoPixels);  // moved below
    both(2, 1, 0x08, twoPixels, 2, 0x08, twoPixels);  // moved below, one pixel
    both(2, 1, 0x08, Rgb565(7) + Rgb565(7), 2, 0x88, std::string("\x02") + Rgb565(7));
    both(1, 1, 0x05, "\x10", 2, 0x05, "\x10\x10");                          // other size
    both(1, 1, 0x03, std::string(1, '\0'), 1, 0x05, std::string(1, '\0'));  // now decodable
    both(1, 1, 0x03, "\x01", 1, 0x03, "\x02");                              // other bytes
    both(1, 1, 0x03, "\x01", 1, 0x03, "\x01");                              // the same
    b.addPicture(1, 1, 0x05, "\x10");

    std::string flashB = b.bytes();
    for (const auto& [entry, stream] : {std::pair{1, twoPixels}, {2, Rgb565(1) + Rgb565(3)}}) {
        const auto movedTo = static_cast<std::uint32_t>(flashB.size());
        flashB += stream + std::string(12, '\0');
        for (int i = 0; i < 4; ++i)
            flashB[FlashBuilder::kPit + 8 * entry + 4 + i] =
                static_cast<char>(((0xA0000000u + movedTo) >> (8 * i)) & 0xFF);
    }

    EXPECT_EQ(report(a.bytes(), flashB),
              "0001 moved: 2 x 1, 0800 at 0090010 -> 2 x 1, 0800 at 0090090\n"
              "0002 both: 2 x 1, 0800 at 0090020 -> 2 x 1, 0800 at 00900A0\n"
              "0003 entry: 2 x 1, 0800 at 0090030 -> 2 x 1, 8800 at 0090030\n"
              "0004 both: 1 x 1, 0500 at 0090040 -> 2 x 1, 0500 at 0090040\n"
              "0005 both: 1 x 1, 0300 at 0090050 -> 1 x 1, 0500 at 0090050 (undecodable in A)\n"
              "0006 pixels: 1 x 1, 0300 at 0090060 -> 1 x 1, 0300 at 0090060 (undecodable in A "
              "and B)\n"
              "0008 only in B: - -> 1 x 1, 0500 at 0090080\n"
              "7 pictures differ: 1 in pixels, 1 in the entry only, 3 in both, 1 moved, 1 only in "
              "B\n");
    EXPECT_EQ(report(a.bytes(), a.bytes()), "0 pictures differ\n");
    EXPECT_TRUE(report(flashB, a.bytes())
                    .ends_with("0008 only in A: 1 x 1, 0500 at 0090080 -> -\n"
                               "7 pictures differ: 1 in pixels, 1 in the entry only, 3 in both, 1 "
                               "moved, 1 only in "
                               "A\n"));
}

}  // namespace
