#pragma once
// A GPN file is GPF and GPF2 files laid end to end, each a whole number of
// 16-byte blocks, with nothing of its own around them. It is read block by
// block: a block holding "GraphicPatchFile" or "GraphPatchFile_2" starts a
// picture, the next block is its header (picture number in the first two
// bytes), every further block belongs to the picture started last.
//
// Blocks before the first start belong to no picture and are left out; a last
// block shorter than 16 bytes is kept as it is, with the picture it ends.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "tools/extracted_names.h"

class GpnSplitter {
  public:
    GpnSplitter(std::span<const std::uint8_t> bytes, NamingRule rule)
        : m_bytes(bytes), m_rule(rule) {}

    /// The next picture file, its blocks unchanged; nothing at the end.
    [[nodiscard]] std::optional<ExtractedFile> next();

  private:
    [[nodiscard]] bool startsPicture(std::size_t block) const;
    void skipToNextPicture();

    std::span<const std::uint8_t> m_bytes;
    NamingRule m_rule;
    std::size_t m_position = 0;
};
