#pragma once
// Hand-built fullflash bytes: a buffer of one filler byte with helpers that
// put fields, pointers and table entries at chosen offsets.

#include <cstdint>
#include <string_view>
#include <vector>

class FlashBytes {
  public:
    explicit FlashBytes(std::size_t size, std::uint8_t filler = 0) : m_bytes(size, filler) {}

    FlashBytes& byte(std::size_t at, std::uint8_t value) {
        m_bytes.at(at) = value;
        return *this;
    }
    FlashBytes& text(std::size_t at, std::string_view bytes) {
        for (std::size_t i = 0; i < bytes.size(); ++i)
            byte(at + i, static_cast<std::uint8_t>(bytes[i]));
        return *this;
    }
    FlashBytes& u16(std::size_t at, std::uint16_t value) {
        return byte(at, static_cast<std::uint8_t>(value))
            .byte(at + 1, static_cast<std::uint8_t>(value >> 8));
    }
    FlashBytes& u32(std::size_t at, std::uint32_t value) {
        return u16(at, static_cast<std::uint16_t>(value))
            .u16(at + 2, static_cast<std::uint16_t>(value >> 16));
    }
    /// 8-byte entry: width, height, type, second type byte, flash address.
    FlashBytes& shortEntry(std::size_t at, std::uint8_t width, std::uint8_t height,
                           std::uint8_t type, std::uint8_t second = 0,
                           std::uint32_t address = 0xA0000000) {
        return byte(at, width)
            .byte(at + 1, height)
            .byte(at + 2, type)
            .byte(at + 3, second)
            .u32(at + 4, address);
    }
    /// 12-byte entry; the two unused bytes get `unused`.
    FlashBytes& longEntry(std::size_t at, std::uint16_t width, std::uint16_t height,
                          std::uint8_t type, std::uint8_t second = 0,
                          std::uint32_t address = 0xA0000000, std::uint16_t unused = 0) {
        return u16(at, width)
            .u16(at + 2, height)
            .byte(at + 4, type)
            .byte(at + 5, second)
            .u16(at + 6, unused)
            .u32(at + 8, address);
    }

    [[nodiscard]] const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

  private:
    std::vector<std::uint8_t> m_bytes;
};
