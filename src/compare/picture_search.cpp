#include "compare/picture_search.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kLargestGrid = 32;

/// A grid cell: the average colour of what it covers, weighted by opacity,
/// and how much of it is opaque.
struct GridCell {
    double red = 0;
    double green = 0;
    double blue = 0;
    double coverage = 0;
};

class Grid {
  public:
    Grid(int columns, int rows) : m_columns(columns), m_rows(rows) {}

    [[nodiscard]] std::vector<GridCell> average(const ShownPixels& picture) const {
        std::vector<GridCell> cells(static_cast<std::size_t>(m_columns) *
                                    static_cast<std::size_t>(m_rows));
        std::vector<int> counts(cells.size());
        const auto columns = static_cast<std::size_t>(m_columns);
        const auto width = static_cast<std::size_t>(picture.width);
        for (int y = 0; y < picture.height; ++y) {
            const auto rowStart = static_cast<std::size_t>(y * m_rows / picture.height) * columns;
            const std::uint32_t* pixels =
                picture.pixels.data() + static_cast<std::size_t>(y) * width;
            for (int x = 0; x < picture.width; ++x) {
                const std::size_t cell =
                    rowStart + static_cast<std::size_t>(x * m_columns / picture.width);
                const std::uint32_t pixel = pixels[x];
                const double alpha = static_cast<double>(pixel >> 24) / 255.0;
                cells[cell].red += alpha * static_cast<double>(pixel >> 16 & 0xFF);
                cells[cell].green += alpha * static_cast<double>(pixel >> 8 & 0xFF);
                cells[cell].blue += alpha * static_cast<double>(pixel & 0xFF);
                cells[cell].coverage += alpha;
                ++counts[cell];
            }
        }
        for (std::size_t i = 0; i < cells.size(); ++i) {
            GridCell& cell = cells[i];
            if (cell.coverage > 0) {
                cell.red /= cell.coverage;
                cell.green /= cell.coverage;
                cell.blue /= cell.coverage;
            }
            if (counts[i] > 0) cell.coverage /= counts[i];
        }
        return cells;
    }

  private:
    int m_columns;
    int m_rows;
};

/// The "red mean" weighting of RGB distance, scaled to 0..255.
double colourDistance(const GridCell& a, const GridCell& b) {
    const double redMean = (a.red + b.red) / 2;
    const double red = a.red - b.red;
    const double green = a.green - b.green;
    const double blue = a.blue - b.blue;
    return std::sqrt((2 + redMean / 256) * red * red + 4 * green * green +
                     (2 + (255 - redMean) / 256) * blue * blue) /
           3;
}

double sizeDistance(int a, int b) {
    return 100.0 * std::abs(a - b) / std::max({a, b, 1});
}

Grid gridFor(const ShownPixels& wanted) {
    return {std::clamp(wanted.width, 1, kLargestGrid), std::clamp(wanted.height, 1, kLargestGrid)};
}

double cellsDistance(const std::vector<GridCell>& a, const std::vector<GridCell>& b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        sum += std::abs(a[i].coverage - b[i].coverage) * 255 +
               std::min(a[i].coverage, b[i].coverage) * colourDistance(a[i], b[i]);
    }
    return sum / static_cast<double>(a.size());
}

double distance(const std::vector<GridCell>& wantedCells, const Grid& grid,
                const ShownPixels& wanted, const ShownPixels& other) {
    if (other.width < 1 || other.height < 1) return 255 + 200;
    return cellsDistance(wantedCells, grid.average(other)) +
           sizeDistance(wanted.width, other.width) + sizeDistance(wanted.height, other.height);
}

}  // namespace

double PictureDistance(const ShownPixels& wanted, const ShownPixels& other) {
    const Grid grid = gridFor(wanted);
    return distance(grid.average(wanted), grid, wanted, other);
}

std::vector<SimilarPicture> FindSimilarPictures(std::span<const std::uint8_t> flash,
                                                std::span<const PictureEntry> entries,
                                                const ShownPixels& wanted, std::size_t count) {
    const Grid grid = gridFor(wanted);
    const std::vector<GridCell> wantedCells = grid.average(wanted);
    std::vector<SimilarPicture> found;
    found.reserve(entries.size());
    DecodedPicture scratch;
    for (const PictureEntry& entry : entries) {
        const auto shown = ReadShownPixels(flash, entry, scratch);
        if (shown) found.push_back({entry.number, distance(wantedCells, grid, wanted, *shown)});
    }
    const auto nearer = [](const SimilarPicture& a, const SimilarPicture& b) {
        return a.distance < b.distance || (a.distance == b.distance && a.number < b.number);
    };
    const auto kept = static_cast<std::ptrdiff_t>(std::min(count, found.size()));
    std::partial_sort(found.begin(), found.begin() + kept, found.end(), nearer);
    found.resize(static_cast<std::size_t>(kept));
    return found;
}
