#pragma once
// Replacing a PNG file stored inside the fullflash by another one, byte for
// byte in the old one's place.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "patch/vkp_format.h"

/// The eight bytes every PNG file starts with.
inline constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1A\n";

/// The offset named by a file name made of hex digits only ("5A0000");
/// nothing for any other name.
[[nodiscard]] std::optional<std::uint32_t> PngOffsetFromName(std::string_view name);

/// Where the PNG starting at `start` ends: just behind the CRC of its first
/// IEND chunk. Nothing when no PNG signature is at `start`, or when no IEND
/// with its CRC lies inside the file.
[[nodiscard]] std::optional<std::uint32_t> EmbeddedPngEnd(std::span<const std::uint8_t> flash,
                                                          std::uint32_t start);

/// Rows that write `newPng` over the old PNG [start, end) and turn the bytes
/// behind it, up to `end`, into 0xFF. No row reaches `end`; `newPng` must not
/// be longer than the old PNG.
[[nodiscard]] std::vector<Vkp::PatchRow> PngReplacementRows(std::span<const std::uint8_t> flash,
                                                            std::uint32_t start, std::uint32_t end,
                                                            std::string_view newPng);
