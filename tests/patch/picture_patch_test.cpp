#include "patch/picture_patch.h"

#include <gtest/gtest.h>

#include "patch/picture_places.h"
#include "patch_rows.h"

namespace {

using Vkp::PatchRow;

constexpr std::uint32_t kPlace = 0x100;

std::vector<std::uint8_t> image() {
    return std::vector<std::uint8_t>(0x400, 0xAA);
}

/// The staging file's stream: `size` data bytes and zero padding to 16.
std::string staged(std::uint32_t size) {
    std::string stream = Counting(size);
    stream.resize((size + 15) / 16 * 16, '\0');
    return stream;
}

TEST(EntryHolds, TheLargestSizeEachEntryFormatCanList) {
    EXPECT_TRUE(EntryHolds(EntryFormat::Short, 255, 255));
    EXPECT_FALSE(EntryHolds(EntryFormat::Short, 256, 1));
    EXPECT_TRUE(EntryHolds(EntryFormat::Long, 240, 320));
    EXPECT_FALSE(EntryHolds(EntryFormat::Long, 240, 321));
}

TEST(PicturePlaces, WhatPicturesTakeAndWhereTheyMayBeRewritten) {
    // 8-bit pictures: 16 bytes at 0x00, one byte at 0x20, one of a type no
    // decoder knows at 0x30, two entries sharing 0x50, one byte at 0x60.
    const std::vector<std::uint8_t> flash(0x100, 0);
    const PictureEntry entries[] = {{0, 16, 1, 0x05, 0, 0, 0x00}, {1, 1, 1, 0x05, 0, 0, 0x20},
                                    {2, 1, 1, 0x03, 0, 0, 0x30},  {3, 1, 1, 0x05, 0, 0, 0x50},
                                    {4, 1, 1, 0x05, 0, 0, 0x50},  {5, 1, 1, 0x05, 0, 0, 0x60}};
    PicturePlaces places(flash, entries);
    EXPECT_FALSE(places.occupied(0x10, 0x20)) << "right after a picture's end";
    EXPECT_TRUE(places.occupied(0x40, 0x48)) << "an unknown format may reach the next picture";
    EXPECT_EQ(places.inPlaceEnd(1), 0x30u);
    EXPECT_EQ(places.inPlaceEnd(3), std::nullopt) << "a place shared with another entry";
    EXPECT_FALSE(places.occupied(0x70, 0x80));
    places.reserve(0x70, 0x80);
    EXPECT_TRUE(places.occupied(0x7F, 0x90)) << "reserved";
}

TEST(PictureDataRows, WritesTheNewContentOfThePlaceAndNothingPastIt) {
    const std::string ff(64, '\xFF');
    const struct {
        const char* what;
        std::uint32_t size;
        std::optional<std::uint32_t> space;  // nothing: relocated
        std::string content;                 // what the rows write, from the start
    } cases[] = {
        {"exact fit", 160, 160, Counting(160)},
        {"100 into 160: the rest stays", 100, 160, Counting(100)},
        {"111 into 160: tail of 15 and erased rest", 111, 160, Counting(111) + ff.substr(0, 49)},
        {"tail of 15, then a short erase row", 31, 40, Counting(31) + ff.substr(0, 9)},
        {"tail of 15 filling the place but one byte", 31, 32, Counting(31) + '\xFF'},
        {"tail of 5 written as 6", 21, 32, Counting(21) + '\0'},
        {"odd tail filling the place exactly stays odd", 21, 21, Counting(21)},
        {"tail of 15 filling the place exactly", 31, 31, Counting(31)},
        {"under 16 bytes into a larger place", 5, 40, Counting(5) + std::string(11, '\0')},
        {"under 16 bytes stops at the next picture", 5, 8, Counting(5) + std::string(3, '\0')},
        {"130 relocated: eight rows and two bytes", 130, std::nullopt, Counting(130)},
        {"relocated odd tail is rounded up", 21, std::nullopt, Counting(21) + '\0'},
        {"relocated under 16 bytes: one whole row", 5, std::nullopt,
         Counting(5) + std::string(11, '\0')},
    };
    const auto flash = image();
    for (const auto& c : cases) {
        const std::optional<std::uint32_t> end =
            c.space ? std::optional(kPlace + *c.space) : std::nullopt;
        EXPECT_EQ(PictureDataRows(flash, kPlace, staged(c.size), c.size, end),
                  Chunked(flash, kPlace, c.content))
            << c.what;
    }
}

}  // namespace
