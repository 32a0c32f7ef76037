#include "patch/staged_picture.h"

#include "codec/picture_decoder.h"
#include "codec/picture_type.h"
#include "support/byte_cursor.h"
#include "ui/silent_ui.h"

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

    // Decoded with zero bytes behind it: a stream that needs more bytes than
    // the file holds takes some of them, which is how a cut-off file shows.
    const std::string extended = staged.stream + std::string(16, '\0');
    ByteCursor source({reinterpret_cast<const std::uint8_t*>(extended.data()), extended.size()});
    const auto type = GPFcodec::TypeInfoFromText(GPFcodec::TypeTextFromCode(header->typeCode));
    DecodedPicture scratch;
    SilentUi quiet;
    if (!GPFcodec::DecodePicture(scratch, quiet, source, header->pictureNumber, header->width,
                                 header->height, type.compressed, type.bitDepth) ||
        scratch.dataSize > static_cast<double>(staged.stream.size())) {
        return std::nullopt;
    }
    staged.dataSize = static_cast<std::uint32_t>(scratch.dataSize);
    return staged;
}
