#include "patch/png_patch.h"

#include <gtest/gtest.h>

#include "patch_rows.h"

namespace {

constexpr std::uint32_t kStart = 0x40;

/// An image holding a PNG of `size` bytes at kStart (signature, filler, IEND
/// and its CRC), followed by bytes 0x77.
std::vector<std::uint8_t> imageWithPng(std::size_t size) {
    std::string png =
        std::string(kPngSignature) + Counting(size - 8 - 8, 20) + "IEND" + "\x01\x02\x03\x04";
    std::vector<std::uint8_t> flash(kStart, 0x00);
    flash.insert(flash.end(), png.begin(), png.end());
    flash.insert(flash.end(), 32, 0x77);
    return flash;
}

TEST(PngReplacementRows, NewBytesThenErasedUpToTheOldEndAndNeverPastIt) {
    const std::pair<std::size_t, std::size_t> cases[] = {
        {100, 100}, {100, 99}, {100, 86}, {100, 85}, {100, 60}, {95, 80}, {96, 80}, {40, 8},
    };
    for (const auto& [oldSize, size] : cases) {
        const auto flash = imageWithPng(oldSize);
        const std::string png = Counting(size, 9);
        const std::string content = png + std::string(oldSize - size, '\xFF');
        EXPECT_EQ(
            PngReplacementRows(flash, kStart, static_cast<std::uint32_t>(kStart + oldSize), png),
            Chunked(flash, kStart, content))
            << size << " into " << oldSize;
    }
}

}  // namespace
