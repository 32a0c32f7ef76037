#include "fullflash/picture_table.h"

#include <gtest/gtest.h>

#include "fullflash/flash_bytes.h"
#include "fullflash/identification.h"
#include "support/basic_calculations.h"

namespace {

constexpr std::uint32_t kPit = 0x100;

struct Entry {
    unsigned width;
    unsigned height;
    std::uint8_t type;
    std::uint8_t second = 0;
    std::uint16_t unused = 0;
};

// A table at kPit of `entries`, followed by one erased entry (0xFF bytes).
std::vector<std::uint8_t> table(EntryFormat format, const std::vector<Entry>& entries) {
    const std::size_t size = static_cast<std::size_t>(EntrySize(format));
    FlashBytes flash(kPit + size * (entries.size() + 1), 0xFF);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        const std::size_t at = kPit + size * i;
        if (format == EntryFormat::Long) {
            flash.longEntry(at, static_cast<std::uint16_t>(e.width),
                            static_cast<std::uint16_t>(e.height), e.type, e.second, 0xA0001000,
                            e.unused);
        } else {
            flash.shortEntry(at, static_cast<std::uint8_t>(e.width),
                             static_cast<std::uint8_t>(e.height), e.type, e.second, 0xA0001000);
        }
    }
    return flash.bytes();
}

std::size_t rowsFound(const std::vector<std::uint8_t>& flash, EntryFormat format) {
    return ReadPictureTable(flash, kPit, format, nullptr).size();
}

}  // namespace

TEST(ReadPictureTable, EntryTestDecidesWhereTheTableEnds) {
    using enum EntryFormat;
    struct Case {
        std::string name;
        EntryFormat format;
        std::vector<Entry> entries;
        std::size_t rows;
    };
    const Case cases[] = {
        {"second type byte 01 ends at once", Short, {{16, 16, 0x05, 0x01}}, 0},
        {"type 8A passes, 90 ends", Short, {{1, 1, 0x8A}, {1, 1, 0x90}}, 1},
        {"type 0B passes: high digit only", Short, {{1, 1, 0x0B}, {1, 1, 0x05, 0x10}}, 1},
        {"8-byte entries have no size test", Short, {{255, 255, 0x01}}, 1},
        {"12-byte: 240 x 320 passes", Long, {{240, 320, 0x8A}}, 1},
        {"12-byte: width 241 ends", Long, {{16, 16, 0x05}, {241, 1, 0x05}}, 1},
        {"12-byte: height 321 ends", Long, {{240, 321, 0x05}}, 0},
        {"12-byte: second type byte ends", Long, {{1, 1, 0x05, 0x01}}, 0},
        {"12-byte: type A0 ends", Long, {{1, 1, 0xA0}}, 0},
        {"12-byte: the unused bytes are ignored", Long, {{1, 1, 0x05, 0, 0xFFFF}}, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rowsFound(table(c.format, c.entries), c.format), c.rows) << c.name;
    }
}

TEST(EntryFormatFor, TwelveBytesOnlyForNewSGoldE71AndEL71) {
    struct Case {
        bool newSGold;
        std::string model;
        EntryFormat format;
    };
    const Case cases[] = {
        {true, "E71", EntryFormat::Long},    {true, "EL71", EntryFormat::Long},
        {true, "E71X", EntryFormat::Long},   {false, "E71", EntryFormat::Short},
        {false, "EL71", EntryFormat::Short}, {true, "S75", EntryFormat::Short},
        {true, "EL7", EntryFormat::Short},   {true, "E7", EntryFormat::Short},
    };
    for (const Case& c : cases) EXPECT_EQ(EntryFormatFor(c.newSGold, c.model), c.format) << c.model;
}

// Identification and scan together, as a load runs them, on bytes that are
// no fullflash: no crash, and no rows invented past the end of the file.
TEST(ReadPictureTable, InputThatIsNoFullflashListsNothing) {
    const auto scanWhole = [](const std::vector<std::uint8_t>& bytes) {
        const FullflashIdentity id = IdentifyFullflash(bytes);
        return ReadPictureTable(bytes, BasicCalculations_Tavik::HexToNumber(id.PITadr),
                                EntryFormatFor(id.NewSGold, id.mModel), nullptr)
            .size();
    };
    struct Case {
        std::string name;
        std::vector<std::uint8_t> bytes;
        std::size_t rows;
    };
    const Case cases[] = {
        {"empty file", {}, 0},
        {"pointer past the end", FlashBytes(0x90000).u32(0x8FD08, 0xA7FFFFF0).bytes(), 0},
        {"zero entries up to the end of the file",
         FlashBytes(0x90000).u32(0x8FD08, 0xA008FFC4).bytes(), 4},
        {"New-SGold pointer before the file",
         FlashBytes(0x90000, 0xEE).u32(0x8FD08, 0xA0000010).byte(0x10 + 48, 0).bytes(), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(scanWhole(c.bytes), c.rows) << c.name;
}
