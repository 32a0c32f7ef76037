#include "devtools/flash_edits.h"

#include <algorithm>
#include <stdexcept>

#include "devtools/byte_writer.h"

namespace {

constexpr std::uint32_t kFlashBase = 0xA0000000;
constexpr std::uint32_t kAlignment = 16;

}  // namespace

FlashEditor::FlashEditor(MkflashResult image) : m_image(std::move(image)) {
    const MkflashRegion& erased = m_image.layout.erased.back();
    m_next = (erased.offset + kAlignment - 1) / kAlignment * kAlignment;
}

void FlashEditor::move(int index) {
    MkflashPicture& picture = m_image.layout.pictures.at(static_cast<std::size_t>(index));
    const MkflashRegion& erased = m_image.layout.erased.back();
    if (m_next + picture.dataSize > erased.offset + erased.size) {
        throw std::length_error("no erased flash left to move picture " + std::to_string(index));
    }
    const auto from = m_image.bytes.begin() + picture.dataOffset;
    std::copy_n(from, picture.dataSize, m_image.bytes.begin() + m_next);
    std::fill_n(from, picture.dataSize, 0xFF);
    picture.dataOffset = m_next;
    const auto entrySize = static_cast<std::uint32_t>(m_image.layout.entrySize);
    ByteWriter::putU32le(m_image.bytes, picture.entryOffset + entrySize - 4,
                         kFlashBase + picture.dataOffset);
    m_next += (picture.dataSize + kAlignment - 1) / kAlignment * kAlignment;
}

void FlashEditor::repaint(int index) {
    const MkflashPicture& picture = m_image.layout.pictures.at(static_cast<std::size_t>(index));
    std::uint8_t* stream = m_image.bytes.data() + picture.dataOffset;
    const bool compressed = (picture.type & 0xF0) == 0x80;
    if (!compressed) {
        stream[0] ^= 0x80;  // the first pixel's first byte, or its bit
    } else if ((picture.type & 0x0F) == 0x01) {
        stream[0] ^= 0x40;  // the first literal pixel, or the colour of the first run
    } else {
        stream[1] ^= 0x80;  // the first pixel after the first control byte
    }
}
