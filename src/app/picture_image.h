#pragma once
// The current picture as a Qt image with real transparency, for the
// clipboard and the thumbnail grid: the alpha byte when the picture has one,
// else the transparency marker is the one transparent colour (as in a 32-bit
// BMP export).

#include <QImage>

#include "codec/decoded_picture.h"
#include "codec/paint_picture.h"

[[nodiscard]] QImage PictureWithAlpha(const DecodedPicture& picture);

/// A painted preview as an image; a null image when nothing is painted.
[[nodiscard]] QImage PaintedToImage(const GPFcodec::PaintedImage& painted);
