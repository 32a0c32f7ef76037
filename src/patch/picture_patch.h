#pragma once
// The lines that replace one picture: its table entry, and its new data
// either in the picture's own place or in erased flash.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "fullflash/picture_table.h"
#include "patch/vkp_format.h"

/// True when an entry of `format` can list a picture of this size: the 8-byte
/// entry has one byte for each; a 12-byte table ends at an entry wider than
/// 240 or taller than 320.
[[nodiscard]] bool EntryHolds(EntryFormat format, unsigned width, unsigned height);

/// The entry at `entryOffset` as it is now, and as it lists the new picture
/// whose data starts at flash address `address`.
[[nodiscard]] Vkp::PatchRow EntryRow(std::span<const std::uint8_t> flash, std::uint32_t entryOffset,
                                     EntryFormat format, unsigned width, unsigned height,
                                     std::uint8_t type, std::uint32_t address);

/// The rows that put a stream of `dataSize` bytes at file offset `target`:
/// full 16-byte rows, then the tail. `stream` is the staging file after its
/// header (bytes past its end count as zero).
///
/// `placeEnd` is set when the data goes into the picture's own place and says
/// where the next picture's data begins. No row then reaches that offset: a
/// stream under 16 bytes writes only up to it, and an odd tail is rounded up to
/// an even length only while the extra byte stays inside the place. A tail of
/// exactly 15 bytes with room behind it is completed with 0xFF, and the rest of
/// the place up to `placeEnd` is erased (0xFF).
[[nodiscard]] std::vector<Vkp::PatchRow> PictureDataRows(std::span<const std::uint8_t> flash,
                                                         std::uint32_t target,
                                                         std::string_view stream,
                                                         std::uint32_t dataSize,
                                                         std::optional<std::uint32_t> placeEnd);
