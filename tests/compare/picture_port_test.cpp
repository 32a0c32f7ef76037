#include <gtest/gtest.h>

#include "common/flash_builder.h"
#include "compare/fullflash_comparison.h"
#include "compare/port_report.h"

namespace {

std::span<const std::uint8_t> asBytes(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

/// One 24-bit pixel: blue, green, red, alpha.
std::string argb(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha) {
    return {static_cast<char>(blue), static_cast<char>(green), static_cast<char>(red),
            static_cast<char>(alpha)};
}

struct Picture {
    std::uint8_t type;
    std::string stream;
};

/// Every picture two pixels wide, one high.
std::string flashOf(const std::vector<Picture>& pictures) {
    FlashBuilder builder;
    for (const Picture& picture : pictures) builder.addPicture(2, 1, picture.type, picture.stream);
    return builder.bytes();
}

std::string plan(const std::string& old, const std::string& patched, const std::string& fresh,
                 PickRule pick) {
    const ScannedFullflash o = ScanFullflash(asBytes(old));
    const ScannedFullflash p = ScanFullflash(asBytes(patched));
    const ScannedFullflash n = ScanFullflash(asBytes(fresh));
    const auto pictures = PlanPort({asBytes(old), o.entries}, {asBytes(patched), p.entries},
                                   {asBytes(fresh), n.entries}, pick);
    std::string text;
    for (const PortedPicture& picture : pictures) text += PortLine(picture, PortWords{}) + "\n";
    return text + PortSummary(pictures, PortWords{});
}

TEST(PicturePort, FindsEachOriginalInNewByWhatItShows) {
    const auto two = [](std::uint16_t a, std::uint16_t b) { return Rgb565(a) + Rgb565(b); };
    // 16-bit pictures of two pixels, named by their colours.
    const Picture p{0x08, two(1, 2)};
    const Picture q{0x08, two(3, 4)};
    const Picture r{0x08, two(5, 6)};
    const Picture s{0x08, two(7, 8)};
    const Picture u{0x08, two(9, 10)};
    const Picture other{0x08, two(11, 12)};
    const Picture eightBit{0x05, "\x10\x20"};
    const Picture eightBitCompressed{0x85, std::string("\xFE\x10\x20", 3)};
    // A transparent pixel and pure blue: the 16-bit marker, or alpha 0.
    const Picture marked{0x08, two(0xE000, 0x001F)};
    const Picture markedWithAlpha{0x0A, argb(1, 2, 3, 0) + argb(0, 0, 255, 255)};
    const std::vector<Picture> old{p, q, r, s, eightBit, marked, u, u};
    std::vector<Picture> patched;
    for (std::size_t i = 0; i < old.size(); ++i) {
        patched.push_back({old[i].type, old[i].type == 0x05 ? "\x33\x44" : two(100, 200)});
    }
    const std::vector<Picture> fresh{r, q, p, eightBitCompressed, r, q, u, markedWithAlpha, other};

    const std::string lines =
        "0000 -> 0002\n"
        "0001 -> 0001\n"
        "%s"
        "0003 not in NEW\n"
        "0004 -> 0003\n"
        "0005 -> 0007\n"
        "0006 -> 0006\n"
        "0007 -> 0006 already takes another picture\n";
    const struct {
        PickRule pick;
        const char* third;
        const char* summary;
    } cases[] = {
        {PickRule::SameIndexOnly, "0002 ambiguous: 0000, 0004\n",
         "5 of 8 carried over, 1 ambiguous, 1 not in NEW, 1 already takes another picture"},
        {PickRule::Nearest, "0002 -> 0000 (nearest of 0000, 0004)\n",
         "6 of 8 carried over, 1 not in NEW, 1 already takes another picture"},
    };
    for (const auto& c : cases) {
        char expected[1024];
        std::snprintf(expected, sizeof expected, lines.c_str(), c.third);
        EXPECT_EQ(plan(flashOf(old), flashOf(patched), flashOf(fresh), c.pick),
                  expected + std::string(c.summary));
    }
}

}  // namespace
