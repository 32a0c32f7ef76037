#include "patch/staged_picture.h"

#include "codec/stream_length.h"
#include "support/byte_cursor.h"

std::optional<StagedPicture> ReadStagedPicture(std::string_view file) {
    ByteCursor in({reinterpret_cast<const std::uint8_t*>(file.data()), file.size()});
    const auto header = GPFcodec::ParseGpfHeader(in);
    if (!header || file.size() < GPFcodec::kGpfHeaderSize || header->typeCode < 0 ||
        header->typeCode > 0xFF || header->width < 0 || header->height < 0) {
        return std::nullopt;
    }
    StagedPicture staged;
    staged.header = *header;
    staged.stream = std::string(file.substr(GPFcodec::kGpfHeaderSize));

    // Measured with zero bytes behind it: a stream that needs more bytes than
    // the file holds takes some of them, which is how a cut-off file shows.
    const std::string extended = staged.stream + std::string(16, '\0');
    const auto size = GPFcodec::StreamLength(
        {reinterpret_cast<const std::uint8_t*>(extended.data()), extended.size()}, 0,
        static_cast<unsigned>(header->width), static_cast<unsigned>(header->height),
        GPFcodec::TypeInfoFromCode(header->typeCode));
    if (!size || *size > staged.stream.size()) return std::nullopt;
    staged.dataSize = *size;
    return staged;
}
