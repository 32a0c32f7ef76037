#include "common/flash_builder.h"

namespace {

void put32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

int FlashBuilder::addPicture(int width, int height, std::uint8_t type, const std::string& stream) {
    m_pictures.push_back({width, height, type, stream, m_next});
    // Streams start 16 bytes apart at least, so a test can see where one ends.
    m_next += static_cast<std::uint32_t>((stream.size() + 16) / 16 * 16);
    return static_cast<int>(m_pictures.size()) - 1;
}

std::string FlashBuilder::bytes() const {
    std::string flash(m_next, '\0');
    flash[0x8FC50] = '\x05';
    flash.replace(0x8FC60, 3, "ENG");
    flash.replace(0x8FC70, 3, "S65");
    flash.replace(0x8FC80, 7, "SIEMENS");
    put32(flash, 0x8FD08, 0xA0000000u + kStructure);
    std::size_t entry = kPit;
    for (const Picture& picture : m_pictures) {
        flash[entry] = static_cast<char>(picture.width);
        flash[entry + 1] = static_cast<char>(picture.height);
        flash[entry + 2] = static_cast<char>(picture.type);
        put32(flash, entry + 4, 0xA0000000u + picture.offset);
        flash.replace(picture.offset, picture.stream.size(), picture.stream);
        entry += 8;
    }
    flash[entry + 3] = '\x01';  // a second type byte that ends the table
    return flash;
}

std::string Rgb565(std::uint16_t word) {
    return {static_cast<char>(word & 0xFF), static_cast<char>(word >> 8)};
}

FlashBuilder SamplePictures(bool undecodable) {
    FlashBuilder flash;
    flash.addPicture(1, 1, 0x05, "\xE0");
    flash.addPicture(1, 1, 0x0A, "\x10\x20\x30\x40");
    flash.addPicture(2, 1, 0x08, Rgb565(0xE000) + Rgb565(0x001F));
    if (undecodable) flash.addPicture(1, 1, 0x03, std::string(1, '\0'));
    return flash;
}
