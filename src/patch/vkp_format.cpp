#include "patch/vkp_format.h"

#include "support/basic_calculations.h"

namespace VkpFormat {

namespace {

constexpr std::size_t kBannerText = 70;

std::string bannerLine(std::string text) {
    for (char& c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x20 || code == 0x7F) c = ' ';
    }
    if (text.size() < kBannerText) text.resize(kBannerText, ' ');
    return text + "###";
}

}  // namespace

std::string DataLine(const PatchRow& row) {
    using namespace BasicCalculations_Tavik;
    return PadZeros(NumberToHex(row.address), 8) + ": " + BytesToHex(row.oldBytes, false) + " " +
           BytesToHex(row.newBytes, false);
}

void AppendLine(std::string& text, std::string_view line) {
    text += line;
    text += kLineEnd;
}

void AppendRows(std::string& text, const std::vector<PatchRow>& rows) {
    for (const PatchRow& row : rows) AppendLine(text, DataLine(row));
}

std::uint32_t FlashAddress(std::uint32_t fileOffset) {
    return fileOffset + 0xA0000000u;
}

std::vector<std::string> BannerLines(const BannerFacts& facts) {
    const std::string rule = "; " + std::string(71, '#');
    return {
        rule,
        bannerLine("; ### This file is made by " + facts.madeBy),
        bannerLine("; ### Made with Pictavo, picture editor for SGold/New-SGold"),
        bannerLine("; ###"),
        bannerLine("; ### Check it before flashing: pictavo-cli verify FLASH PATCH"),
        bannerLine("; ###"),
        bannerLine("; ### Patch for " + facts.manufacturer + " " + facts.model + "fw" +
                   facts.firmware + " (" + facts.platform + ")"),
        rule,
    };
}

std::string PictureComment(int number) {
    return "; ##### Picture " + std::to_string(number) + " #####";
}

std::string PngComment(std::string_view name) {
    return "; ##### PNG Picture " + std::string(name) + " #####";
}

}  // namespace VkpFormat
