#include "patch/stream_meter.h"

#include "codec/picture_decoder.h"
#include "codec/picture_type.h"
#include "ui/silent_ui.h"

std::optional<std::uint32_t> StreamMeter::Measure(ByteCursor source, unsigned width,
                                                  unsigned height, int type) {
    const auto info = GPFcodec::TypeInfoFromText(GPFcodec::TypeTextFromCode(type));
    SilentUi quiet;
    if (!GPFcodec::DecodePicture(m_scratch, quiet, source, 0, width, height, info.compressed,
                                 info.bitDepth)) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(m_scratch.dataSize);
}

std::optional<std::uint32_t> StreamMeter::Measure(std::span<const std::uint8_t> flash,
                                                  const PictureEntry& entry) {
    return Measure(ByteCursor(flash, entry.dataOffset), entry.width, entry.height, entry.type);
}
