#include "tools/gpn_splitter.h"

#include <cstring>
#include <string>
#include <string_view>

#include "support/byte_cursor.h"

namespace {

constexpr std::size_t kBlock = 16;
constexpr std::string_view kGpfMagic = "GraphicPatchFile";
constexpr std::string_view kGpf2Magic = "GraphPatchFile_2";

}  // namespace

bool GpnSplitter::startsPicture(std::size_t block) const {
    if (block > m_bytes.size() || m_bytes.size() - block < kBlock) return false;
    const void* at = m_bytes.data() + block;
    return std::memcmp(at, kGpfMagic.data(), kBlock) == 0 ||
           std::memcmp(at, kGpf2Magic.data(), kBlock) == 0;
}

void GpnSplitter::skipToNextPicture() {
    while (m_position < m_bytes.size() && !startsPicture(m_position)) m_position += kBlock;
}

std::optional<ExtractedFile> GpnSplitter::next() {
    skipToNextPicture();
    if (m_position >= m_bytes.size()) return std::nullopt;
    const std::size_t start = m_position;
    const bool gpf2 = std::memcmp(m_bytes.data() + start, kGpf2Magic.data(), kBlock) == 0;
    ByteCursor header(m_bytes, start + kBlock);
    const std::uint16_t number = header.u16le();

    m_position = start + 2 * kBlock;  // the header block, whatever it holds
    skipToNextPicture();
    const std::size_t end = std::min(m_position, m_bytes.size());
    const auto* first = reinterpret_cast<const char*>(m_bytes.data() + start);
    return ExtractedFile{
        PictureBaseName(std::to_string(number), m_rule) + (gpf2 ? ".gpf2" : ".gpf"),
        std::string(first, end - start), true};
}
