#include "patch/picture_patch.h"

#include <gtest/gtest.h>

#include "patch_rows.h"

namespace {

using VkpFormat::PatchRow;

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
