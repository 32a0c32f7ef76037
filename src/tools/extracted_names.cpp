#include "tools/extracted_names.h"

#include <algorithm>

#include "support/basic_calculations.h"

using namespace BasicCalculations_Tavik;

int NameDigits(const NamingRule& rule) {
    return rule.hexFilename ? 3 : 4;
}

std::uint32_t NumberTextValue(std::string_view text) {
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = std::min<std::uint64_t>(value * 10 + static_cast<unsigned>(c - '0'), 0xFFFFFFFFu);
    }
    return static_cast<std::uint32_t>(value);
}

std::string PictureBaseName(std::string_view numberText, const NamingRule& rule) {
    const std::string base =
        rule.hexFilename ? NumberToHex(NumberTextValue(numberText)) : FolderSafeName(numberText);
    return rule.zeroFilename ? PadZeros(base, NameDigits(rule)) : base;
}

std::string FolderSafeName(std::string_view text) {
    std::string name(text);
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '/' || c == '\0'; }, '_');
    return name;
}
