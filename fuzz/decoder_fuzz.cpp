// The picture decoder on arbitrary streams, as the preview calls it for a
// picture list row. Input: type byte, width (0..255), two bytes of height
// (0..4095), a byte choosing the re-encoding, then the stream.
// The bytes each decode consumed must be the stream length found without
// decoding. A small decoded picture then goes through the encoder, the BMP
// writer and the painter, whose inputs are whatever canvas the decoder left.

#include <cstddef>
#include <cstdint>
#include <span>

#include "codec/gpf_codec.h"
#include "codec/stream_length.h"
#include "fuzz_require.h"
#include "ui/silent_ui.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace GPFcodec;
    static constexpr int kCodes[] = {0x01, 0x05, 0x08, 0x0A, 0x85, 0x88, 0x8A};
    if (size < 5) return 0;
    const GPFcodec::PictureTypeInfo type = TypeInfoFromCode(data[0]);
    const int width = data[1];
    const int height = (data[2] | data[3] << 8) & 0x0FFF;
    const int code = kCodes[data[4] % std::size(kCodes)];
    const std::span<const std::uint8_t> stream(data + 5, size - 5);

    static DecodedPicture picture;
    SilentUi ui;
    ByteCursor source(stream);
    if (!DecodePicture(picture, ui, source, 0, width, height, type.compressed, type.bitDepth))
        return 0;
    const auto consumed = static_cast<std::size_t>(picture.dataSize);
    require(consumed <= stream.size() && source.position() <= stream.size());
    // The length found without decoding must be the length the decode consumed.
    require(StreamLength(stream, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                         type) == consumed);

    // Whatever was decoded must survive its own re-encoding. Only for small
    // pictures, which reach every branch of these writers at a fraction of the
    // cost per run.
    if (picture.canvasColumns() * picture.canvasRows() > 4096) return 0;
    const std::string encoded = EncodePicture(picture, code);
    const std::span<const std::uint8_t> again(reinterpret_cast<const std::uint8_t*>(encoded.data()),
                                              encoded.size());
    ByteCursor reread(again);
    const PictureTypeInfo encodedType = TypeInfoFromCode(code);
    static DecodedPicture copy;
    DecodePicture(copy, ui, reread, 0, picture.canvasColumns(), picture.canvasRows(),
                  encodedType.compressed, encodedType.bitDepth);
    require(copy.dataSize == static_cast<double>(encoded.size()));

    const std::string bmp = BmpFileBytes(picture, data[4] & 0x80);
    const PaintedImage painted = PaintPicture(picture, data[4] & 0x40, 0xF0, 0xF0, 0xF0);
    require(bmp.size() >= kBmpHeaderSize &&
            painted.pixels.size() == static_cast<std::size_t>(painted.width * painted.height));
    return 0;
}
