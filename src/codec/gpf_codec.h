#pragma once
// The picture codec in one include: type texts, decoding, encoding, GPF/GPF2
// files, BMP files and the preview's painting. Knows nothing of the window,
// its dialogs or the picture list.

#include "codec/bmp_writer.h"
#include "codec/decoded_picture.h"
#include "codec/gpf_file.h"
#include "codec/paint_picture.h"
#include "codec/picture_decoder.h"
#include "codec/picture_encoder.h"
#include "codec/picture_type.h"
