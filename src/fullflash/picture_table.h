#pragma once
// The picture index table: a run of fixed-size entries, one per picture, walked
// from its start until the first entry that cannot be a picture entry.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

/// One row of the picture list; every field is held as the text shown.
struct PictureListEntry {
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
