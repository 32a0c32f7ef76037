#pragma once
// Hand-built SGold fullflash images for command tests: identification fields,
// the platform structure and an 8-byte picture table whose pictures carry the
// exact streams a test gives. (pictavo-mkflash makes large realistic images;
// this makes small exact ones.)

#include <cstdint>
#include <string>
#include <vector>

class FlashBuilder {
  public:
    /// Adds a picture; returns its index. `stream` is laid at the next free
    /// data offset.
    int addPicture(int width, int height, std::uint8_t type, const std::string& stream);
    /// The whole image.
    [[nodiscard]] std::string bytes() const;
    /// File offset of picture `index`'s stream.
    [[nodiscard]] std::uint32_t dataOffset(int index) const {
        return m_pictures[static_cast<std::size_t>(index)].offset;
    }

    static constexpr std::uint32_t kStructure = 0x1000;
    static constexpr std::uint32_t kPit = kStructure + 28;
    static constexpr std::uint32_t kData = 0x90000;

  private:
    struct Picture {
        int width;
        int height;
        std::uint8_t type;
        std::string stream;
        std::uint32_t offset;
    };
    std::vector<Picture> m_pictures;
    std::uint32_t m_next = kData;
};

/// Picture 0: 8-bit red; 1: 24-bit with alpha; 2: a marker pixel and blue;
/// with `undecodable`, 3: a type no decoder takes.
[[nodiscard]] FlashBuilder SamplePictures(bool undecodable = false);

/// Little-endian 16-bit pixel bytes of an RGB565 word.
[[nodiscard]] std::string Rgb565(std::uint16_t word);
