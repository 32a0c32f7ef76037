#include "devtools/embedded_files.h"

#include <array>
#include <string>

#include "devtools/byte_writer.h"

using namespace ByteWriter;

namespace {

constexpr std::array<std::uint32_t, 256> kCrcTable = [] {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}();

std::uint32_t adler32(std::span<const std::uint8_t> bytes) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::uint8_t byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void appendChunk(std::vector<std::uint8_t>& png, const char* type,
                 const std::vector<std::uint8_t>& data) {
    appendU32be(png, static_cast<std::uint32_t>(data.size()));
    std::vector<std::uint8_t> typed;
    appendText(typed, type);
    typed.insert(typed.end(), data.begin(), data.end());
    png.insert(png.end(), typed.begin(), typed.end());
    appendU32be(png, Crc32(typed));
}

// A zlib stream of one stored deflate block: no compressor needed.
std::vector<std::uint8_t> storedZlib(const std::vector<std::uint8_t>& raw) {
    std::vector<std::uint8_t> z{0x78, 0x01, 0x01};  // CMF, FLG, BFINAL=1 BTYPE=00
    const auto length = static_cast<std::uint16_t>(raw.size());
    appendU16le(z, length);
    appendU16le(z, static_cast<std::uint16_t>(~length));
    z.insert(z.end(), raw.begin(), raw.end());
    appendU32be(z, adler32(raw));
    return z;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::uint8_t byte : bytes) c = kCrcTable[(c ^ byte) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::vector<std::uint8_t> MakePng(int width, int height) {
    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

    std::vector<std::uint8_t> header;
    appendU32be(header, static_cast<std::uint32_t>(width));
    appendU32be(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // depth 8, RGB, deflate, no filter, no interlace
    appendChunk(png, "IHDR", header);

    // Channel values 16, 56, ... 216 never spell "IEND" inside the data.
    std::vector<std::uint8_t> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter type None
        for (int x = 0; x < width; ++x) {
            raw.insert(raw.end(), {static_cast<std::uint8_t>(16 + 40 * x),
                                   static_cast<std::uint8_t>(16 + 40 * y), 0x80});
        }
    }
    appendChunk(png, "IDAT", storedZlib(raw));
    appendChunk(png, "IEND", {});
    return png;
}

std::vector<std::uint8_t> MakeGif(int width) {
    std::vector<std::uint8_t> gif;
    appendText(gif, "GIF89a");
    appendU16le(gif, static_cast<std::uint16_t>(width));
    appendU16le(gif, 1);
    // Global colour table of two entries, background 0, no aspect ratio.
    gif.insert(gif.end(), {0x80, 0x00, 0x00, 0x20, 0x60, 0xA0, 0xF0, 0xD0, 0x10});
    gif.push_back(0x2C);  // image descriptor at 0,0
    appendU16le(gif, 0);
    appendU16le(gif, 0);
    appendU16le(gif, static_cast<std::uint16_t>(width));
    appendU16le(gif, 1);
    gif.push_back(0x00);
    // LZW, minimum code size 2, 3-bit codes packed from bit 0: clear (4),
    // colour 0, [colour 1,] end (5).
    gif.push_back(0x02);
    if (width == 1) {
        gif.insert(gif.end(), {0x02, 0x44, 0x01});
    } else {
        gif.insert(gif.end(), {0x02, 0x44, 0x0A});
    }
    gif.insert(gif.end(), {0x00, 0x3B});  // block terminator, trailer
    return gif;
}

std::vector<std::uint8_t> MakeXml(int variant) {
    const std::string id = std::to_string(variant);
    const std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<theme name=\"synthetic-" +
        id +
        "\">\r\n"
        "  <icon id=\"" +
        id +
        "\" width=\"16\" height=\"16\"/>\r\n"
        "  <colour name=\"background\" value=\"#20" +
        id +
        "0A0\"/>\r\n"
        "</theme>";
    std::vector<std::uint8_t> xml;
    appendText(xml, text);
    return xml;
}
