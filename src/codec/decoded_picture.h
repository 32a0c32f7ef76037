#pragma once
// The one current picture of the program. Every decode and every read of an
// outside picture overwrites it; the preview, the exporters and the encoder
// read it back.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>

struct Cell {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t fourth = 0;  ///< alpha, meaningful only when hasAlpha

    friend bool operator==(const Cell&, const Cell&) = default;
};

/// Stands for a transparent pixel everywhere in the program.
inline constexpr Cell TransparencyMarker{169, 171, 169, 0};

/// True when the cell's colour is the marker's (the fourth byte is not compared).
[[nodiscard]] constexpr bool isTransparencyMarker(const Cell& cell) {
    return cell.red == 169 && cell.green == 171 && cell.blue == 169;
}

/// A fixed number of cells, zero when made. The memory comes from calloc and
/// is not written until drawn on: every Workspace holds a canvas, and most
/// short command-line runs draw nothing, so they need not pay for clearing it.
class Canvas {
  public:
    explicit Canvas(std::size_t size)
        : m_size(size), m_cells(static_cast<Cell*>(std::calloc(size, sizeof(Cell)))) {
        if (!m_cells) throw std::bad_alloc();
    }
    Canvas(const Canvas& other) : Canvas(other.m_size) {
        std::copy_n(other.data(), m_size, data());
    }
    Canvas& operator=(const Canvas& other) {
        if (this != &other) *this = Canvas(other);
        return *this;
    }
    Canvas(Canvas&&) noexcept = default;
    Canvas& operator=(Canvas&&) noexcept = default;
    ~Canvas() = default;

    [[nodiscard]] Cell* data() { return m_cells.get(); }
    [[nodiscard]] const Cell* data() const { return m_cells.get(); }
    [[nodiscard]] std::size_t size() const { return m_size; }
    /// Sets the first `count` cells to `fill`.
    void assign(std::size_t count, const Cell& fill) {
        std::fill_n(data(), std::min(count, m_size), fill);
    }

  private:
    struct Free {
        void operator()(Cell* cells) const { std::free(cells); }
    };
    std::size_t m_size;
    std::unique_ptr<Cell, Free> m_cells;
};

struct DecodedPicture {
    static constexpr int kCanvasWidth = 241;
    static constexpr int kCanvasHeight = 321;

    /// Cells outside width x height keep whatever earlier pictures left: a
    /// decode never clears the canvas.
    Canvas canvas = Canvas(std::size_t{kCanvasWidth} * kCanvasHeight);
    std::int16_t width = 0;
    std::int16_t height = 0;
    std::int16_t pictureNumber = 0;
    double dataSize = 0;
    bool hasAlpha = false;

    /// Columns of the picture that the canvas holds: `width` limited to
    /// 0..kCanvasWidth. Writers and painters never look past these.
    [[nodiscard]] int canvasColumns() const { return std::clamp<int>(width, 0, kCanvasWidth); }
    /// Rows of the picture that the canvas holds: `height` limited to 0..kCanvasHeight.
    [[nodiscard]] int canvasRows() const { return std::clamp<int>(height, 0, kCanvasHeight); }

    [[nodiscard]] Cell& at(int x, int y) {
        return canvas.data()[static_cast<std::size_t>(y) * kCanvasWidth + x];
    }
    [[nodiscard]] const Cell& at(int x, int y) const {
        return canvas.data()[static_cast<std::size_t>(y) * kCanvasWidth + x];
    }
};
