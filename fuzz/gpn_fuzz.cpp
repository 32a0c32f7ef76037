// Arbitrary bytes as a GPN file: the pictures found lay end to end over the
// file from the first picture on, and their names stay inside the folder.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "tools/gpn_splitter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GpnSplitter splitter(std::span<const std::uint8_t>(data, size), NamingRule{true, true});
    std::string joined;
    while (const auto file = splitter.next()) {
        if (file->name.find('/') != std::string::npos || file->bytes.size() < 16) __builtin_trap();
        joined += file->bytes;
    }
    if (joined.size() > size) __builtin_trap();
    const std::size_t start = size - joined.size();
    if (start % 16 != 0 && !joined.empty()) __builtin_trap();
    if (std::memcmp(joined.data(), data + start, joined.size()) != 0) __builtin_trap();
    return 0;
}
