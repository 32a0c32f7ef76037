#pragma once
// Finding a short byte signature in a block of many megabytes at the speed the
// memory delivers it. The embedded-file finder runs over whole fullflashes, so
// this is its hot loop.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

inline constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

/// Offset of the first occurrence of `needle` that starts at or after `from`
/// and lies wholly inside `haystack`; kNotFound when there is none (also for
/// an empty needle).
[[nodiscard]] std::size_t FindBytes(std::span<const std::uint8_t> haystack, std::size_t from,
                                    std::string_view needle);
