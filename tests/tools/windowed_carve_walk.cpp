#include "tools/windowed_carve_walk.h"

#include <algorithm>
#include <cstring>

namespace {

// 1-based positions throughout, as the walk was written: position P is offset P - 1.
class Walk {
  public:
    Walk(std::span<const std::uint8_t> bytes, const CarveSignature& signature,
         LastWindow lastWindow)
        : m_bytes(bytes),
          m_signature(signature),
          m_readable(bytes.size() + (lastWindow == LastWindow::Searched ? kCarveWindow : 0)) {}

    std::vector<CarvedFile> run() {
        const std::size_t startLength = m_signature.start.size();
        std::size_t p = 1;
        for (;;) {
            std::size_t s = index(p, m_signature.start);
            std::size_t e = index(p, m_signature.end);
            if (e > 0 && s > e) {
                m_pending = true;
            } else if (s > 0) {
                m_start = p + s - 1;
                m_pending = true;
                p = m_start;
                e = index(p, m_signature.end);
            }
            if (e > 0 && m_pending) {
                const std::size_t afterEnd = p + e - 1 + m_signature.end.size();
                write(afterEnd);
                m_pending = false;
                p = afterEnd;
            } else {
                p = p + kCarveWindow - 1 - startLength;
            }
            if (p + kCarveWindow - 1 > m_readable) return m_files;  // the window did not fill
        }
    }

  private:
    /// 1-based index in the window at `p` of the first occurrence of `text`
    /// lying wholly in the window and in the file; 0 when there is none.
    std::size_t index(std::size_t p, std::string_view text) const {
        const std::size_t windowEnd = std::min(p - 1 + kCarveWindow, m_bytes.size());
        for (std::size_t at = p - 1; at + text.size() <= windowEnd; ++at) {
            if (std::memcmp(m_bytes.data() + at, text.data(), text.size()) == 0)
                return at - (p - 1) + 1;
        }
        return 0;
    }

    void write(std::size_t afterEnd) {
        if (m_start == m_written) return;
        m_written = m_start;
        const auto adjusted = static_cast<std::ptrdiff_t>(afterEnd) + m_signature.endAdjustment;
        const std::size_t last = std::min(m_bytes.size() + 1, static_cast<std::size_t>(adjusted));
        m_files.push_back({m_start - 1, last - m_start});
    }

    std::span<const std::uint8_t> m_bytes;
    const CarveSignature& m_signature;
    std::size_t m_readable;
    std::size_t m_start = 0;
    std::size_t m_written = 0;
    bool m_pending = false;
    std::vector<CarvedFile> m_files;
};

}  // namespace

std::vector<CarvedFile> WindowedCarveWalk(std::span<const std::uint8_t> bytes,
                                          const CarveSignature& signature, LastWindow lastWindow) {
    return Walk(bytes, signature, lastWindow).run();
}
