#pragma once
// A small SGold fullflash for window tests: `pictures` uncompressed 8-bit
// pictures of (2 + index) x 2 pixels.

#include <string>

#include "common/flash_builder.h"

inline std::string TinySGoldFlash(int pictures) {
    FlashBuilder builder;
    for (int i = 0; i < pictures; ++i) {
        builder.addPicture(2 + i, 2, 0x05,
                           std::string(static_cast<std::size_t>(2 * (2 + i)), '\x1C'));
    }
    return builder.bytes();
}
