// The header probes against every image in tests/data/. The expected facts
// come from facts.json, written by an independent reader (Python's struct
// module; see tests/data/README.md).

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "common/temp_dir.h"
#include "picture_io/picture_file_info.h"
#include "picture_io/picture_files.h"
#include "picture_io/png_chunks.h"

using namespace PictureIO;

namespace {

QJsonObject Facts() {
    QFile file(QString::fromStdString(TestImage("facts.json")));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QJsonDocument::fromJson(file.readAll()).object();
}

std::int16_t Low16(const QJsonValue& value) {
    return static_cast<std::int16_t>(static_cast<std::int64_t>(value.toDouble()) & 0xFFFF);
}

void ExpectBmp(const QJsonObject& f, std::span<const std::uint8_t> bytes) {
    const PictureFileInfo info = ReadBmpInfo(bytes);
    EXPECT_EQ(info.width, Low16(f["width"]));
    EXPECT_EQ(info.dataOffset, static_cast<std::uint16_t>(Low16(f["data_offset"])));
    EXPECT_EQ(info.height, Low16(f.contains("height_field") ? f["height_field"] : f["height"]));
    EXPECT_EQ(info.colourBits, f["bits_per_pixel"].toInt() & 0xFF);
}

void ExpectGif(const QJsonObject& f, std::span<const std::uint8_t> bytes) {
    const PictureFileInfo info = ReadGifInfo(bytes);
    const QJsonArray background = f["background_rgb"].toArray({0, 0, 0});
    const PictureFileInfo expected{static_cast<std::int16_t>(f["width"].toInt()),
                                   static_cast<std::int16_t>(f["height"].toInt()),
                                   static_cast<std::uint8_t>((f["packed"].toInt() & 7) + 1),
                                   0,
                                   static_cast<std::uint8_t>(background[0].toInt()),
                                   static_cast<std::uint8_t>(background[1].toInt()),
                                   static_cast<std::uint8_t>(background[2].toInt())};
    EXPECT_EQ(info, expected);
}

void ExpectJpeg(const QJsonObject& f, std::span<const std::uint8_t> bytes) {
    const PictureFileInfo info = ReadJpegInfo(bytes);
    const QString marker = f["sof_marker"].toString();
    const bool known = marker == "0xC0" || marker == "0xC2";
    EXPECT_EQ(info.width, known ? f["width"].toInt() : 0);
    EXPECT_EQ(info.height, known ? f["height"].toInt() : 0);
}

void ExpectPng(const QJsonObject& f, std::span<const std::uint8_t> bytes) {
    const auto info = PNGcodec::ReadPngInfo(bytes);
    ASSERT_EQ(info.has_value(), !f.contains("error"));
    if (!info) return;
    EXPECT_EQ(info->width, f["width"].toInt());
    EXPECT_EQ(info->height, f["height"].toInt());
    EXPECT_EQ(info->bitDepth, f["bit_depth"].toInt());
    EXPECT_EQ(info->colourType, f["color_type"].toInt());
    EXPECT_EQ(info->paletteEntries, f["plte_entries"].toInt());
    const bool indexed = f["color_type"].toInt() == 3;
    EXPECT_EQ(info->transparencyEntries, indexed ? f["trns_length"].toInt() : 0);
    int background = f["bkgd_palette_index"].toInt(f["bkgd_gray"].toInt());
    if (f.contains("bkgd_rgb")) background = f["bkgd_rgb"].toArray()[0].toInt();
    EXPECT_EQ(info->background, static_cast<std::int16_t>(background));
}

}  // namespace

TEST(HeaderProbes, AgreeWithTheFactsOfEveryTestImage) {
    const QJsonObject facts = Facts();
    ASSERT_EQ(facts.size(), 229);
    for (auto it = facts.begin(); it != facts.end(); ++it) {
        SCOPED_TRACE(it.key().toStdString());
        const std::string file = ReadWholeFile(TestImage(it.key().toStdString()));
        const auto bytes = AsBytes(file);
        const QJsonObject f = it.value().toObject();
        const QString format = f["format"].toString();
        const PictureKind kind = PictureKindOf(bytes);
        if (format == "bmp") {
            EXPECT_EQ(kind, PictureKind::Bmp);
            ExpectBmp(f, bytes);
        } else if (format == "gif") {
            EXPECT_EQ(kind, PictureKind::Gif);
            ExpectGif(f, bytes);
        } else if (format == "jpeg") {
            EXPECT_EQ(kind, PictureKind::Jpeg);
            ExpectJpeg(f, bytes);
        } else {
            // Two of the corrupt signatures already differ in the first two bytes.
            EXPECT_EQ(kind,
                      bytes[0] == 0x89 && bytes[1] == 'P' ? PictureKind::Png : PictureKind::None);
            ExpectPng(f, bytes);
        }
    }
}

