#pragma once
// A small seeded generator with the same sequence on every platform and
// standard library (the std distributions are not specified bit for bit, so a
// fixture made with them could differ between machines).

#include <cstdint>

class SeededRandom {
  public:
    explicit SeededRandom(std::uint64_t seed) : m_state(seed) {}

    /// splitmix64: one multiply-xorshift step per value.
    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    /// A value in [low, high]; `high` >= `low`.
    int between(int low, int high) {
        const auto span = static_cast<std::uint64_t>(high - low) + 1;
        return low + static_cast<int>(next() % span);
    }

    std::uint8_t byte() { return static_cast<std::uint8_t>(next() >> 56); }

  private:
    std::uint64_t m_state;
};
