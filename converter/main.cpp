// pictavo-convert: turns a PNG into a 24- or 32-bit BMP and a BMP into a PNG,
// taking exactly the command lines Pictavo builds for its converter:
//
//   pictavo-convert -out png|bmp -ctype rgba -o OUT IN
//   pictavo-convert -out png|bmp -ctype rgb -truecolors -o OUT IN
//
// The output is written beside OUT and renamed over it, so a failed run leaves
// no file and never half of one.

#include <QBuffer>
#include <QImage>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "codec/bmp_writer.h"
#include "picture_io/picture_pixels.h"
#include "support/byte_cursor.h"
#include "support/fs_actions.h"

namespace {

constexpr const char* kUsage =
    "usage: pictavo-convert -out png|bmp -ctype rgba -o OUT IN\n"
    "       pictavo-convert -out png|bmp -ctype rgb -truecolors -o OUT IN\n"
    "\n"
    "Converts the picture IN (BMP, PNG, GIF or JPEG) into OUT.\n"
    "  -out bmp -ctype rgba   32-bit BMP, rows bottom up, blue green red alpha\n"
    "  -out bmp -ctype rgb    24-bit BMP\n"
    "  -out png -ctype rgba   PNG with alpha channel\n"
    "  -out png -ctype rgb    PNG without alpha channel\n"
    "A 32-bit BMP input keeps the alpha of its fourth bytes.\n";

struct Request {
    bool png = false;
    bool alpha = false;
    std::string output;
    std::string input;
};

/// One of the two accepted shapes, argument by argument; anything else is a
/// usage error. IN and OUT are taken by position, so names starting with "-"
/// are file names here.
std::optional<Request> parse(const std::vector<std::string>& args) {
    Request request;
    if (args.size() != 7 && args.size() != 8) return std::nullopt;
    if (args[0] != "-out" || (args[1] != "png" && args[1] != "bmp")) return std::nullopt;
    request.png = args[1] == "png";
    if (args[2] != "-ctype") return std::nullopt;
    request.alpha = args[3] == "rgba";
    const std::size_t next = request.alpha ? 4 : 5;
    if (!request.alpha && (args[3] != "rgb" || args.size() != 8 || args[4] != "-truecolors")) {
        return std::nullopt;
    }
    if (args.size() != next + 3 || args[next] != "-o") return std::nullopt;
    request.output = args[next + 1];
    request.input = args[next + 2];
    return request;
}

std::span<const std::uint8_t> asBytes(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

/// A 32-bit uncompressed BMP with the 40-byte information header: QImage
/// would drop its alpha, so it is read here. nullopt for any other file, and
/// for one whose pixel rows are not all in the file.
std::optional<PictureIO::PicturePixels> readBmp32(const std::string& file) {
    ByteCursor in(asBytes(file));
    if (in.u16le() != 0x4D42) return std::nullopt;
    in.seek(10);
    const std::uint32_t dataOffset = in.u32le();
    const std::uint32_t headerSize = in.u32le();
    const auto width = static_cast<std::int32_t>(in.u32le());
    const auto height = static_cast<std::int32_t>(in.u32le());
    in.skip(2);
    const std::uint16_t bits = in.u16le();
    const std::uint32_t compression = in.u32le();
    if (headerSize != 40 || bits != 32 || compression != 0) return std::nullopt;
    const std::uint64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
    if (width <= 0 || rows == 0 || dataOffset > file.size()) return std::nullopt;
    if ((file.size() - dataOffset) / 4 / rows < static_cast<std::uint64_t>(width))
        return std::nullopt;
    return PictureIO::ReadBmp32Pixels(asBytes(file), dataOffset, width, static_cast<int>(rows),
                                      height < 0);
}

QImage toImage(const PictureIO::PicturePixels& pixels) {
    QImage image(pixels.width, pixels.height, QImage::Format_ARGB32);
    for (int y = 0; y < pixels.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < pixels.width; ++x) {
            const Cell& cell = pixels.at(x, y);
            line[x] = qRgba(cell.red, cell.green, cell.blue, cell.fourth);
        }
    }
    return image;
}

std::optional<QImage> decode(const std::string& file) {
    if (const auto bmp = readBmp32(file)) return toImage(*bmp);
    QImage image;
    if (!image.loadFromData(
            QByteArray::fromRawData(file.data(), static_cast<qsizetype>(file.size())))) {
        return std::nullopt;
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

std::string bmpBytes(const QImage& image, bool alpha) {
    // ARGB32 rows hold exactly width pixels each, one after the other.
    const std::span<const std::uint32_t> argb(
        reinterpret_cast<const std::uint32_t*>(image.constBits()),
        static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()));
    return GPFcodec::BmpFromArgb(image.width(), image.height(), argb, alpha);
}

std::optional<std::string> pngBytes(const QImage& image, bool alpha) {
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    // RGB32 keeps each colour and sets alpha to opaque: a PNG without alpha
    // channel holds the colours as they are, not blended over anything.
    const QImage target = alpha ? image : image.convertToFormat(QImage::Format_RGB32);
    if (!target.save(&buffer, "PNG")) return std::nullopt;
    return encoded.toStdString();
}

int fail(const std::string& text) {
    std::cerr << "pictavo-convert: " << text << '\n';
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    const auto request = parse(args);
    if (!request) {
        std::cerr << "pictavo-convert: unexpected command line\n" << kUsage;
        return 2;
    }
    errno = 0;
    const auto file = FSactions_Tavik::ReadFileBytes(request->input);
    if (!file) {
        return fail("cannot read " + request->input + ": " +
                    (errno != 0 ? std::strerror(errno) : "not a regular file"));
    }
    const auto image = decode(*file);
    if (!image) return fail("not a picture it can read: " + request->input);
    const auto bytes =
        request->png ? pngBytes(*image, request->alpha) : bmpBytes(*image, request->alpha);
    if (!bytes) return fail("cannot encode " + request->output);
    if (!FSactions_Tavik::ReplaceFile(request->output, *bytes)) {
        return fail("cannot write " + request->output + ": " + std::strerror(errno));
    }
    return 0;
}