TEST(HeaderProbes, LyingAndTruncatedHeadersEndAtTheEndOfTheBytes) {
    using codec_test::Hex;
    const std::string png = Hex("89504E470D0A1A0A");
    const std::string ihdr = Hex("0000000D 49484452 00000010 00000020 08 03 000000 00000000");
    // A JPEG frame header of 640 x 480 after a segment whose length is `length`.
    auto jpegAfter = [](const std::string& length) {
        return Hex("FFD8 FFE0" + length + "FFC0 0011 08 01E0 0280 03");
    };
    struct Case {
        const char* what;
        std::string bytes;
        std::int16_t width;
        std::int16_t height;
    };
    const Case jpegs[] = {
        {"segment length 0", jpegAfter("0000"), 640, 480},
        {"segment length FFFF", jpegAfter("FFFF"), 640, 480},
        {"segment length past the end", jpegAfter("7FFF"), 0, 0},
        {"frame header cut short", Hex("FFD8 FFC0 0011 08 01"), 0, 256},
        // The scan data is not walked as segments.
        {"frame marker inside the scan", Hex("FFD8 FFDA 0002 FFC0 0011 08 0010 0010"), 0, 0},
    };
    for (const Case& c : jpegs) {
        const PictureFileInfo info = ReadJpegInfo(AsBytes(c.bytes));
        EXPECT_EQ(info.width, c.width) << c.what;
        EXPECT_EQ(info.height, c.height) << c.what;
    }
    const Case pngs[] = {
        {"chunk length past the end", png + ihdr + Hex("FFFFFFF0 504C5445 0000"), 16, 32},
        {"IHDR of length 0 reads nothing of the next chunk",
         png + Hex("00000000 49484452 00000000 0000000D 74455874") + std::string(17, '\x7F'), 0, 0},
        {"huge size held at the 16-bit limit",
         png + Hex("0000000D 49484452 7FFFFFFF 00010000 08 06 000000 00000000"), 32767, 32767},
    };
    for (const Case& c : pngs) {
        const auto info = PNGcodec::ReadPngInfo(AsBytes(c.bytes));
        ASSERT_TRUE(info) << c.what;
        EXPECT_EQ(info->width, c.width) << c.what;
        EXPECT_EQ(info->height, c.height) << c.what;
    }
    EXPECT_EQ(ReadBmpInfo(AsBytes("BM")), PictureFileInfo{});
    EXPECT_EQ(ReadGifInfo(AsBytes(Hex("474946383961 0A00"))).width, 10);
    EXPECT_EQ(PictureKindOf(AsBytes("")), PictureKind::None);
}

TEST(ReadPngInfo, TablesTakeAtMost256EntriesAndChunksAfterIendAreNotRead) {
    using codec_test::Hex;
    auto chunk = [](const char* type, const std::string& data) {
        std::string length(4, '\0');
        for (int i = 0; i < 4; ++i)
            length[static_cast<std::size_t>(i)] = static_cast<char>(data.size() >> (24 - 8 * i));
        return length + type + data + std::string(4, '\0');
    };
    std::string palette;
    for (int i = 0; i < 300; ++i) palette += {static_cast<char>(i), 2, 3};
    const std::string bytes = Hex("89504E470D0A1A0A") +
                              chunk("IHDR", Hex("00000004 00000004 08 03 000000")) +
                              chunk("PLTE", palette) + chunk("tRNS", std::string(300, '\x80')) +
                              chunk("bKGD", Hex("05")) + chunk("IEND", "") +
                              chunk("IHDR", Hex("00000009 00000009 08 02 000000"));
    const auto info = PNGcodec::ReadPngInfo(AsBytes(bytes));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->paletteEntries, 256);
    EXPECT_EQ(info->palette[255], (PNGcodec::PaletteEntry{255, 2, 3, 0}));
    EXPECT_EQ(info->transparencyEntries, 256);
    EXPECT_EQ(info->transparency[255].alpha, 0x80);
    EXPECT_EQ(info->background, 5);
    EXPECT_EQ(info->width, 4);
}
