#pragma once
// The fixtures the benchmarks share: the full-table image they measure on
// and writing an image to the file a command opens.

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "devtools/mkflash.h"

/// A New-SGold E71 image whose table is full: 2,501 pictures.
inline MkflashOptions FullE71Table() {
    MkflashOptions options;
    options.platform = MkflashPlatform::NewSGold;
    options.model = "E71";
    options.pictures = 2501;
    return options;
}

inline void WriteImage(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}
