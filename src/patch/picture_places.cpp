#include "patch/picture_places.h"

#include <algorithm>

#include "codec/stream_length.h"

PicturePlaces::PicturePlaces(std::span<const std::uint8_t> flash,
                             std::span<const PictureEntry> entries)
    : m_flashSize(flash.size()), m_entries(entries.begin(), entries.end()) {
    for (const PictureEntry& entry : m_entries) m_offsets.push_back(entry.dataOffset);
    std::sort(m_offsets.begin(), m_offsets.end());

    for (const PictureEntry& entry : m_entries) {
        const std::uint64_t begin = entry.dataOffset;
        std::uint64_t end = begin;
        if (const auto size =
                GPFcodec::StreamLength(flash, entry.dataOffset, entry.width, entry.height,
                                       GPFcodec::TypeInfoFromCode(entry.type))) {
            end += *size;
        } else {
            // Unknown format: it may take anything up to the next picture.
            const auto next = nextDataAbove(entry.dataOffset);
            end = next ? *next : begin + 16;
        }
        m_extents.push_back({begin, end});
        if (end > begin) m_taken.push_back({begin, end});
    }
}

std::optional<std::uint32_t> PicturePlaces::nextDataAbove(std::uint32_t offset) const {
    const auto above = std::upper_bound(m_offsets.begin(), m_offsets.end(), offset);
    if (above == m_offsets.end()) return std::nullopt;
    return *above;
}

std::optional<std::uint32_t> PicturePlaces::inPlaceEnd(std::size_t index) const {
    const std::uint32_t own = m_entries.at(index).dataOffset;
    const auto end = nextDataAbove(own);
    if (!end || *end > m_flashSize) return std::nullopt;
    if (std::count(m_offsets.begin(), m_offsets.end(), own) > 1) return std::nullopt;
    for (std::size_t other = 0; other < m_extents.size(); ++other) {
        if (other != index && m_extents[other].begin < own && m_extents[other].end > own) {
            return std::nullopt;
        }
    }
    return end;
}

void PicturePlaces::reserve(std::uint32_t begin, std::uint32_t end) {
    if (end <= begin) return;
    m_taken.push_back({begin, end});
    m_sorted = false;
}

void PicturePlaces::sortRanges() const {
    std::sort(m_taken.begin(), m_taken.end(),
              [](const Range& a, const Range& b) { return a.begin < b.begin; });
    m_reach.clear();
    std::uint64_t reach = 0;
    for (const Range& range : m_taken) {
        reach = std::max(reach, range.end);
        m_reach.push_back(reach);
    }
    m_sorted = true;
}

bool PicturePlaces::occupied(std::uint32_t begin, std::uint32_t end) const {
    if (!m_sorted) sortRanges();
    // Ranges starting before `end` are a prefix; one of them meets
    // [begin, end) exactly when the furthest of their ends passes `begin`.
    const auto starts =
        std::lower_bound(m_taken.begin(), m_taken.end(), std::uint64_t{end},
                         [](const Range& r, std::uint64_t value) { return r.begin < value; });
    const auto count = static_cast<std::size_t>(starts - m_taken.begin());
    return count > 0 && m_reach[count - 1] > begin;
}
