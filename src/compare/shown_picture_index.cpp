#include "compare/shown_picture_index.h"

#include <algorithm>

namespace {

std::uint64_t sizeKey(std::uint64_t width, std::uint64_t height) {
    return width << 32 | height;
}

}  // namespace

ShownPictureIndex::ShownPictureIndex(std::span<const std::uint8_t> flash,
                                     std::span<const PictureEntry> entries)
    : m_flash(flash), m_entries(entries) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        m_unhashed[sizeKey(entries[i].width, entries[i].height)].push_back(i);
    }
}

void ShownPictureIndex::hashSize(std::uint64_t key) {
    const auto group = m_unhashed.find(key);
    if (group == m_unhashed.end()) return;
    for (const std::size_t position : group->second) {
        const auto shown = ReadShownPixels(m_flash, m_entries[position], m_scratch);
        if (shown) m_byHash[PixelHash(*shown)].push_back(position);
    }
    m_unhashed.erase(group);
}

std::vector<int> ShownPictureIndex::find(const ShownPixels& shown) {
    hashSize(
        sizeKey(static_cast<std::uint64_t>(shown.width), static_cast<std::uint64_t>(shown.height)));
    std::vector<int> numbers;
    const auto hits = m_byHash.find(PixelHash(shown));
    if (hits == m_byHash.end()) return numbers;
    // Equal hashes are only likely equal pictures: the pixels decide.
    for (const std::size_t position : hits->second) {
        if (ReadShownPixels(m_flash, m_entries[position], m_scratch) == shown) {
            numbers.push_back(m_entries[position].number);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}
