#include "codec/gpf_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "codec_test_support.h"
#include "common/temp_dir.h"

using namespace GPFcodec;
using namespace codec_test;

namespace {

const std::string kGpfText = "GraphicPatchFile";
const std::string kGpf2Text = "GraphPatchFile_2";

/// A header: the text, the fields as hex, zero bytes up to 32.
std::string Header(const std::string& text, std::string_view fields) {
    std::string header = text + Hex(fields);
    header.resize(kGpfHeaderSize, '\0');
    return header;
}

DecodedPicture RedGreen() {
    DecodedPicture picture = Picture(2, 1, false, [](int x, int) {
        return x == 0 ? Cell{255, 0, 0, 0} : Cell{0, 255, 0, 0};
    });
    picture.pictureNumber = 26;
    return picture;
}

}  // namespace

TEST(GpfHeader, WrittenAndReadBack) {
    const auto expectBytes = [](const GpfHeader& header, const std::string& bytes, bool readsBack) {
        EXPECT_EQ(WriteGpfHeader(header), bytes);
        if (!readsBack) return;
        const auto data = Data(bytes + "stream");
        ByteCursor in(data);
        EXPECT_EQ(ParseGpfHeader(in), header);
        EXPECT_EQ(in.position(), kGpfHeaderSize);
    };
    expectBytes({16, 32, 0x85, 0x0123, false}, Header(kGpfText, "23 01 00 00 10 20 85"), true);
    expectBytes({20, 300, 0x8A, 7, true}, Header(kGpf2Text, "07 00 00 00 14 00 2C 01 8A"), true);
    expectBytes({-1, 32767, -1, -2, true}, Header(kGpf2Text, "FE FF 00 00 FF FF FF 7F FF FF"),
                true);
    // A GPF stores sizes in one byte each, held to 0..255.
    expectBytes({20, 300, 0x88, 7, false}, Header(kGpfText, "07 00 00 00 14 FF 88"), false);
    expectBytes({-5, 255, 0x01, -1, false}, Header(kGpfText, "FF FF 00 00 00 FF 01"), false);
}

// Fields a short file lacks read as 0; any other text is refused and leaves
// the cursor where it was.
TEST(GpfHeader, ShortAndForeignFiles) {
    const auto parse = [](const std::string& file, std::size_t position) {
        const auto data = Data(file);
        ByteCursor in(data);
        const std::optional<GpfHeader> header = ParseGpfHeader(in);
        EXPECT_EQ(in.position(), position);
        return header;
    };
    EXPECT_EQ(parse(kGpfText + Hex("05"), 32), (GpfHeader{0, 0, 0, 5, false}));
    EXPECT_EQ(parse("GraphicPatchFilf" + std::string(16, '\0'), 0), std::nullopt);
    EXPECT_EQ(parse("graphPatchFile_2" + std::string(16, '\0'), 0), std::nullopt);
    EXPECT_EQ(parse("", 0), std::nullopt);
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
    EXPECT_EQ(GpfFileBytes(RedGreen(), 0x85, false),
              PadToSixteen(Header(kGpfText, "1A 00 00 00 02 01 85") + Hex("FE E0 1C")));
    EXPECT_EQ(GpfFileBytes(RedGreen(), 0x0A, true),
              PadToSixteen(Header(kGpf2Text, "1A 00 00 00 02 00 01 00 0A") +
                           Hex("00 00 FF FF 00 FF 00 FF")));
    const DecodedPicture large = Picture(300, 400, false, [](int, int) { return Cell{}; });
    EXPECT_EQ(GpfFileBytes(large, 0x85, true).substr(0, kGpfHeaderSize),
              Header(kGpf2Text, "00 00 00 00 F1 00 41 01 85"))
        << "a picture larger than the canvas is saved at the canvas size";
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
