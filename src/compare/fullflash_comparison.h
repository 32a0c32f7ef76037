#pragma once
// Two fullflashes of one model compared picture by picture: for each table
// index the entries and what the pictures show. Pictures are compared by
// their decoded pixels, so a picture whose data only moved is told apart
// from one that changed. Pure functions over the two fullflashes' bytes.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "fullflash/identification.h"
#include "fullflash/picture_table.h"

/// A fullflash identified and its picture table read, as a load does it.
struct ScannedFullflash {
    FullflashIdentity identity;
    std::vector<PictureEntry> entries;
};

[[nodiscard]] ScannedFullflash ScanFullflash(std::span<const std::uint8_t> flash);

/// Why the pictures of two fullflashes cannot be compared (another platform
/// or another model: their tables do not list the same pictures); nothing
/// when they can.
[[nodiscard]] std::optional<std::string> Incompatibility(const FullflashIdentity& a,
                                                         const FullflashIdentity& b);

/// One picture that differs between fullflash A and fullflash B.
struct PictureDifference {
    int number = 0;
    std::optional<PictureEntry> a;  ///< nothing when only B's table lists the picture
    std::optional<PictureEntry> b;  ///< nothing when only A's table lists it
    bool entry = false;             ///< width, height, type or data offset differ
    /// What the picture shows differs, or cannot be shown on one side.
    bool pixels = false;
    bool undecodableA = false;  ///< the decoder refuses A's type
    bool undecodableB = false;

    /// Same pixels and the same entry but for where the data lies.
    [[nodiscard]] bool onlyMoved() const;
    [[nodiscard]] bool onlyInA() const { return !b; }
    [[nodiscard]] bool onlyInB() const { return !a; }

    friend bool operator==(const PictureDifference&, const PictureDifference&) = default;
};

/// Every picture that differs, by index: first those both tables list, then
/// those only one lists. Pictures whose entries and stream bytes are equal
/// are never decoded.
[[nodiscard]] std::vector<PictureDifference> ComparePictures(std::span<const std::uint8_t> flashA,
                                                             std::span<const PictureEntry> a,
                                                             std::span<const std::uint8_t> flashB,
                                                             std::span<const PictureEntry> b);
