#pragma once
// Small, well-formed PNG, GIF89a and XML files of the kind a firmware keeps
// among its resources, for the images' embedded-file areas.

#include <cstdint>
#include <span>
#include <vector>

/// CRC-32 as PNG chunks carry it (reflected polynomial 0xEDB88320).
[[nodiscard]] std::uint32_t Crc32(std::span<const std::uint8_t> bytes);

/// An 8-bit RGB PNG of width x height (each 1..6): signature, IHDR, one IDAT
/// holding a stored (uncompressed) zlib stream, IEND; every CRC correct.
[[nodiscard]] std::vector<std::uint8_t> MakePng(int width, int height);

/// A GIF89a of one row of `width` pixels (1 or 2) with a two-colour table,
/// ending with the block terminator 00 and the trailer 3B, which appear
/// nowhere earlier in the file.
[[nodiscard]] std::vector<std::uint8_t> MakeGif(int width);

/// An XML document beginning "<?xml " and holding no zero byte. In a firmware
/// such a text ends with a blank and a zero byte, which are not part of it.
[[nodiscard]] std::vector<std::uint8_t> MakeXml(int variant);
