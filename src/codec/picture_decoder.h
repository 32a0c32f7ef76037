#pragma once
// Turns a firmware picture data stream into the current picture.

#include <cstdint>

#include "codec/decoded_picture.h"
#include "support/byte_cursor.h"
#include "support/phrases.h"
#include "ui/ui.h"

namespace GPFcodec {

/// Decodes the stream that starts at `source`'s position into `picture`.
///
/// `bitDepth` 1, 8, 12, 16 or 24 with `compressed` selects the format. Any
/// other depth shows "Not Supported GPF!" titled "<depth>bit" and returns false
/// with `picture` and `source` untouched.
///
/// `width` and `height` are rounded half to even. Pixels run row after row;
/// those that fall outside the 241 x 321 canvas (wider or taller pictures,
/// compressed blocks that overrun the last row) are dropped, and cells the
/// stream does not reach keep their earlier contents. Sizes are decoded up to
/// 65535; a negative size means no pixels. A compressed stream still reads its
/// first control block, and stops at the end of the source. An uncompressed
/// stream that runs past the end of the source decodes the missing bytes as zero.
///
/// On success `picture` gets `width` and `height` (the rounded sizes, limited
/// to the int16 range), `pictureNumber`, `hasAlpha` (depth 24) and `dataSize`:
/// the bytes consumed that the source really holds, so copying `dataSize` bytes
/// from the start position never reads past its end. `source` then stands
/// right behind those bytes.
bool DecodePicture(DecodedPicture& picture, Ui& ui, ByteCursor& source, std::int16_t pictureNumber,
                   double width, double height, bool compressed, int bitDepth,
                   const PhraseBook& words = {});

}  // namespace GPFcodec
