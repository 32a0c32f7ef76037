#include "codec/gpf_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "codec/picture_encoder.h"
#include "codec_test_support.h"
#include "common/temp_dir.h"

using namespace GPFcodec;
using namespace codec_test;
using namespace std::string_literals;

namespace {

const std::string kGpfText = "GraphicPatchFile";
const std::string kGpf2Text = "GraphPatchFile_2";

DecodedPicture RedGreen() {
    return Picture(2, 1, false, [](int x, int) {
        return x == 0 ? Cell{255, 0, 0, 0} : Cell{0, 255, 0, 0};
    });
}

}  // namespace

TEST(GpfHeader, WrittenBytes) {
    struct Case {
        const char* name;
        GpfHeader header;
        std::string bytes;
    };
    const Case cases[] = {
        {"GPF of a 16 x 16 compressed 8-bit picture",
         {16, 16, 0x85, 0x0123, false},
         kGpfText + Hex("23 01 00 00 10 10 85 00 00 00 00 00 00 00 00 00")},
        {"GPF2 of a 20 x 300 picture",
         {20, 300, 0x0A, 7, true},
         kGpf2Text + Hex("07 00 00 00 14 00 2C 01 0A 00 00 00 00 00 00 00")},
        {"GPF stores a height of 300 as 255",
         {20, 300, 0x88, 7, false},
         kGpfText + Hex("07 00 00 00 14 FF 88 00 00 00 00 00 00 00 00 00")},
        {"GPF stores negative sizes as 0",
         {-5, 255, 0x01, -1, false},
         kGpfText + Hex("FF FF 00 00 00 FF 01 00 00 00 00 00 00 00 00 00")},
        {"GPF2 keeps all 16 bits",
         {-1, 32767, -1, -2, true},
         kGpf2Text + Hex("FE FF 00 00 FF FF FF 7F FF FF 00 00 00 00 00 00")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WriteGpfHeader(c.header), c.bytes) << c.name;
    }
}

TEST(GpfHeader, ParsedFields) {
    struct Case {
        const char* name;
        std::string file;
        std::optional<GpfHeader> header;
        std::size_t position;  ///< of the cursor afterwards
    };
    const Case cases[] = {
        {"GPF", kGpfText + Hex("23 01 00 00 10 20 85 00 00 00 00 00 00 00 00 00 AB"),
         GpfHeader{16, 32, 0x85, 0x0123, false}, 32},
        {"GPF2", kGpf2Text + Hex("07 00 00 00 14 00 2C 01 8A 00 00 00 00 00 00 00 AB"),
         GpfHeader{20, 300, 0x8A, 7, true}, 32},
        {"GPF2 with 16-bit values above 32767", kGpf2Text + Hex("FF FF 00 00 FF FF 00 80 85 01"),
         GpfHeader{-1, -32768, 0x185, -1, true}, 32},
        {"short file: missing fields read as 0", kGpfText + Hex("05"), GpfHeader{0, 0, 0, 5, false},
         32},
        {"one character off", "GraphicPatchFilf" + std::string(16, '\0'), std::nullopt, 0},
        {"GPF2 text in lower case", "graphPatchFile_2" + std::string(16, '\0'), std::nullopt, 0},
        {"empty file", "", std::nullopt, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto data = Data(c.file);
        ByteCursor in(data);
        EXPECT_EQ(ParseGpfHeader(in), c.header);
        EXPECT_EQ(in.position(), c.position);
    }
}

TEST(GpfFile, PaddingAndExtension) {
    EXPECT_EQ(PadToSixteen(std::string(21, 'x')), std::string(21, 'x') + std::string(11, '\0'));
    EXPECT_EQ(PadToSixteen(std::string(32, 'x')), std::string(32, 'x'));
    EXPECT_EQ(PadToSixteen(""), "");
    EXPECT_TRUE(IsGpf2Path("/a/b.gpf2"));
    EXPECT_FALSE(IsGpf2Path("/a/b.gpf"));
    EXPECT_FALSE(IsGpf2Path("/a/b.GPF2"));
    EXPECT_FALSE(IsGpf2Path("/a/b.gpf2.bak"));
}

TEST(GpfFile, WholeFiles) {
    struct Case {
        const char* name;
        DecodedPicture picture;
        int typeCode;
        bool gpf2;
        std::string file;
    };
    DecodedPicture numbered = RedGreen();
    numbered.pictureNumber = 26;
    DecodedPicture tall = Picture(20, 300, false, [](int, int) { return Cell{0, 0, 0, 0}; });
    const Case cases[] = {
        {"2 x 1 compressed 8-bit GPF", numbered, 0x85, false,
         kGpfText + Hex("1A 00 00 00 02 01 85 00 00 00 00 00 00 00 00 00") +
             Hex("FE E0 1C 00 00 00 00 00 00 00 00 00 00 00 00 00")},
        {"2 x 1 uncompressed 24-bit GPF2", numbered, 0x0A, true,
         kGpf2Text + Hex("1A 00 00 00 02 00 01 00 0A 00 00 00 00 00 00 00") +
             Hex("00 00 FF FF 00 FF 00 FF 00 00 00 00 00 00 00 00")},
        {"stream ending on a multiple of 16 gets no padding",
         Picture(8, 1, false,
                 [](int, int) {
                     return Cell{255, 0, 0, 0};
                 }),
         0x08, true,
         kGpf2Text + Hex("00 00 00 00 08 00 01 00 08 00 00 00 00 00 00 00") +
             Hex("00 F8 00 F8 00 F8 00 F8 00 F8 00 F8 00 F8 00 F8")},
        {"20 x 300 compressed 16-bit GPF2 keeps the height", tall, 0x88, true,
         kGpf2Text + Hex("00 00 00 00 14 00 2C 01 88 00 00 00 00 00 00 00") +
             PadToSixteen(EncodePicture(tall, 0x88))},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GpfFileBytes(c.picture, c.typeCode, c.gpf2), c.file) << c.name;
    }
    DecodedPicture wide = Picture(300, 2, false, [](int, int) { return Cell{0, 0, 0, 0}; });
    EXPECT_EQ(GpfFileBytes(wide, 0x85, true).substr(16, 16),
              Hex("00 00 00 00 F1 00 02 00 85 00 00 00 00 00 00 00"))
        << "a picture wider than the canvas is saved at the canvas width";
}

// Callers refuse such codes first; the writer still never leaves a file.
TEST(GpfFile, RefusedCodeWritesNoFile) {
    TempDir folder;
    EXPECT_FALSE(WriteGpfFile(folder.file("refused.gpf"), RedGreen(), 0x81));
    EXPECT_FALSE(std::filesystem::exists(folder.file("refused.gpf")));
}

TEST(PictureFileName, Rule) {
    struct Case {
        int number;
        bool hex;
        bool zero;
        const char* base;
        int digits;
    };
    const Case cases[] = {
        {26, true, true, "01A", 3},     {26, false, true, "0026", 4},
        {26, true, false, "1A", 3},     {26, false, false, "26", 4},
        {0, false, true, "0000", 4},    {12345, false, true, "12345", 4},
        {4095, true, true, "FFF", 3},   {4096, true, true, "1000", 3},
        {-1, false, false, "65535", 4}, {-1, true, true, "FFFF", 3},
    };
    for (const Case& c : cases) {
        const PictureFileName name = PictureFileNameFor(c.number, c.hex, c.zero);
        EXPECT_EQ(name.base, c.base) << c.number;
        EXPECT_EQ(name.digits, c.digits) << c.number;
    }
}
