#pragma once
// A carried patch as the lines people read: one per picture, then a summary.
// The words come from the caller, so the window says them in its language.

#include <span>
#include <string>

#include "compare/picture_port.h"

struct PortWords {
    std::string notInNew = "not in NEW";
    std::string ambiguous = "ambiguous";
    std::string nearest = "nearest of";
    std::string undecodable = "cannot be decoded";
    std::string outsideTable = "only one table lists it";
    std::string taken = "already takes another picture";
    std::string carried = "carried over";
    std::string of = "of";
};

/// "0012 -> 0014", "0012 -> 0014 (nearest of 0014, 0020)", "0012 ambiguous:
/// 0014, 0020", "0012 not in NEW", ...: indices as the list shows them.
[[nodiscard]] std::string PortLine(const PortedPicture& picture, const PortWords& words);

/// "3 of 4 carried over, 1 not in NEW".
[[nodiscard]] std::string PortSummary(std::span<const PortedPicture> pictures,
                                      const PortWords& words);
