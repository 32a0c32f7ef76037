#pragma once
// Where the next decoded pixel goes: column x and row y, left to right, then
// top to bottom over the picture's width, with no gap between rows. Positions
// outside the 241 x 321 canvas are counted but never stored, so the pixels
// after them still land in their own cells. Private to the codec.

#include <algorithm>
#include <cstdint>

#include "codec/decoded_picture.h"

namespace GPFcodec {

class PixelCursor {
  public:
    /// A width below 1 starts the cursor below the canvas: it stores nothing.
    PixelCursor(DecodedPicture& picture, std::int64_t width)
        : m_cells(picture.canvas.data()),
          m_width(std::max<std::int64_t>(width, 1)),
          m_y(width >= 1 ? 0 : kRows) {}

    [[nodiscard]] std::int64_t row() const { return m_y; }
    [[nodiscard]] bool onCanvas() const { return m_y < kRows && m_x < kColumns; }

    void store(const Cell& cell) {
        if (onCanvas()) m_cells[m_y * kColumns + m_x] = cell;
        pass();
    }

    /// Moves one pixel on without storing.
    void pass() {
        if (++m_x == m_width) {
            m_x = 0;
            ++m_y;
        }
    }

    /// Moves `count` pixels on without storing.
    void pass(std::int64_t count) {
        const std::int64_t column = m_x + count;
        m_y += column / m_width;
        m_x = column % m_width;
    }

    /// Stores `count` copies of `cell`, a row segment at a time while rows of
    /// the canvas remain; below it the cursor just moves on, so a run costs
    /// the same for a narrow picture as for a wide one.
    void fill(const Cell& cell, std::int64_t count) {
        while (count > 0 && m_y < kRows) {
            const std::int64_t span = std::min(count, m_width - m_x);
            Cell* row = m_cells + m_y * kColumns;
            std::fill(row + std::min(m_x, kColumns), row + std::min(m_x + span, kColumns), cell);
            count -= span;
            pass(span);
        }
        pass(count);
    }

  private:
    static constexpr std::int64_t kColumns = DecodedPicture::kCanvasWidth;
    static constexpr std::int64_t kRows = DecodedPicture::kCanvasHeight;

    Cell* m_cells;
    std::int64_t m_width;
    std::int64_t m_x = 0;
    std::int64_t m_y;
};

}  // namespace GPFcodec
