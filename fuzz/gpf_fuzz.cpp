// Arbitrary bytes as a GPF or GPF2 file, read the way the GPF preview reads
// one: the header, then the stream decoded with the header's sizes and type.

#include <cstddef>
#include <cstdint>
#include <span>

#include "codec/gpf_codec.h"
#include "ui/silent_ui.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace GPFcodec;
    ByteCursor file(std::span<const std::uint8_t>(data, size));
    const std::optional<GpfHeader> header = ParseGpfHeader(file);
    if (!header) {
        if (file.position() != 0) __builtin_trap();
        return 0;
    }
    if (WriteGpfHeader(*header).size() != kGpfHeaderSize) __builtin_trap();

    static DecodedPicture picture;
    SilentUi ui;
    const PictureTypeInfo type = TypeInfoFromText(TypeTextFromCode(header->typeCode));
    const std::size_t start = file.position();
    if (!DecodePicture(picture, ui, file, header->pictureNumber, header->width, header->height,
                       type.compressed, type.bitDepth)) {
        return 0;
    }
    // dataSize bytes from the stream start are what a raw copy would take.
    const std::size_t available = size > start ? size - start : 0;
    if (picture.dataSize > static_cast<double>(available)) __builtin_trap();
    return 0;
}
