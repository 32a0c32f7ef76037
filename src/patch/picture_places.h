#pragma once
// The listed pictures as places in the fullflash: where each one's data lies
// and how far it really reaches (its stream decoded), so new data can be put
// where it changes no other picture.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "fullflash/picture_table.h"

class PicturePlaces {
  public:
    /// Decodes every entry's stream once.
    PicturePlaces(std::span<const std::uint8_t> flash, std::span<const PictureEntry> entries);

    /// Where the place of entry `index` ends when its new data may be written
    /// there: the smallest data offset of any listed picture above its own.
    /// Nothing when no picture lies above, when the place runs past the end
    /// of the file, when another entry points at the same data, or when a
    /// picture below reaches into it: writing there would change another.
    [[nodiscard]] std::optional<std::uint32_t> inPlaceEnd(std::size_t index) const;

    /// Claims [begin, end) as taken, like a picture's data.
    void reserve(std::uint32_t begin, std::uint32_t end);

    /// True when [begin, end) meets a picture's data or a reserved range.
    [[nodiscard]] bool occupied(std::uint32_t begin, std::uint32_t end) const;

  private:
    struct Range {
        std::uint64_t begin;
        std::uint64_t end;
    };
    [[nodiscard]] std::optional<std::uint32_t> nextDataAbove(std::uint32_t offset) const;
    void sortRanges() const;

    std::uint64_t m_flashSize;
    std::vector<PictureEntry> m_entries;
    std::vector<std::uint32_t> m_offsets;        ///< every data offset, sorted, repeats kept
    std::vector<Range> m_extents;                ///< per entry, in entry order
    mutable std::vector<Range> m_taken;          ///< sorted by begin when m_sorted
    mutable std::vector<std::uint64_t> m_reach;  ///< running maximum of m_taken ends
    mutable bool m_sorted = false;
};
