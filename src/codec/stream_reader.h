#pragma once
// The decoder's view of its source. Reads past the end yield zero bytes, as
// ByteCursor does, but the position stops at the end: what the decoder reports
// as consumed is never more than the source holds. Private to the codec.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace GPFcodec {

class StreamReader {
  public:
    StreamReader(std::span<const std::uint8_t> data, std::size_t position)
        : m_data(data.data()), m_size(data.size()), m_position(std::min(position, data.size())) {}

    [[nodiscard]] std::size_t position() const { return m_position; }
    [[nodiscard]] bool atEnd() const { return m_position >= m_size; }

    std::uint8_t byte() { return m_position < m_size ? m_data[m_position++] : 0; }

    /// The next `count` (at most 4) bytes; past the end they read as zero.
    const std::uint8_t* take(std::size_t count) {
        if (m_size - m_position >= count) {
            const std::uint8_t* bytes = m_data + m_position;
            m_position += count;
            return bytes;
        }
        m_tail = {};
        std::copy(m_data + m_position, m_data + m_size, m_tail.begin());
        m_position = m_size;
        return m_tail.data();
    }

    /// The next `count` bytes when the source holds them all, else nullptr
    /// (and nothing is consumed): lets whole rows be read without a test per pixel.
    const std::uint8_t* span(std::size_t count) {
        if (m_size - m_position < count) return nullptr;
        const std::uint8_t* bytes = m_data + m_position;
        m_position += count;
        return bytes;
    }

    void skip(std::uint64_t count) {
        m_position += static_cast<std::size_t>(std::min<std::uint64_t>(count, m_size - m_position));
    }

  private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_position;
    std::array<std::uint8_t, 4> m_tail{};
};

}  // namespace GPFcodec
