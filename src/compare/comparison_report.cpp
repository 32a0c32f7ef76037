#include "compare/comparison_report.h"

#include <optional>
#include <vector>

namespace {
std::string sideText(const std::optional<PictureEntry>& entry) {
    if (!entry) return "-";
    const PictureListEntry row = MakeListEntry(*entry);
    return row.width + " x " + row.height + ", " + row.type + " at " + row.picOffset;
}

std::string undecodableNote(const PictureDifference& difference) {
    if (difference.undecodableA && difference.undecodableB) return " (undecodable in A and B)";
    if (difference.undecodableA) return " (undecodable in A)";
    if (difference.undecodableB) return " (undecodable in B)";
    return "";
}

std::string countText(std::size_t count, const char* what) {
    return std::to_string(count) + " " + what;
}

}  // namespace

std::string DifferenceKind(const PictureDifference& difference) {
    if (difference.onlyInA()) return "only in A";
    if (difference.onlyInB()) return "only in B";
    if (difference.onlyMoved()) return "moved";
    if (difference.entry && difference.pixels) return "both";
    return difference.pixels ? "pixels" : "entry";
}

std::string DifferenceLine(const PictureDifference& difference) {
    PictureEntry numbered;
    numbered.number = difference.number;
    return MakeListEntry(numbered).index + " " + DifferenceKind(difference) + ": " +
           sideText(difference.a) + " -> " + sideText(difference.b) + undecodableNote(difference);
}

std::string ComparisonSummary(std::span<const PictureDifference> differences) {
    std::size_t pixels = 0;
    std::size_t entry = 0;
    std::size_t both = 0;
    std::size_t moved = 0;
    std::size_t onlyA = 0;
    std::size_t onlyB = 0;
    for (const PictureDifference& difference : differences) {
        if (difference.onlyInA()) {
            ++onlyA;
        } else if (difference.onlyInB()) {
            ++onlyB;
        } else if (difference.onlyMoved()) {
            ++moved;
        } else if (difference.pixels && difference.entry) {
            ++both;
        } else if (difference.pixels) {
            ++pixels;
        } else {
            ++entry;
        }
    }
    std::string text = differences.size() == 1
                           ? "1 picture differs"
                           : std::to_string(differences.size()) + " pictures differ";
    std::vector<std::string> parts;
    if (pixels > 0) parts.push_back(countText(pixels, "in pixels"));
    if (entry > 0) parts.push_back(countText(entry, "in the entry only"));
    if (both > 0) parts.push_back(countText(both, "in both"));
    if (moved > 0) parts.push_back(countText(moved, "moved"));
    if (onlyA > 0) parts.push_back(countText(onlyA, "only in A"));
    if (onlyB > 0) parts.push_back(countText(onlyB, "only in B"));
    for (std::size_t i = 0; i < parts.size(); ++i) text += (i == 0 ? ": " : ", ") + parts[i];
    return text;
}
