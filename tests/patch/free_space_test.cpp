#include "patch/free_space.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::uint8_t> imageWithErased(
    std::initializer_list<std::pair<std::uint32_t, std::uint32_t>> runs) {
    std::vector<std::uint8_t> flash(0x41000, 0x00);
    for (const auto& [begin, end] : runs)
        std::fill(flash.begin() + begin, flash.begin() + end, 0xFF);
    return flash;
}

TEST(FindFreeSpace, TakesTheFirstRunLongerThanTheSize) {
    const auto flash = imageWithErased({{0x40000, 0x40020}, {0x40100, 0x40140}});
    EXPECT_EQ(FindFreeSpace(flash, 0x40000, 20), (FreeRun{0x40000, 0x40020}));
    EXPECT_EQ(FindFreeSpace(flash, 0x40000, 32), (FreeRun{0x40100, 0x40130}))
        << "32 is not more than 32";
    EXPECT_EQ(FindFreeSpace(flash, 0x40020, 20), (FreeRun{0x40100, 0x40120}))
        << "from the position on";
    EXPECT_EQ(FindFreeSpace(flash, 0x40000, 64), std::nullopt) << "end of the file";
    EXPECT_EQ(FindFreeSpace(imageWithErased({{0x40FE0, 0x41000}}), 0x40000, 20),
              (FreeRun{0x40FE0, 0x41000}))
        << "up to the last byte";
}

}  // namespace
