#include "patch/vkp_format.h"

#include "support/basic_calculations.h"

namespace Vkp {

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

void appendHex(std::string& text, std::string_view bytes) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text += kDigits[b >> 4];
        text += kDigits[b & 0x0F];
    }
}

// Written straight into the text: a patch of many pictures has hundreds of
// thousands of these lines.
void appendDataLine(std::string& text, const PatchRow& row) {
    using namespace BasicCalculations_Tavik;
    text += PadZeros(NumberToHex(row.address), 8);
    text += ": ";
    appendHex(text, row.oldBytes);
    text += ' ';
    appendHex(text, row.newBytes);
}

}  // namespace

std::string DataLine(const PatchRow& row) {
    std::string line;
    appendDataLine(line, row);
    return line;
}

void AppendLine(std::string& text, std::string_view line) {
    text += line;
    text += kLineEnd;
}

std::size_t LineCount(std::string_view text) {
    std::size_t lines = 0;
    for (std::size_t at = text.find(kLineEnd); at != std::string_view::npos;
         at = text.find(kLineEnd, at + kLineEnd.size()))
        ++lines;
    return lines;
}

void AppendRows(std::string& text, const std::vector<PatchRow>& rows) {
    for (const PatchRow& row : rows) {
        appendDataLine(text, row);
        text += kLineEnd;
    }
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

}  // namespace Vkp
