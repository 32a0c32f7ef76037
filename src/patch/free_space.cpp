#include "patch/free_space.h"

#include <algorithm>

std::optional<FreeRun> FindFreeSpace(std::span<const std::uint8_t> flash, double position,
                                     double size, const OccupiedTest& occupied) {
    constexpr std::uint64_t kBlock = 16;
    if (!(position >= 0)) position = 0;
    const std::uint64_t limit = std::min<std::uint64_t>(flash.size(), kAddressableFlash);
    std::uint64_t run = 0;
    std::uint64_t runStart = 0;
    for (auto block = static_cast<std::uint64_t>(position); block + kBlock <= limit;
         block += kBlock) {
        const auto bytes = flash.subspan(block, kBlock);
        const bool erased =
            std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0xFF; }) &&
            !(occupied && occupied(static_cast<std::uint32_t>(block),
                                   static_cast<std::uint32_t>(block + kBlock)));
        if (!erased) {
            run = 0;
            continue;
        }
        if (run == 0) runStart = block;
        run += kBlock;
        if (static_cast<double>(run) > size) {
            return FreeRun{static_cast<std::uint32_t>(runStart),
                           static_cast<std::uint32_t>(block + kBlock)};
        }
    }
    return std::nullopt;
}
