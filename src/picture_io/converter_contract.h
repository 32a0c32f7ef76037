#pragma once
// The contract with the outside image converter: Pictavo never encodes or
// decodes PNG pixels itself, it runs the program the setting `nConvert` names
// with one of four fixed command lines and reads or copies what it wrote.

#include <string>
#include <string_view>

namespace PNGcodec {

/// The converter's options for the four conversions Pictavo asks for.
inline constexpr std::string_view kPngWithAlpha = "-out png -ctype rgba";
inline constexpr std::string_view kPngWithoutAlpha = "-out png -ctype rgb -truecolors";
inline constexpr std::string_view kBmpWithAlpha = "-out bmp -ctype rgba";
inline constexpr std::string_view kBmpWithoutAlpha = "-out bmp -ctype rgb -truecolors";

/// Names of the converter's files in the temporary folder.
inline constexpr std::string_view kTempBmp = "PNGtemp.bmp";
inline constexpr std::string_view kTempPng = "PNGtemp.png";

/// Options for reading a PNG of `colourType`: with alpha for the types that
/// carry it or may (grey 0, grey+alpha 4, truecolour+alpha 6), else without.
[[nodiscard]] std::string_view BmpOptionsForColourType(int colourType);

/// The converter's command line: the converter in double quotes, a blank, the
/// options, " -o ", the output path, a blank, the input in double quotes. A
/// double quote inside a path is doubled, and an output path that is empty or
/// holds a blank or a double quote is quoted too, so every path reaches the
/// converter as exactly one argument (see FSactions_Tavik::SplitCommandLine).
[[nodiscard]] std::string ConverterCommandLine(const std::string& converter,
                                               std::string_view options,
                                               const std::string& outputPath,
                                               const std::string& inputPath);

/// Runs the converter with that command line, without a shell, and waits for
/// its end. A bare name is the file of that name in the current folder (the one
/// the availability test found), never one found on the PATH. Whether it wrote
/// the output is for the caller to check. (The web build has no converter to
/// run: the browser's decode stands in for it, web/core/browser_converter.cpp.)
void RunConverter(const std::string& converter, std::string_view options,
                  const std::string& outputPath, const std::string& inputPath);

}  // namespace PNGcodec
