#pragma once
// The files rebuilt out of patches and their names. The number text comes
// from the patch itself, so whatever it holds, the name stays inside the
// chosen folder.

#include <cstdint>
#include <string>
#include <string_view>

/// One file rebuilt out of a patch, to be written into the chosen folder.
struct ExtractedFile {
    std::string name;  ///< file name inside the folder, never holding a '/'
    std::string bytes;
    bool numbered = false;  ///< named by the picture-number rule (not a PNG's own name)

    friend bool operator==(const ExtractedFile&, const ExtractedFile&) = default;
};

struct NamingRule {
    bool hexFilename = false;  ///< the setting `HEXFilename`
    bool zeroFilename = true;  ///< the setting `ZeroFilename`
};

/// 3 for hexadecimal names, else 4: the digit count names are padded to.
[[nodiscard]] int NameDigits(const NamingRule& rule);

/// The decimal value of a number text's leading digits (0 when it starts with
/// none), held at 0xFFFFFFFF when it is larger.
[[nodiscard]] std::uint32_t NumberTextValue(std::string_view text);

/// The base name of a picture from its number text: the text itself, or the
/// upper-case hex of its value under `hexFilename`; then left-padded with '0'
/// to the digit count under `zeroFilename`.
[[nodiscard]] std::string PictureBaseName(std::string_view numberText, const NamingRule& rule);

/// `text` as a name inside a folder: '/' and zero bytes, which would lead out of
/// it or cut the path short, become '_'.
[[nodiscard]] std::string FolderSafeName(std::string_view text);
