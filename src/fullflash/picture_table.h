#pragma once
// The picture index table: a run of fixed-size entries, one per picture, walked
// from its start until the first entry that cannot be a picture entry.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

/// A picture table entry as numbers: what every command computes with.
struct PictureEntry {
    int number = 0;  ///< table index, row position - 1
    unsigned width = 0;
    unsigned height = 0;
    std::uint8_t type = 0;          ///< type byte: high nibble 8 = compressed, low nibble the depth
    std::uint8_t secondType = 0;    ///< 0x00 in every listed entry
    std::uint32_t entryOffset = 0;  ///< file offset of the table entry
    std::uint32_t dataOffset = 0;   ///< low 28 bits of the data address: a file offset

    friend bool operator==(const PictureEntry&, const PictureEntry&) = default;
};

/// One row of the picture list: the entry's numbers and the texts shown,
/// which are made from them once (MakeListEntry) and never parsed back.
struct PictureListEntry {
    PictureEntry entry;
    std::string index;      ///< "#": decimal, at least 4 digits
    std::string hexIndex;   ///< "hex": at least 3 upper-case digits
    std::string width;      ///< decimal
    std::string height;     ///< decimal
    std::string type;       ///< both type bytes, 4 hex digits, file order
    std::string pitOffset;  ///< "PIToffset": hex, no leading zeros
    std::string picOffset;  ///< "PICoffset": low 28 bits, exactly 7 hex digits
    bool changed = false;   ///< shown bold: a replacement is staged

    friend bool operator==(const PictureListEntry&, const PictureListEntry&) = default;
};

/// The seven column texts of an entry.
[[nodiscard]] PictureListEntry MakeListEntry(const PictureEntry& entry);

/// The seven column texts of a row, in column order.
[[nodiscard]] std::array<std::string, 7> ColumnTexts(const PictureListEntry& row);

enum class EntryFormat {
    Short,  ///< 8 bytes: 1-byte width and height, at most 2001 entries
    Long,   ///< 12 bytes: 2-byte width and height, at most 2501 entries
};

/// Long entries belong to New-SGold E71 and EL71 firmware only.
[[nodiscard]] EntryFormat EntryFormatFor(bool newSGold, std::string_view mModel);

[[nodiscard]] int EntrySize(EntryFormat format);
[[nodiscard]] int HighestIndex(EntryFormat format);

/// Reads entries from `pitOffset` on. `progress` gets 0..100 after each row.
[[nodiscard]] std::vector<PictureListEntry> ReadPictureTable(
    std::span<const std::uint8_t> flash, std::uint32_t pitOffset, EntryFormat format,
    const std::function<void(int)>& progress);
