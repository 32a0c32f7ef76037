#pragma once
// A read position over a block of bytes that never reads outside it: bytes past
// the end read as zero. Firmware pointers and table sizes come from untrusted
// files, so every reader of outside bytes goes through this.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

class ByteCursor {
  public:
    ByteCursor() = default;
    explicit ByteCursor(std::span<const std::uint8_t> data, std::size_t position = 0)
        : m_data(data), m_position(position) {}

    [[nodiscard]] std::size_t position() const { return m_position; }
    void seek(std::size_t position) { m_position = position; }
    void skip(std::size_t count) { m_position += count; }
    [[nodiscard]] bool atEnd() const { return m_position >= m_data.size(); }
    [[nodiscard]] std::span<const std::uint8_t> data() const { return m_data; }

    /// The next byte, or 0 past the end; the position always advances.
    std::uint8_t u8() {
        const std::uint8_t value = m_position < m_data.size() ? m_data[m_position] : 0;
        ++m_position;
        return value;
    }
    std::uint16_t u16le() {
        const std::uint16_t low = u8();
        return static_cast<std::uint16_t>(low | (u8() << 8));
    }
    std::uint32_t u32le() {
        const std::uint32_t low = u16le();
        return low | (static_cast<std::uint32_t>(u16le()) << 16);
    }
    /// `count` bytes as a byte string, zero-filled past the end.
    std::string bytes(std::size_t count) {
        std::string out(count, '\0');
        if (m_position < m_data.size()) {
            const std::size_t available = std::min(count, m_data.size() - m_position);
            for (std::size_t i = 0; i < available; ++i) {
                out[i] = static_cast<char>(m_data[m_position + i]);
            }
        }
        m_position += count;
        return out;
    }

  private:
    std::span<const std::uint8_t> m_data;
    std::size_t m_position = 0;
};
