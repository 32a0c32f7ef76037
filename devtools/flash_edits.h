#pragma once
// A generated image changed the way a modder changes a firmware, so that it
// and the original make a pair to compare: pictures moved to other flash,
// pictures with other pixels in the same place.

#include <cstdint>
#include <vector>

#include "devtools/mkflash.h"

class FlashEditor {
  public:
    /// `image` must be laid out (MkflashResult::ok()).
    explicit FlashEditor(MkflashResult image);

    /// The picture's stream goes unchanged to erased flash behind everything
    /// moved before, its entry points there and its old place is erased.
    void move(int index);
    /// The first pixel the stream stores gets another colour; size, type,
    /// stream length and place stay.
    void repaint(int index);

    [[nodiscard]] const std::vector<std::uint8_t>& bytes() const { return m_image.bytes; }
    [[nodiscard]] const MkflashLayout& layout() const { return m_image.layout; }

  private:
    MkflashResult m_image;
    std::uint32_t m_next;  ///< where the next moved stream goes
};
