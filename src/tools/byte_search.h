#pragma once
// Finding a short byte signature in a block of many megabytes at the speed the
// memory delivers it. The embedded-file finder runs over whole fullflashes, so
// this is its hot loop: 64 candidate offsets at a time are tested with vector
// compares of the signature's first and last byte, and only where both sit in
// place are the bytes between them compared.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

inline constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

/// Offset of the first occurrence of `needle` that starts at or after `from`
/// and lies wholly inside `haystack`; kNotFound when there is none (also for
/// an empty needle). Uses the best vector unit the processor has.
[[nodiscard]] std::size_t FindBytes(std::span<const std::uint8_t> haystack, std::size_t from,
                                    std::string_view needle);

/// The ways FindBytes can search: memchr and compare, or 16- or 32-byte vectors.
enum class SearchUnit { Plain, Sse2, Avx2 };

/// The best unit of this processor, the one FindBytes uses.
[[nodiscard]] SearchUnit BestSearchUnit();

/// FindBytes with a given unit, which must not be better than BestSearchUnit:
/// for tests, which check each way this processor can run.
[[nodiscard]] std::size_t FindBytesWith(SearchUnit unit, std::span<const std::uint8_t> haystack,
                                        std::size_t from, std::string_view needle);
