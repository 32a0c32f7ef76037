#pragma once
// The loaded fullflash as the main window keeps it.

#include <cstdint>
#include <memory>
#include <string>

#include "support/mapped_file.h"

inline constexpr double kSGoldFreeSpaceStart = 0x40000;
inline constexpr double kNewSGoldFreeSpaceStart = 0x1000000;

struct FullflashState {
    /// Read-only; null when nothing is loaded. Shared, so work running beside
    /// the window (thumbnails) keeps the bytes mapped until it ends.
    std::shared_ptr<const MappedFile> file;
    bool NewSGold = false;
    std::string mModel;
    std::string fw;
    std::string lngPack;
    std::string ManufN;
    std::string platform;
    std::string PITadr;
    std::int16_t picnum = -1;  ///< index of the last listed picture
    double freeSpacePosition = kSGoldFreeSpaceStart;
    bool pngChangesPending = false;
};
