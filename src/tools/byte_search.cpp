#include "tools/byte_search.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

/// memchr for the first byte, then a compare: the plain way, for the tail of
/// a block and where no vector unit is known.
std::size_t findFromFirstByte(const std::uint8_t* data, std::size_t from, std::size_t last,
                              std::string_view needle) {
    const auto first = static_cast<unsigned char>(needle.front());
    while (from <= last) {
        const void* hit = std::memchr(data + from, first, last - from + 1);
        if (hit == nullptr) return kNotFound;
        const auto at = static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - data);
        if (std::memcmp(data + at, needle.data(), needle.size()) == 0) return at;
        from = at + 1;
    }
    return kNotFound;
}

}  // namespace

std::size_t FindBytes(std::span<const std::uint8_t> haystack, std::size_t from,
                      std::string_view needle) {
    const std::size_t size = haystack.size();
    const std::size_t length = needle.size();
    if (length == 0 || length > size || from > size - length) return kNotFound;
    const std::uint8_t* data = haystack.data();
    const std::size_t last = size - length;  // the last offset a match can start at
#if defined(__SSE2__)
    if (length >= 2) {
        // Sixteen candidate offsets at a time: only where both the first and
        // the last byte of the needle sit in place are the bytes between them
        // compared. Rare bytes make that almost never; memory speed is the limit.
        const __m128i firstByte = _mm_set1_epi8(needle.front());
        const __m128i lastByte = _mm_set1_epi8(needle.back());
        for (; from <= last && last - from >= 15; from += 16) {
            const __m128i heads = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + from));
            const __m128i tails =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + from + length - 1));
            auto mask = static_cast<unsigned>(_mm_movemask_epi8(
                _mm_and_si128(_mm_cmpeq_epi8(heads, firstByte), _mm_cmpeq_epi8(tails, lastByte))));
            while (mask != 0) {
                const auto at = from + static_cast<std::size_t>(__builtin_ctz(mask));
                if (std::memcmp(data + at + 1, needle.data() + 1, length - 2) == 0) return at;
                mask &= mask - 1;
            }
        }
    }
#endif
    return findFromFirstByte(data, from, last, needle);
}
