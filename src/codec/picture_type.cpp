#include "codec/picture_type.h"

#include "support/basic_calculations.h"

namespace GPFcodec {

namespace {

struct DepthDigit {
    char digit;
    int bitDepth;
};

// The second digit of a type text (the type byte's low nibble) to its format.
constexpr DepthDigit kDepthDigits[] = {
    {'A', 24},  // blue, green, red, alpha
    {'8', 16},  // RGB565
    {'7', 12},  // 0RGB, four bits each
    {'5', 8},   // RRRGGGBB
    {'1', 1},   // one bit, 1 = black
};

}  // namespace

PictureTypeInfo TypeInfoFromText(std::string_view typeText) {
    PictureTypeInfo info;
    info.compressed = !typeText.empty() && typeText[0] == '8';
    if (typeText.size() < 2) return info;
    for (const DepthDigit& entry : kDepthDigits) {
        if (entry.digit == typeText[1]) info.bitDepth = entry.bitDepth;
    }
    return info;
}

std::string TypeTextFromCode(int code) {
    const auto value = static_cast<std::uint32_t>(code) & 0xFFFFu;
    return BasicCalculations_Tavik::PadZeros(BasicCalculations_Tavik::NumberToHex(value), 2);
}

PictureTypeInfo TypeInfoFromCode(int code) {
    return TypeInfoFromText(TypeTextFromCode(code));
}

}  // namespace GPFcodec
