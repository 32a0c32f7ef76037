#pragma once
// What the tests of outside picture files share: the third-party images in
// tests/data/, bitmaps made by our own BMP writer, the built converter, and
// stand-ins for it.

#include <cstdint>
#include <span>
#include <string>

#include "codec/bmp_writer.h"
#include "codec/codec_test_support.h"

inline std::string TestImage(const std::string& relative) {
    return std::string(PICTAVO_TESTDATA_DIR) + "/" + relative;
}

inline std::string ConverterProgram() {
    return std::string(PICTAVO_BIN_DIR) + "/pictavo-convert";
}

/// A shell script standing in for the converter: `body` runs with $out and $in
/// set to the paths after "-o", whatever options come first.
inline std::string FakeConverterScript(const std::string& body) {
    return "#!/bin/sh\nwhile [ $# -gt 0 ] && [ \"$1\" != -o ]; do shift; done\nout=$2 in=$3\n" +
           body + "\n";
}

inline std::span<const std::uint8_t> AsBytes(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

/// A cell whose colour tells where it is and whose alpha varies.
inline Cell PatternCell(int x, int y) {
    return Cell{static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(y * 5),
                static_cast<std::uint8_t>(x + y), static_cast<std::uint8_t>(x * 31 + y * 17)};
}

inline DecodedPicture PatternPicture(int width, int height, bool hasAlpha) {
    return codec_test::Picture(width, height, hasAlpha, PatternCell);
}

/// The bitmap our own writer makes of a PatternPicture.
inline std::string PatternBmp(int width, int height, bool bits32) {
    return GPFcodec::BmpFileBytes(PatternPicture(width, height, bits32), bits32);
}
