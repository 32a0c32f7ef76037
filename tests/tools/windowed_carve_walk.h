#pragma once
// The embedded-file walk exactly as the program has always done it, window by
// window through the C library's file reads: kept only as the judge of the
// fast carver, never in the program.

#include <cstdint>
#include <span>
#include <vector>

#include "tools/embedded_file_carver.h"

enum class LastWindow {
    Skipped,   ///< the walk's letter: a partly filled window ends it unsearched
    Searched,  ///< as if 255 bytes that match nothing followed the file
};

/// Every file the walk writes (answering every overwrite question with OK), in order.
[[nodiscard]] std::vector<CarvedFile> WindowedCarveWalk(std::span<const std::uint8_t> bytes,
                                                        const CarveSignature& signature,
                                                        LastWindow lastWindow);
