#include "tools/byte_search.h"

#include <cstring>

#if defined(__x86_64__)
#include <cpuid.h>
#include <immintrin.h>
#endif

namespace {

/// memchr for the first byte, then a compare: for the tail of a block, short
/// needles and processors without a known vector unit.
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

/// Searches whole blocks of candidates from `from` on (needles of 2 bytes or
/// more); `from` ends at the first candidate not searched.
using BlockSearch = std::size_t (*)(const std::uint8_t* data, std::size_t& from, std::size_t last,
                                    std::string_view needle);

#if defined(__x86_64__)

constexpr std::size_t kBlock = 64;  // candidate offsets tested per step

/// The first candidate of `mask` (bit k: offset base + k has the needle's first
/// and last byte) whose middle bytes match too.
std::size_t firstConfirmed(const std::uint8_t* data, std::size_t base, std::uint64_t mask,
                           std::string_view needle) {
    for (; mask != 0; mask &= mask - 1) {
        const std::size_t at = base + static_cast<std::size_t>(__builtin_ctzll(mask));
        if (std::memcmp(data + at + 1, needle.data() + 1, needle.size() - 2) == 0) return at;
    }
    return kNotFound;
}

__m128i sse2Candidates(const std::uint8_t* data, std::size_t at, std::size_t length, __m128i first,
                       __m128i last) {
    const __m128i heads = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
    const __m128i tails = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at + length - 1));
    return _mm_and_si128(_mm_cmpeq_epi8(heads, first), _mm_cmpeq_epi8(tails, last));
}

std::uint64_t sse2Mask(__m128i candidates) {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(candidates));
}

std::size_t searchBlocksSse2(const std::uint8_t* data, std::size_t& from, std::size_t last,
                             std::string_view needle) {
    const std::size_t length = needle.size();
    const __m128i firstByte = _mm_set1_epi8(needle.front());
    const __m128i lastByte = _mm_set1_epi8(needle.back());
    for (; from <= last && last - from >= kBlock - 1; from += kBlock) {
        const __m128i c0 = sse2Candidates(data, from, length, firstByte, lastByte);
        const __m128i c1 = sse2Candidates(data, from + 16, length, firstByte, lastByte);
        const __m128i c2 = sse2Candidates(data, from + 32, length, firstByte, lastByte);
        const __m128i c3 = sse2Candidates(data, from + 48, length, firstByte, lastByte);
        if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(c0, c1), _mm_or_si128(c2, c3))) == 0) {
            continue;
        }
        const std::uint64_t mask =
            sse2Mask(c0) | sse2Mask(c1) << 16 | sse2Mask(c2) << 32 | sse2Mask(c3) << 48;
        const std::size_t at = firstConfirmed(data, from, mask, needle);
        if (at != kNotFound) return at;
    }
    return kNotFound;
}

// Written out without helpers: only code inside this function is compiled
// for AVX2, which the processor is asked for before it is called.
__attribute__((target("avx2"))) std::size_t searchBlocksAvx2(const std::uint8_t* data,
                                                             std::size_t& from, std::size_t last,
                                                             std::string_view needle) {
    const std::size_t length = needle.size();
    const __m256i firstByte = _mm256_set1_epi8(needle.front());
    const __m256i lastByte = _mm256_set1_epi8(needle.back());
    for (; from <= last && last - from >= kBlock - 1; from += kBlock) {
        const auto* at = data + from;
        const __m256i c0 = _mm256_and_si256(
            _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(at)), firstByte),
            _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + length - 1)),
                              lastByte));
        const __m256i c1 = _mm256_and_si256(
            _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 32)),
                              firstByte),
            _mm256_cmpeq_epi8(
                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 32 + length - 1)),
                lastByte));
        const __m256i any = _mm256_or_si256(c0, c1);
        if (_mm256_testz_si256(any, any)) continue;
        const std::uint64_t mask =
            static_cast<std::uint32_t>(_mm256_movemask_epi8(c0)) |
            static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(c1))) << 32;
        const std::size_t found = firstConfirmed(data, from, mask, needle);
        if (found != kNotFound) return found;
    }
    return kNotFound;
}

#endif

BlockSearch blockSearchOf(SearchUnit unit) {
#if defined(__x86_64__)
    if (unit == SearchUnit::Avx2) return searchBlocksAvx2;
    if (unit == SearchUnit::Sse2) return searchBlocksSse2;
#else
    (void)unit;
#endif
    return nullptr;
}

#if defined(__x86_64__)
/// AVX2, and an operating system that saves the YMM registers. Asked with
/// cpuid itself rather than __builtin_cpu_supports, whose library part reads
/// every feature at start-up: costly in a virtual machine, where each cpuid
/// traps, and wasted on the many runs that never search.
bool hasAvx2() {
    unsigned eax = 0;
    unsigned ebx = 0;
    unsigned ecx = 0;
    unsigned edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0 || (ecx & bit_OSXSAVE) == 0) return false;
    unsigned savedLow = 0;
    [[maybe_unused]] unsigned savedHigh = 0;
    __asm__("xgetbv" : "=a"(savedLow), "=d"(savedHigh) : "c"(0));
    if ((savedLow & 0x6) != 0x6) return false;  // XMM and YMM state
    return __get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx) != 0 && (ebx & bit_AVX2) != 0;
}
#endif

SearchUnit detectBestUnit() {
#if defined(__x86_64__)
    return hasAvx2() ? SearchUnit::Avx2 : SearchUnit::Sse2;
#else
    return SearchUnit::Plain;
#endif
}

}  // namespace

SearchUnit BestSearchUnit() {
    static const SearchUnit best = detectBestUnit();
    return best;
}

std::size_t FindBytesWith(SearchUnit unit, std::span<const std::uint8_t> haystack, std::size_t from,
                          std::string_view needle) {
    const std::size_t size = haystack.size();
    const std::size_t length = needle.size();
    if (length == 0 || length > size || from > size - length) return kNotFound;
    const std::uint8_t* data = haystack.data();
    const std::size_t last = size - length;  // the last offset a match can start at
    if (const BlockSearch searchBlocks = blockSearchOf(unit);
        searchBlocks != nullptr && length >= 2) {
        const std::size_t found = searchBlocks(data, from, last, needle);
        if (found != kNotFound) return found;
    }
    return findFromFirstByte(data, from, last, needle);
}

std::size_t FindBytes(std::span<const std::uint8_t> haystack, std::size_t from,
                      std::string_view needle) {
    return FindBytesWith(BestSearchUnit(), haystack, from, needle);
}
