#include "codec/gpf_file.h"

#include <algorithm>
#include <string_view>

#include "codec/picture_encoder.h"
#include "support/basic_calculations.h"
#include "support/fs_actions.h"

namespace GPFcodec {

namespace {

constexpr std::string_view kGpfText = "GraphicPatchFile";
constexpr std::string_view kGpf2Text = "GraphPatchFile_2";

void appendU16(std::string& out, int value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

}  // namespace

std::optional<GpfHeader> ParseGpfHeader(ByteCursor& in) {
    const std::size_t start = in.position();
    const std::string text = in.bytes(kGpfText.size());
    GpfHeader header;
    if (text == kGpf2Text) {
        header.gpf2 = true;
    } else if (text != kGpfText) {
        in.seek(start);
        return std::nullopt;
    }
    header.pictureNumber = static_cast<std::int16_t>(in.u16le());
    in.skip(2);
    if (header.gpf2) {
        header.width = static_cast<std::int16_t>(in.u16le());
        header.height = static_cast<std::int16_t>(in.u16le());
    } else {
        header.width = in.u8();
        header.height = in.u8();
    }
    header.typeCode = static_cast<std::int16_t>(in.u16le());
    in.seek(start + kGpfHeaderSize);
    return header;
}

std::string WriteGpfHeader(const GpfHeader& header) {
    std::string out(header.gpf2 ? kGpf2Text : kGpfText);
    appendU16(out, header.pictureNumber);
    appendU16(out, 0);
    if (header.gpf2) {
        appendU16(out, header.width);
        appendU16(out, header.height);
    } else {
        out += static_cast<char>(std::clamp<int>(header.width, 0, 255));
        out += static_cast<char>(std::clamp<int>(header.height, 0, 255));
    }
    appendU16(out, header.typeCode);
    out.resize(kGpfHeaderSize, '\0');
    return out;
}

std::string PadToSixteen(std::string bytes) {
    bytes.resize((bytes.size() + 15) / 16 * 16, '\0');
    return bytes;
}

bool IsGpf2Path(const std::string& path) {
    return path.ends_with(".gpf2");
}

std::string GpfFileBytes(const DecodedPicture& picture, int typeCode, bool gpf2) {
    if (!IsEncodableType(typeCode)) return {};
    GpfHeader header;
    header.width = static_cast<std::int16_t>(picture.canvasColumns());
    header.height = static_cast<std::int16_t>(picture.canvasRows());
    header.typeCode = static_cast<std::int16_t>(typeCode);
    header.pictureNumber = picture.pictureNumber;
    header.gpf2 = gpf2;
    return PadToSixteen(WriteGpfHeader(header) + EncodePicture(picture, typeCode));
}

bool WriteGpfFile(const std::string& path, const DecodedPicture& picture, int typeCode) {
    const std::string bytes = GpfFileBytes(picture, typeCode, IsGpf2Path(path));
    return !bytes.empty() && FSactions_Tavik::ReplaceFile(path, bytes);
}

PictureFileName PictureFileNameFor(int pictureNumber, bool hexFilename, bool zeroFilename) {
    using namespace BasicCalculations_Tavik;
    const auto value = static_cast<std::uint32_t>(pictureNumber) & 0xFFFFu;
    PictureFileName name;
    name.digits = hexFilename ? 3 : 4;
    name.base = hexFilename ? NumberToHex(value) : std::to_string(value);
    if (zeroFilename) name.base = PadZeros(name.base, name.digits);
    return name;
}

}  // namespace GPFcodec
