#pragma once
// A property that does not hold is a finding: the fuzzer stops and keeps the input.

inline void require(bool condition) {
    if (!condition) __builtin_trap();
}
