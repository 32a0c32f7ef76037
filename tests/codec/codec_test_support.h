#pragma once
// Small helpers shared by the codec tests: byte strings from hex text,
// pictures filled with a known colour, and a decode that checks what every
// decode must hold.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ostream>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "codec/decoded_picture.h"
#include "codec/picture_decoder.h"
#include "codec/picture_type.h"
#include "codec/stream_length.h"
#include "common/scripted_ui.h"

/// Readable cells in test failures.
inline void PrintTo(const Cell& c, std::ostream* os) {
    *os << "(" << int{c.red} << "," << int{c.green} << "," << int{c.blue} << "," << int{c.fourth}
        << ")";
}

namespace codec_test {

/// "03 1F 00" -> the three bytes; blanks are ignored.
inline std::string Hex(std::string_view text) {
    std::string bytes;
    std::string digits;
    for (char c : text) {
        if (c == ' ') continue;
        digits += c;
        if (digits.size() == 2) {
            bytes += static_cast<char>(std::stoi(digits, nullptr, 16));
            digits.clear();
        }
    }
    return bytes;
}

inline std::vector<std::uint8_t> Data(std::string_view bytes) {
    return {bytes.begin(), bytes.end()};
}

/// A canvas every cell of which holds `fill`, so untouched cells show.
inline DecodedPicture Filled(Cell fill) {
    DecodedPicture picture;
    picture.canvas.assign(picture.canvas.size(), fill);
    return picture;
}

inline constexpr Cell kUntouched{1, 2, 3, 4};

/// A picture of the given size whose cells come from `cellAt(x, y)`.
template <class CellAt>
DecodedPicture Picture(int width, int height, bool hasAlpha, CellAt cellAt) {
    DecodedPicture picture = Filled(kUntouched);
    picture.width = static_cast<std::int16_t>(width);
    picture.height = static_cast<std::int16_t>(height);
    picture.hasAlpha = hasAlpha;
    for (int y = 0; y < std::min(height, DecodedPicture::kCanvasHeight); ++y) {
        for (int x = 0; x < std::min(width, DecodedPicture::kCanvasWidth); ++x) {
            picture.at(x, y) = cellAt(x, y);
        }
    }
    return picture;
}

inline Cell RandomCell(std::mt19937& random) {
    const auto v = random();
    return Cell{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}

/// Decodes a stream of picture type `type` (0x85: compressed 8 bits, ...)
/// from `start` on a canvas of untouched cells, as picture 7, and checks
/// what every decode must hold.
inline DecodedPicture Decode(std::span<const std::uint8_t> data, int type, double width,
                             double height, std::size_t start = 0) {
    const GPFcodec::PictureTypeInfo info = GPFcodec::TypeInfoFromCode(type);
    DecodedPicture picture = Filled(kUntouched);
    ByteCursor source(data, start);
    ScriptedUi ui;
    EXPECT_TRUE(GPFcodec::DecodePicture(picture, ui, source, 7, width, height, info.compressed,
                                        info.bitDepth));
    EXPECT_TRUE(ui.dialogs.empty());
    EXPECT_EQ(picture.pictureNumber, 7);
    EXPECT_EQ(picture.hasAlpha, info.bitDepth == 24);
    EXPECT_EQ(source.position(), start + static_cast<std::size_t>(picture.dataSize));
    // For the whole sizes a picture table holds, the walk without decoding
    // must find the same length.
    const auto tableSize = [](double size) {
        return size >= 0 && size <= 65535 && size == std::trunc(size);
    };
    if (tableSize(width) && tableSize(height)) {
        EXPECT_EQ(GPFcodec::StreamLength(data, start, static_cast<unsigned>(width),
                                         static_cast<unsigned>(height), info),
                  static_cast<std::size_t>(picture.dataSize));
    }
    return picture;
}

}  // namespace codec_test
