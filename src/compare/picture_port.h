#pragma once
// A picture patch carried to another firmware: which pictures the patch
// replaces (the patched copy of OLD compared with OLD) and where each original
// shows up in NEW, matched by what it shows. Pure functions over the bytes.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "fullflash/picture_table.h"

enum class PortStatus {
    Carried,       ///< `newNumber` takes the replacement
    Ambiguous,     ///< several pictures of NEW show the original: `candidates`
    NotInNew,      ///< no picture of NEW shows the original
    Undecodable,   ///< the original or the replacement cannot be decoded
    OutsideTable,  ///< the patch changes a picture only one table lists
    Taken,         ///< `newNumber` already takes the replacement of another original
};

struct PortedPicture {
    PictureEntry original;     ///< OLD's entry
    PictureEntry replacement;  ///< the entry as the patched copy lists it
    PortStatus status = PortStatus::NotInNew;
    std::optional<int> newNumber;
    std::vector<int> candidates;  ///< every picture of NEW that shows the original
    bool picked = false;          ///< the nearest of several candidates was taken

    [[nodiscard]] int oldNumber() const { return original.number; }
};

/// What to do with an original that several pictures of NEW show, none at its
/// own index: leave it (listed as ambiguous), or take the nearest index (the
/// lower of two as near).
enum class PickRule { SameIndexOnly, Nearest };

struct PortSides {
    std::span<const std::uint8_t> flash;
    std::span<const PictureEntry> entries;
};

/// Every picture the patch changes (pixels or entry, not those it only moves),
/// in index order, and where it goes in NEW.
[[nodiscard]] std::vector<PortedPicture> PlanPort(PortSides old, PortSides patched, PortSides fresh,
                                                  PickRule pick);

[[nodiscard]] int CarriedCount(std::span<const PortedPicture> pictures);
