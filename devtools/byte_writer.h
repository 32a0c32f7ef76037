#pragma once
// Writing little- and big-endian integers byte by byte, into a fixed image or
// onto the end of a growing buffer.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace ByteWriter {

inline void putU16le(std::span<std::uint8_t> out, std::size_t at, std::uint16_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void putU32le(std::span<std::uint8_t> out, std::size_t at, std::uint32_t value) {
    putU16le(out, at, static_cast<std::uint16_t>(value));
    putU16le(out, at + 2, static_cast<std::uint16_t>(value >> 16));
}

inline void putText(std::span<std::uint8_t> out, std::size_t at, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) out[at + i] = static_cast<std::uint8_t>(text[i]);
}

inline void appendU16le(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void appendU32be(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline void appendText(std::vector<std::uint8_t>& out, std::string_view text) {
    for (char c : text) out.push_back(static_cast<std::uint8_t>(c));
}

}  // namespace ByteWriter
