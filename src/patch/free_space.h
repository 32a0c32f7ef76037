#pragma once
// Erased flash (runs of 0xFF) for pictures that no longer fit where they lay.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

/// A run of erased 16-byte blocks: [start, end). `end` is where the next
/// search starts.
struct FreeRun {
    std::uint32_t start = 0;
    std::uint32_t end = 0;

    friend bool operator==(const FreeRun&, const FreeRun&) = default;
};

/// Says whether [begin, end) holds something that must stay: a picture's
/// data that happens to be all 0xFF is not free flash.
using OccupiedTest = std::function<bool(std::uint32_t begin, std::uint32_t end)>;

/// The highest file offset a picture table entry can point to: entries keep
/// 28 bits of the offset.
inline constexpr std::uint64_t kAddressableFlash = 0x10000000;

/// Walks 16-byte blocks from `position` on. A block counts as erased when all
/// its bytes are 0xFF and `occupied` (when set) does not claim it; the first
/// run of erased blocks longer than `size` (strictly) is returned. Nothing
/// when the end of the file, or of the addressable flash, comes first.
[[nodiscard]] std::optional<FreeRun> FindFreeSpace(std::span<const std::uint8_t> flash,
                                                   double position, double size,
                                                   const OccupiedTest& occupied = {});
