#pragma once
// Pictures as the page draws and encodes them: rows of bytes, top row first.

#include <string>

#include "codec/decoded_picture.h"
#include "codec/paint_picture.h"

struct PagePixels {
    int width = 0;
    int height = 0;
    int channels = 4;  ///< 3: red, green, blue; 4: and alpha
    std::string bytes;
};

/// What the preview paints, opaque.
[[nodiscard]] PagePixels PaintedPixels(const GPFcodec::PaintedImage& image);

/// The pixels of a bitmap written by the core (24 or 32 bits, rows from the
/// bottom up): 3 channels for 24 bits, 4 for 32. Empty for any other file.
[[nodiscard]] PagePixels BitmapPixels(const std::string& bitmap);

/// The picture with its transparency, as its 32-bit bitmap holds it.
[[nodiscard]] PagePixels PictureWithAlpha(const DecodedPicture& picture);
