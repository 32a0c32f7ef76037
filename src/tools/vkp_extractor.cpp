#include "tools/vkp_extractor.h"

#include "codec/gpf_file.h"
#include "support/basic_calculations.h"

using namespace BasicCalculations_Tavik;

namespace {

constexpr std::string_view kPictureComment = "; ##### Picture ";
constexpr std::string_view kPngComment = "; ##### PNG Picture ";
constexpr std::size_t kCommentEnd = 6;  // " #####"
// Shorter lines end a block: the empty line between blocks, for one.
constexpr std::size_t kShortestDataLine = 14;
// A row of erased flash: the writer's clean-up of an old place, not picture data.
constexpr std::string_view kErasedRow = "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF";
// An entry line this long holds the 12-byte entry, shorter ones the 8-byte entry.
constexpr std::size_t kLongEntryLine = 44;

/// The text between a comment's prefix and its " #####"; nothing when the line
/// is not such a comment or too short to carry a name.
std::optional<std::string_view> commentName(std::string_view line, std::string_view prefix) {
    if (!line.starts_with(prefix) || line.size() <= prefix.size() + kCommentEnd)
        return std::nullopt;
    return line.substr(prefix.size(), line.size() - prefix.size() - kCommentEnd);
}

/// The new-byte text of a data line of length L: its last (L - 11) / 2
/// characters, the half rounded to even. For the writer's lines (address,
/// ": ", old hex, a blank, new hex of the old one's length) exactly the new hex.
std::string_view newByteText(std::string_view line) {
    const std::size_t twice = line.size() - 11;
    std::size_t count = twice / 2;
    if (twice % 2 == 1 && count % 2 == 1) ++count;
    return line.substr(line.size() - count);
}

/// The two hex digits that start `k` characters before the end of the line.
unsigned byteBeforeEnd(std::string_view line, std::size_t k) {
    if (line.size() < k) return 0;
    return HexToNumber(line.substr(line.size() - k, 2));
}

GPFcodec::GpfHeader headerFromEntryLine(std::string_view line) {
    GPFcodec::GpfHeader header;
    const bool longEntry = line.size() >= kLongEntryLine;
    if (longEntry) {
        header.width =
            static_cast<std::int16_t>(byteBeforeEnd(line, 24) + 256 * byteBeforeEnd(line, 22));
        header.height =
            static_cast<std::int16_t>(byteBeforeEnd(line, 20) + 256 * byteBeforeEnd(line, 18));
        header.typeCode = static_cast<std::int16_t>(byteBeforeEnd(line, 16));
    } else {
        header.width = static_cast<std::int16_t>(byteBeforeEnd(line, 16));
        header.height = static_cast<std::int16_t>(byteBeforeEnd(line, 14));
        header.typeCode = static_cast<std::int16_t>(byteBeforeEnd(line, 12));
    }
    header.gpf2 = longEntry;
    return header;
}

}  // namespace

std::optional<std::string_view> VkpExtractor::nextLine() {
    if (m_position >= m_text.size()) return std::nullopt;
    const std::size_t end = std::min(m_text.find_first_of("\r\n", m_position), m_text.size());
    const std::string_view line = m_text.substr(m_position, end - m_position);
    m_position = end + 1;
    if (end + 1 < m_text.size() && m_text[end] == '\r' && m_text[end + 1] == '\n') ++m_position;
    return line;
}

std::optional<ExtractedFile> VkpExtractor::next() {
    while (const auto line = nextLine()) {
        if (const auto number = commentName(*line, kPictureComment)) {
            if (auto file = picture(*number)) return file;
        } else if (const auto name = commentName(*line, kPngComment)) {
            return ExtractedFile{FolderSafeName(*name) + ".png", blockData(), false};
        }
    }
    return std::nullopt;
}

std::optional<ExtractedFile> VkpExtractor::picture(std::string_view numberText) {
    const std::size_t entryStart = m_position;
    const auto entry = nextLine();
    // A comment with no entry line after it is a picture the writer could not
    // place: it has no block, and the lines after it belong to the next one.
    if (!entry || entry->size() < kShortestDataLine || entry->starts_with(';')) {
        m_position = entryStart;
        return std::nullopt;
    }
    (void)nextLine();  // the writer's empty line after the entry
    GPFcodec::GpfHeader header = headerFromEntryLine(*entry);
    header.pictureNumber = static_cast<std::int16_t>(NumberTextValue(numberText) & 0xFFFF);
    const std::string extension = header.typeCode <= 10 ? ".gpf" : ".gpf2";
    return ExtractedFile{PictureBaseName(numberText, m_rule) + extension,
                         GPFcodec::PadToSixteen(GPFcodec::WriteGpfHeader(header) + blockData()),
                         true};
}

std::string VkpExtractor::blockData() {
    std::string data;
    while (const auto line = nextLine()) {
        if (line->size() < kShortestDataLine) break;
        const std::string_view text = newByteText(*line);
        if (text == kErasedRow) break;
        data += HexToBytes(text, false);
    }
    return data;
}
