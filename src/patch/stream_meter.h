#pragma once
// How many bytes a picture's data stream takes: only a decode can tell, so
// streams are decoded into one scratch picture kept for the next one.

#include <cstdint>
#include <optional>
#include <span>

#include "codec/decoded_picture.h"
#include "fullflash/picture_table.h"
#include "support/byte_cursor.h"

class StreamMeter {
  public:
    /// Bytes the stream at `source` takes for a picture of this size and type
    /// byte (counted only as far as the source holds them); nothing for a type
    /// the decoder does not know.
    [[nodiscard]] std::optional<std::uint32_t> Measure(ByteCursor source, unsigned width,
                                                       unsigned height, int type);
    /// The same for the stream a table entry points to.
    [[nodiscard]] std::optional<std::uint32_t> Measure(std::span<const std::uint8_t> flash,
                                                       const PictureEntry& entry);

  private:
    DecodedPicture m_scratch;
};
