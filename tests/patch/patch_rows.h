#pragma once
// The model the patch layouts are checked against: a place's whole new content
// cut into 16-byte rows from its start, the old bytes taken from the image.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "patch/vkp_format.h"

inline std::vector<Vkp::PatchRow> Chunked(std::span<const std::uint8_t> flash,
                                          std::uint32_t address, const std::string& content) {
    std::vector<Vkp::PatchRow> rows;
    for (std::size_t at = 0; at < content.size(); at += 16) {
        const std::size_t length = std::min<std::size_t>(16, content.size() - at);
        rows.push_back(
            {static_cast<std::uint32_t>(address + at),
             std::string(reinterpret_cast<const char*>(flash.data()) + address + at, length),
             content.substr(at, length)});
    }
    return rows;
}

/// `count` bytes counting up from `first` (never 0x00 or 0xFF, so padding and
/// erased bytes stand out).
inline std::string Counting(std::size_t count, int first = 1) {
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) bytes += static_cast<char>(1 + (first - 1 + i) % 254);
    return bytes;
}
