#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "codec/picture_decoder.h"
#include "codec/picture_type.h"
#include "codec/stream_length.h"
#include "ui/silent_ui.h"

namespace {

using namespace GPFcodec;

// The length must be exactly what a decode consumes, for every type, for
// sizes on and off the canvas and for streams that end early: random bytes
// reach runs, literals, zero counts and cut-off pixels alike.
TEST(StreamLength, IsWhatTheDecoderConsumes) {
    const struct {
        unsigned width;
        unsigned height;
    } sizes[] = {{0, 5}, {5, 0}, {1, 1}, {7, 3}, {250, 2}, {3, 400}, {300, 330}};
    std::mt19937 random(7);
    std::vector<std::uint8_t> bytes(3000);
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random());
    DecodedPicture picture;
    SilentUi quiet;
    for (const int type : {0x01, 0x05, 0x07, 0x08, 0x0A, 0x81, 0x85, 0x87, 0x88, 0x8A}) {
        const PictureTypeInfo info = TypeInfoFromText(TypeTextFromCode(type));
        for (const auto& size : sizes) {
            for (const std::size_t length : {0, 1, 3, 40, 3000}) {
                const std::span<const std::uint8_t> source(bytes.data(), length);
                for (const std::size_t start : {0, 2}) {
                    ByteCursor cursor(source, start);
                    ASSERT_TRUE(DecodePicture(picture, quiet, cursor, 0, size.width, size.height,
                                              info.compressed, info.bitDepth));
                    EXPECT_EQ(StreamLength(source, start, size.width, size.height, info.compressed,
                                           info.bitDepth),
                              static_cast<std::size_t>(picture.dataSize))
                        << "type " << type << ", " << size.width << " x " << size.height << ", "
                        << length << " bytes from " << start;
                }
            }
        }
    }
    EXPECT_EQ(StreamLength(bytes, 0, 1, 1, false, 0), std::nullopt);
}

}  // namespace
