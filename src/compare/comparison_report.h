#pragma once
// The differences between two fullflashes as the lines people read: one per
// differing picture, then a summary.

#include <span>
#include <string>

#include "compare/fullflash_comparison.h"

/// What differs: "pixels", "entry", "both", "moved", "only in A", "only in B".
[[nodiscard]] std::string DifferenceKind(const PictureDifference& difference);

/// "0012 pixels: 16 x 16, 8800 at 0123456 -> 16 x 16, 8800 at 0123456": the
/// index as the list shows it, what differs, then size, type and data offset
/// in A and in B ("-" for a side whose table does not list the picture), and
/// which side the decoder refuses, if any.
[[nodiscard]] std::string DifferenceLine(const PictureDifference& difference);

/// "N pictures differ", and when some do, how, by the kinds the lines name:
/// "4 pictures differ: 1 in pixels, 1 in both, 1 moved, 1 only in B".
[[nodiscard]] std::string ComparisonSummary(std::span<const PictureDifference> differences);
