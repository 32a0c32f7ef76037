#pragma once
// The lines of a VKP patch as this program writes them: 8-bit text, CR LF line
// ends, comments starting with ";", and data lines "ADDRESS: OLD NEW" whose
// address is a file offset of the fullflash.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Vkp {

inline constexpr std::string_view kLineEnd = "\r\n";

/// One data line: the bytes at `address` now, and the bytes that replace them
/// (always of the same length).
struct PatchRow {
    std::uint32_t address = 0;
    std::string oldBytes;
    std::string newBytes;

    friend bool operator==(const PatchRow&, const PatchRow&) = default;
};

/// "00123456: OLD NEW": the address padded to 8 upper-case hex digits, then
/// both byte strings as upper-case hex.
[[nodiscard]] std::string DataLine(const PatchRow& row);

/// Appends `line` and a CR LF.
void AppendLine(std::string& text, std::string_view line);
/// Appends every row as a data line.
void AppendRows(std::string& text, const std::vector<PatchRow>& rows);
/// The lines of a text these functions wrote: its CR LF line ends.
[[nodiscard]] std::size_t LineCount(std::string_view text);

/// The address a picture table entry holds for a file offset: 0xA0 added to
/// its most significant byte.
[[nodiscard]] std::uint32_t FlashAddress(std::uint32_t fileOffset);

/// What the banner says about the fullflash the patch is for.
struct BannerFacts {
    std::string madeBy;  ///< the main window's caption
    std::string manufacturer;
    std::string model;
    std::string firmware;
    std::string platform;
};

/// The eight banner lines, without line ends: two rules of "#", six texts
/// padded to 70 characters and closed by "###". A text too long for the
/// padding is kept whole. Control characters from the fullflash's fields
/// become blanks, so a field can never end a comment line early.
[[nodiscard]] std::vector<std::string> BannerLines(const BannerFacts& facts);

/// "; ##### Picture N #####"
[[nodiscard]] std::string PictureComment(int number);
/// "; ##### PNG Picture NAME #####"
[[nodiscard]] std::string PngComment(std::string_view name);

}  // namespace Vkp
