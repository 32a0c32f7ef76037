#pragma once
// GPF and GPF2 graphic patch files: a 32-byte header, the picture's data
// stream as the firmware stores it, zero bytes up to a multiple of 16. Also the
// rule that turns a picture number into a file name.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "codec/decoded_picture.h"
#include "support/byte_cursor.h"

namespace GPFcodec {

inline constexpr std::size_t kGpfHeaderSize = 32;

struct GpfHeader {
    std::int16_t width = 0;
    std::int16_t height = 0;
    std::int16_t typeCode = 0;  ///< the type byte in the low byte
    std::int16_t pictureNumber = 0;
    bool gpf2 = false;  ///< two-byte width and height

    friend bool operator==(const GpfHeader&, const GpfHeader&) = default;
};

/// Reads a header at the cursor: "GraphicPatchFile" (GPF: one-byte width and
/// height) or "GraphPatchFile_2" (GPF2: two-byte fields). On success the cursor
/// stands at the data stream, 32 bytes on; fields a short file lacks read as 0.
/// Any other text gives nullopt and leaves the cursor where it was.
[[nodiscard]] std::optional<GpfHeader> ParseGpfHeader(ByteCursor& in);

/// The 32 header bytes. A GPF header stores width and height in one byte
/// each, limited to 0..255; GPF2 stores all 16 bits.
[[nodiscard]] std::string WriteGpfHeader(const GpfHeader& header);

/// `bytes` followed by zero bytes up to a multiple of 16.
[[nodiscard]] std::string PadToSixteen(std::string bytes);

/// True when `path` ends in ".gpf2" (exact case): the file gets a GPF2 header.
[[nodiscard]] bool IsGpf2Path(const std::string& path);

/// The whole file for `picture` re-encoded with `typeCode`: header (size of
/// the part the canvas holds, see EncodePicture; the picture's number), stream,
/// padding. Empty when EncodePicture refuses the code.
[[nodiscard]] std::string GpfFileBytes(const DecodedPicture& picture, int typeCode, bool gpf2);

/// Writes GpfFileBytes to `path`, GPF2 when IsGpf2Path. An existing file is
/// replaced. False, with nothing written, for a code EncodePicture refuses;
/// false when the file cannot be written. A GPF header cannot hold a height
/// above 255: callers refuse such pictures for ".gpf" paths before calling.
bool WriteGpfFile(const std::string& path, const DecodedPicture& picture, int typeCode);

struct PictureFileName {
    std::string base;  ///< without extension
    int digits = 4;    ///< 3 for hexadecimal names, else 4 (the window's `am`)
};

/// The single-save name of a picture: decimal, or upper-case hex when
/// `hexFilename`; left-padded with '0' to `digits` when `zeroFilename`. The
/// number is taken as its unsigned 16-bit value, so a negative number from a
/// damaged GPF header still gives a name without a sign.
[[nodiscard]] PictureFileName PictureFileNameFor(int pictureNumber, bool hexFilename,
                                                 bool zeroFilename);

}  // namespace GPFcodec
