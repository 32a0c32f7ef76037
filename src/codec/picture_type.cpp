#include "codec/picture_type.h"

#include "support/basic_calculations.h"

namespace GPFcodec {

PictureTypeInfo TypeInfoFromText(std::string_view typeText) {
    PictureTypeInfo info;
    info.compressed = !typeText.empty() && typeText[0] == '8';
    if (typeText.size() < 2) return info;
    switch (typeText[1]) {
        case 'A': info.bitDepth = 24; break;
        case '8': info.bitDepth = 16; break;
        case '7': info.bitDepth = 12; break;
        case '5': info.bitDepth = 8; break;
        case '1': info.bitDepth = 1; break;
        default: info.bitDepth = 0; break;
    }
    return info;
}

std::string TypeTextFromCode(int code) {
    const auto value = static_cast<std::uint32_t>(code) & 0xFFFFu;
    return BasicCalculations_Tavik::PadZeros(BasicCalculations_Tavik::NumberToHex(value), 2);
}

}  // namespace GPFcodec
