// Arbitrary bytes through every header probe of outside picture files and the
// 32-bit bitmap reader, as File > Open would meet them.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "picture_io/picture_file_info.h"
#include "picture_io/picture_pixels.h"
#include "picture_io/png_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    static_cast<void>(PictureIO::PictureKindOf(bytes));
    const PictureIO::PictureFileInfo bmp = PictureIO::ReadBmpInfo(bytes);
    static_cast<void>(PictureIO::ReadGifInfo(bytes));
    static_cast<void>(PictureIO::ReadJpegInfo(bytes));
    static_cast<void>(PNGcodec::ReadPngInfo(bytes));
    // Within the picture limit, as the program reads them.
    static_cast<void>(
        PictureIO::ReadBmp32Pixels(bytes, bmp.dataOffset, std::min<int>(bmp.width, 240),
                                   std::min(std::abs(bmp.height), 320), bmp.height < 0));
    return 0;
}
