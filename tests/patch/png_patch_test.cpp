#include "patch/png_patch.h"

#include <gtest/gtest.h>

#include "patch_rows.h"

namespace {

constexpr std::uint32_t kStart = 0x40;

/// An image holding a PNG of `size` bytes at kStart (signature, filler, IEND
/// and its CRC), followed by bytes 0x77.
std::vector<std::uint8_t> imageWithPng(std::size_t size, std::size_t after = 32) {
    std::string png =
        std::string(kPngSignature) + Counting(size - 8 - 8, 20) + "IEND" + "\x01\x02\x03\x04";
    std::vector<std::uint8_t> flash(kStart, 0x00);
    flash.insert(flash.end(), png.begin(), png.end());
    flash.insert(flash.end(), after, 0x77);
    return flash;
}

TEST(PngOffsetFromName, OnlyHexNames) {
    EXPECT_EQ(PngOffsetFromName("5A0000"), 0x5A0000u);
    EXPECT_EQ(PngOffsetFromName("00000000005a0000"), 0x5A0000u);
    EXPECT_EQ(PngOffsetFromName("0"), 0u);
    for (const char* bad : {"", "logo", "5A0000 (2)", "-10", "100000000"}) {
        EXPECT_EQ(PngOffsetFromName(bad), std::nullopt) << bad;
    }
}

TEST(EmbeddedPngEnd, EndsBehindTheIendCrcOrNotAtAll) {
    const auto flash = imageWithPng(100);
    EXPECT_EQ(EmbeddedPngEnd(flash, kStart), kStart + 100);
    EXPECT_EQ(EmbeddedPngEnd(flash, kStart + 1), std::nullopt) << "no PNG starts there";
    EXPECT_EQ(EmbeddedPngEnd(flash, 0xFFFFFF), std::nullopt) << "past the end";
    const auto cut = imageWithPng(100, 0);
    EXPECT_EQ(EmbeddedPngEnd(std::span(cut).first(cut.size() - 1), kStart), std::nullopt)
        << "CRC cut off";
    std::vector<std::uint8_t> noEnd(kStart, 0);
    noEnd.insert(noEnd.end(), kPngSignature.begin(), kPngSignature.end());
    noEnd.resize(5000, 0x11);
    EXPECT_EQ(EmbeddedPngEnd(noEnd, kStart), std::nullopt);
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
