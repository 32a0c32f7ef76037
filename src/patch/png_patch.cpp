#include "patch/png_patch.h"

#include <algorithm>
#include <cctype>

#include "support/basic_calculations.h"
#include "support/byte_cursor.h"

std::optional<std::uint32_t> PngOffsetFromName(std::string_view name) {
    const bool hex = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return std::isxdigit(static_cast<unsigned char>(c)) != 0;
    });
    if (!hex) return std::nullopt;
    const std::string_view significant =
        name.substr(std::min(name.find_first_not_of('0'), name.size() - 1));
    if (significant.size() > 8) return std::nullopt;
    return BasicCalculations_Tavik::HexToNumber(significant);
}

std::optional<std::uint32_t> EmbeddedPngEnd(std::span<const std::uint8_t> flash,
                                            std::uint32_t start) {
    const std::string_view bytes(reinterpret_cast<const char*>(flash.data()), flash.size());
    if (start >= bytes.size() || !bytes.substr(start).starts_with(kPngSignature))
        return std::nullopt;
    const std::size_t iend = bytes.find("IEND", start);
    // The chunk's 4-byte CRC follows its type.
    if (iend == std::string_view::npos || iend + 8 > bytes.size()) return std::nullopt;
    return static_cast<std::uint32_t>(iend + 8);
}

std::vector<Vkp::PatchRow> PngReplacementRows(std::span<const std::uint8_t> flash,
                                              std::uint32_t start, std::uint32_t end,
                                              std::string_view newPng) {
    std::string content(newPng);
    content.resize(end - start, '\xFF');
    std::vector<Vkp::PatchRow> rows;
    for (std::uint32_t at = 0; at < content.size(); at += 16) {
        const std::size_t length = std::min<std::size_t>(16, content.size() - at);
        ByteCursor old(flash, start + at);
        rows.push_back({start + at, old.bytes(length), content.substr(at, length)});
    }
    return rows;
}
