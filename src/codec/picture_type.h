#pragma once
// The firmware's picture type byte as callers see it: two upper-case hex
// digits, the first telling whether the stream is compressed, the second the
// pixel format.

#include <string>
#include <string_view>

namespace GPFcodec {

struct PictureTypeInfo {
    bool compressed = false;
    int bitDepth = 0;  ///< 1, 8, 12, 16, 24, or 0 for a format the decoder refuses
};

/// Reads the first two characters of a type text: compressed exactly when the
/// first is '8'; the second gives the bit depth ('A' 24, '8' 16, '7' 12, '5' 8,
/// '1' 1, anything else or a missing character 0).
[[nodiscard]] PictureTypeInfo TypeInfoFromText(std::string_view typeText);

/// The type code of a GPF header as a type text: upper-case hex of its low 16
/// bits, at least two digits ("85", "0A"). A code above 0xFF keeps all its
/// digits, so its first two are not the type byte's; such a header is malformed
/// and decodes as whatever those digits name.
[[nodiscard]] std::string TypeTextFromCode(int code);

/// What a type code (a table entry's type byte, a GPF header's code) stands
/// for: the code read as its type text is.
[[nodiscard]] PictureTypeInfo TypeInfoFromCode(int code);

}  // namespace GPFcodec
