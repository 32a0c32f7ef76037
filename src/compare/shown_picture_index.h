#pragma once
// The pictures of one fullflash found by what they show rather than by their
// index: the same picture keeps its pixels when a later firmware moves it to
// another index, another place or another compression.

#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "compare/shown_pixels.h"

class ShownPictureIndex {
  public:
    /// Only reads; pictures are decoded when a picture of their size is looked for.
    ShownPictureIndex(std::span<const std::uint8_t> flash, std::span<const PictureEntry> entries);

    /// The numbers of the pictures that show exactly `shown`, ascending.
    [[nodiscard]] std::vector<int> find(const ShownPixels& shown);

  private:
    void hashSize(std::uint64_t sizeKey);

    std::span<const std::uint8_t> m_flash;
    std::span<const PictureEntry> m_entries;
    /// Positions of the entries by width and height; a size leaves this map
    /// once its pictures are hashed.
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> m_unhashed;
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> m_byHash;
    DecodedPicture m_scratch;
};
