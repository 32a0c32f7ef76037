#include "patch/picture_patch.h"

#include <algorithm>
#include <limits>

#include "support/byte_cursor.h"

using Vkp::PatchRow;

bool EntryHolds(EntryFormat format, unsigned width, unsigned height) {
    if (format == EntryFormat::Long) return width <= 240 && height <= 320;
    return width <= 255 && height <= 255;
}

PatchRow EntryRow(std::span<const std::uint8_t> flash, std::uint32_t entryOffset,
                  EntryFormat format, unsigned width, unsigned height, std::uint8_t type,
                  std::uint32_t address) {
    auto byte = [](unsigned value) { return static_cast<char>(value & 0xFF); };
    std::string entry;
    if (format == EntryFormat::Long) {
        entry = {byte(width),
                 byte(width >> 8),
                 byte(height),
                 byte(height >> 8),
                 static_cast<char>(type),
                 '\0',
                 '\0',
                 '\0'};
    } else {
        entry = {byte(width), byte(height), static_cast<char>(type), '\0'};
    }
    entry += {byte(address), byte(address >> 8), byte(address >> 16), byte(address >> 24)};
    ByteCursor old(flash, entryOffset);
    return {entryOffset, old.bytes(entry.size()), entry};
}

namespace {

class RowWriter {
  public:
    RowWriter(std::span<const std::uint8_t> flash, std::uint32_t target, std::string_view stream,
              std::optional<std::uint32_t> placeEnd)
        : m_flash(flash),
          m_position(target),
          m_stream(stream),
          m_limit(placeEnd ? *placeEnd : std::numeric_limits<std::uint64_t>::max()) {}

    /// `bytes` as a row at the next position, cut where the place ends.
    void row(std::string bytes) {
        const auto room = m_limit > m_position ? m_limit - m_position : 0;
        bytes.resize(std::min<std::uint64_t>(bytes.size(), room));
        if (bytes.empty()) return;
        ByteCursor old(m_flash, m_position);
        m_rows.push_back({static_cast<std::uint32_t>(m_position), old.bytes(bytes.size()), bytes});
        m_position += bytes.size();
    }
    /// The next `count` bytes of the staging stream, zero past its end.
    std::string take(std::size_t count) {
        std::string bytes(count, '\0');
        if (m_consumed < m_stream.size()) {
            const std::size_t available = std::min(count, m_stream.size() - m_consumed);
            std::copy_n(m_stream.begin() + static_cast<std::ptrdiff_t>(m_consumed), available,
                        bytes.begin());
        }
        m_consumed += count;
        return bytes;
    }
    [[nodiscard]] std::uint64_t position() const { return m_position; }
    [[nodiscard]] std::vector<PatchRow> rows() && { return std::move(m_rows); }

  private:
    std::span<const std::uint8_t> m_flash;
    std::uint64_t m_position;
    std::string_view m_stream;
    std::size_t m_consumed = 0;
    std::uint64_t m_limit;
    std::vector<PatchRow> m_rows;
};

}  // namespace

std::vector<PatchRow> PictureDataRows(std::span<const std::uint8_t> flash, std::uint32_t target,
                                      std::string_view stream, std::uint32_t dataSize,
                                      std::optional<std::uint32_t> placeEnd) {
    RowWriter out(flash, target, stream, placeEnd);
    const std::int64_t size = dataSize;
    const std::int64_t fullRows = std::max<std::int64_t>(1, size / 16);
    for (std::int64_t i = 0; i < fullRows; ++i) out.row(out.take(16));
    const std::int64_t tail = size - 16 * fullRows;
    const std::int64_t spare = placeEnd ? std::int64_t{*placeEnd} - target - size : -1;

    if (spare > 0 && tail == 15) {
        out.row(out.take(15) + '\xFF');
        while (out.position() + 16 <= *placeEnd) out.row(std::string(16, '\xFF'));
        out.row(std::string(*placeEnd - out.position(), '\xFF'));
    } else if (tail > 0) {
        out.row(out.take(static_cast<std::size_t>(tail + tail % 2)));
    }
    return std::move(out).rows();
}
