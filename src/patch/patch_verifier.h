#pragma once
// Proves what a VKP patch does to a fullflash before it goes onto a phone:
// every line's old bytes checked (a patch made for another firmware matches
// only in part, or not at all), overlapping lines found, the patch applied to a
// copy, the picture table read again from the copy and every picture the patch
// touches decoded.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "patch/vkp_reader.h"

struct OldBytesMismatch {
    int line = 0;
    std::uint64_t address = 0;  ///< first byte that differs (the file's size when past its end)
};

/// A data line whose bytes lie outside the fullflash, so it cannot be applied.
struct OutsideLine {
    int line = 0;
    bool beforeStart = false;  ///< else past the end
};

struct LineOverlap {
    int firstLine = 0;
    int secondLine = 0;
    std::int64_t address = 0;  ///< where the second line starts
};

/// A picture whose table entry the patch replaces, as the patched copy lists it.
struct ChangedPicture {
    int number = 0;
    unsigned width = 0;
    unsigned height = 0;
    std::uint8_t type = 0;
    std::uint32_t dataOffset = 0;
    std::optional<std::uint32_t> dataSize;  ///< nothing when it does not decode
};

/// A picture whose data the patch writes over although its entry stays.
struct TouchedPicture {
    int number = 0;
    std::uint32_t dataOffset = 0;
    bool decodes = false;  ///< its entry still reads as a picture in the patched copy
};

struct PatchCheck {
    int lines = 0;
    int dataLines = 0;
    std::uint64_t bytesChanged = 0;      ///< bytes whose value differs after the patch
    std::vector<Vkp::Finding> errors;    ///< lines the reader cannot read
    std::vector<Vkp::Finding> warnings;  ///< open pragmas and offsets, odd but readable lines
    std::size_t errorsNotListed = 0;     ///< more errors than the reader keeps
    /// More data lines than the reader keeps: the first line not read (else 0),
    /// and how many were kept.
    int firstLineNotKept = 0;
    std::size_t dataLinesKept = 0;
    std::size_t warningsNotListed = 0;
    std::uint64_t flashSize = 0;
    std::vector<OutsideLine> outside;
    int matching = 0;  ///< lines whose old bytes all match the fullflash
    std::vector<OldBytesMismatch> mismatches;
    /// Data lines inside the fullflash whose new bytes already lie there.
    int alreadyInPlace = 0;
    std::vector<int> unchecked;  ///< lines without old bytes: nothing to check them against
    std::vector<LineOverlap> overlaps;
    std::size_t picturesBefore = 0;
    std::size_t picturesAfter = 0;
    std::vector<ChangedPicture> changed;
    std::vector<TouchedPicture> touched;

    /// Every line was read, lies inside the file and finds its old bytes.
    [[nodiscard]] bool applicable() const {
        return readable() && outside.empty() && mismatches.empty();
    }
    [[nodiscard]] bool readable() const {
        return errors.empty() && errorsNotListed == 0 && firstLineNotKept == 0;
    }
    /// Every data line lies inside the file and its new bytes are there already.
    [[nodiscard]] bool alreadyApplied() const {
        return readable() && dataLines > 0 && outside.empty() && alreadyInPlace == dataLines;
    }
    /// Nothing at all to report.
    [[nodiscard]] bool clean() const;
};

struct PatchResult {
    PatchCheck check;
    std::vector<std::uint8_t> patched;  ///< the fullflash with every readable in-file line applied
};

/// Checks `vkpText` against `flash`, which is only read.
[[nodiscard]] PatchResult VerifyPatch(std::span<const std::uint8_t> flash,
                                      std::string_view vkpText);
